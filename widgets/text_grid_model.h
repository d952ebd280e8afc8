#pragma once
// A text grid as a Qt item model: every cell of the plain grid, (0, 0) to (row count - 1,
// column count - 1). Row 0 and column 0 are also offered as header data, so that a view can
// show them as fixed headers while they stay ordinary addressable cells.

#include <QAbstractTableModel>

#include "grid_look.h"
#include "text_grid.h"

namespace kelvorad {

class TextGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    TextGridModel(TextGrid& table, const GridLook& look, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Display text (the look's display text, else the cell's text), the full text for
    // editing, tooltip, background and alignment as the look gives them, and a header look for
    // row 0 and column 0. Invalid indexes give an empty QVariant.
    QVariant data(const QModelIndex& index, int role) const override;
    // Horizontal sections show row 0's text, vertical sections column 0's.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Tells the views what the plain table now holds: a reset when its counts changed, else
    // every cell and header changed.
    void tableChanged();
    // Tells the views that one cell's text changed.
    void cellChanged(int row, int column);

  private:
    TextGrid& table_;
    const GridLook& look_;
    int rows_;
    int columns_;
};

}  // namespace kelvorad
