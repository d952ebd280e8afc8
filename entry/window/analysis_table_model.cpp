#include "analysis_table_model.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

namespace kelvorad {

namespace {
Qt::Alignment alignmentOf(CellAlignment alignment) {
    switch (alignment) {
        case CellAlignment::Left:
            return Qt::AlignLeft | Qt::AlignTop;
        case CellAlignment::LeftCentre:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case CellAlignment::RightTop:
            return Qt::AlignRight | Qt::AlignTop;
        case CellAlignment::Centre:
            break;
    }
    return Qt::AlignCenter;
}
}  // namespace

AnalysisTableModel::AnalysisTableModel(AnalysisTable& table, QObject* parent)
    : QAbstractTableModel(parent),
      table_(table),
      rows_(table.rowCount()),
      columns_(table.columnCount()) {}

int AnalysisTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int AnalysisTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant AnalysisTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row();
    const int column = index.column();
    const bool fixed = row == 0 || column == 0;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(table_.text(row, column));
        case Qt::TextAlignmentRole:
            if (fixed || column >= AnalysisTable::kColumns) return int(Qt::AlignCenter);
            return int(alignmentOf(AnalysisTable::columns()[column].alignment));
        case Qt::BackgroundRole:
            if (fixed) return QGuiApplication::palette().brush(QPalette::Button);
            return {};
        default:
            return {};
    }
}

QVariant AnalysisTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole) {
        return orientation == Qt::Horizontal ? QString::fromStdString(table_.text(0, section))
                                             : QString::fromStdString(table_.text(section, 0));
    }
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void AnalysisTableModel::tableChanged() {
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

void AnalysisTableModel::cellChanged(int row, int column) {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return;
    emit dataChanged(index(row, column), index(row, column));
    if (row == 0) emit headerDataChanged(Qt::Horizontal, column, column);
    if (column == 0) emit headerDataChanged(Qt::Vertical, row, row);
}

}  // namespace kelvorad
