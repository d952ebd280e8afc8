#include "text_grid_model.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

namespace kelvorad {

TextGridModel::TextGridModel(TextGrid& table, const GridLook& look, QObject* parent)
    : QAbstractTableModel(parent),
      table_(table),
      look_(look),
      rows_(table.rowCount()),
      columns_(table.columnCount()) {}

int TextGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TextGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row();
    const int column = index.column();
    const bool fixed = row == 0 || column == 0;
    switch (role) {
        case Qt::DisplayRole:
            if (look_.displayText) {
                return QString::fromStdString(
                    look_.displayText(row, column, table_.text(row, column)));
            }
            return QString::fromStdString(table_.text(row, column));
        case Qt::EditRole:
            return QString::fromStdString(table_.text(row, column));
        case Qt::ToolTipRole: {
            if (!look_.toolTip) return {};
            const std::string tip = look_.toolTip(row, column);
            if (tip.empty()) return {};
            return QString::fromStdString(tip);
        }
        case Qt::TextAlignmentRole:
            return int(look_.alignment(row, column));
        case Qt::BackgroundRole: {
            if (fixed) return QGuiApplication::palette().brush(QPalette::Button);
            const std::uint32_t tint = look_.backgroundRgb ? look_.backgroundRgb(row, column) : 0;
            if (tint == 0) return {};
            return QBrush(QColor(QRgb(tint)));
        }
        default:
            return {};
    }
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole) {
        return orientation == Qt::Horizontal ? QString::fromStdString(table_.text(0, section))
                                             : QString::fromStdString(table_.text(section, 0));
    }
    if (role == Qt::TextAlignmentRole) {
        return orientation == Qt::Horizontal ? int(look_.alignment(0, section))
                                             : int(look_.alignment(section, 0));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TextGridModel::tableChanged() {
    if (rows_ != table_.rowCount() || columns_ != table_.columnCount()) {
        beginResetModel();
        rows_ = table_.rowCount();
        columns_ = table_.columnCount();
        endResetModel();
        return;
    }
    if (rows_ == 0 || columns_ == 0) return;
    emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

void TextGridModel::cellChanged(int row, int column) {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return;
    emit dataChanged(index(row, column), index(row, column));
    if (row == 0) emit headerDataChanged(Qt::Horizontal, column, column);
    if (column == 0) emit headerDataChanged(Qt::Vertical, row, row);
}

}  // namespace kelvorad
