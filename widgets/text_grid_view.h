#pragma once
// A table on screen (MSFlexGrid1 of either window): a table view over a plain text grid in
// which row 0 and column 0 appear as the fixed header row and header column, while they stay
// cells the grid can address. Keys typed into the view go to the grid a character at a time,
// through the look's typeKey (which also says where Enter and Tab lead). The plain grid's
// current cell and selection are the ones that count; the view follows them and reports the
// user's clicks and arrow keys back to them.

#include <QTableView>

#include "grid_look.h"
#include "text_grid.h"

namespace kelvorad {

class TextGridModel;

class TextGridView : public QTableView {
    Q_OBJECT
  public:
    TextGridView(TextGrid& table, GridLook look, QWidget* parent);

    // Shows what the plain table now holds: counts, every cell, current cell and selection.
    void showTable();
    // Shows a new text in one cell.
    void showCell(int row, int column);
    // Scrolls so that row 1 is the top visible row and column 1 the leftmost.
    void scrollToFirstRow();
    // The least height of a row, in pixels.
    void setMinimumRowHeight(int pixels);

  signals:
    // A mouse button went down on a cell, after the current cell moved there.
    void cellPressed(Qt::MouseButton button, QPoint globalPosition);
    // The left button was released on a cell (a click).
    void cellClicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void applyLayout();
    void typeCode(char32_t code);
    void pushSelection();
    void pullSelection();
    void scrollToCurrent();

    TextGrid& table_;
    GridLook look_;
    TextGridModel* model_;
    QWidget* cornerButton_ = nullptr;
    bool pushing_ = false;
};

}  // namespace kelvorad
