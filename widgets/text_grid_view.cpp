#include "text_grid_view.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include "text_grid_model.h"

namespace kelvorad {

namespace {
// Keys the view's own navigation keeps: arrows, page and home/end, with or without Shift.
bool isNavigationKey(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return false;
    }
}
}  // namespace

TextGridView::TextGridView(TextGrid& table, GridLook look, QWidget* parent)
    : QTableView(parent),
      table_(table),
      look_(std::move(look)),
      model_(new TextGridModel(table, look_, this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(true);
    verticalHeader()->setHighlightSections(true);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // Cell (0, 0) shows in the corner between the two headers.
    cornerButton_ = findChild<QAbstractButton*>();
    if (cornerButton_) cornerButton_->installEventFilter(this);
    connect(model_, &QAbstractItemModel::modelReset, this, &TextGridView::applyLayout);
    applyLayout();
    pushSelection();
}

void TextGridView::applyLayout() {
    setRowHidden(0, true);
    setColumnHidden(0, true);
    const double pixelsPerTwip = logicalDpiX() / 1440.0;
    // Column 0 is the vertical header: its designed width, else room for the corner's text.
    const int headerTwips = look_.widthTwips(0);
    if (headerTwips > 0) {
        verticalHeader()->setFixedWidth(static_cast<int>(headerTwips * pixelsPerTwip + 0.5));
    } else {
        const QString corner = QString::fromStdString(table_.text(0, 0));
        verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(corner) + 16);
    }
    for (int c = 1; c < model_->columnCount(); ++c) {
        if (const int twips = look_.widthTwips(c); twips > 0) {
            setColumnWidth(c, static_cast<int>(twips * pixelsPerTwip + 0.5));
        }
    }
}

void TextGridView::showTable() {
    model_->tableChanged();
    if (cornerButton_) cornerButton_->update();
    pushSelection();
    scrollToCurrent();
}

void TextGridView::showCell(int row, int column) {
    model_->cellChanged(row, column);
    if (row == 0 && column == 0 && cornerButton_) cornerButton_->update();
}

void TextGridView::scrollToFirstRow() {
    if (model_->rowCount() > 1 && model_->columnCount() > 1) {
        scrollTo(model_->index(1, 1), QAbstractItemView::PositionAtTop);
    }
    scrollToTop();
}

void TextGridView::setMinimumRowHeight(int pixels) {
    verticalHeader()->setMinimumSectionSize(pixels);
    if (verticalHeader()->defaultSectionSize() < pixels) {
        verticalHeader()->setDefaultSectionSize(pixels);
    }
}

void TextGridView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (isNavigationKey(event->key())) {
        QTableView::keyPressEvent(event);
        return;
    }
    if (modifiers != Qt::NoModifier) {
        event->ignore();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            typeCode(13);
            return;
        case Qt::Key_Tab:
            typeCode(9);
            return;
        case Qt::Key_Backspace:
            typeCode(8);
            return;
        default:
            break;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        event->ignore();
        return;
    }
    for (char32_t code : text.toUcs4()) typeCode(code);
}

void TextGridView::typeCode(char32_t code) {
    const int row = table_.row();
    const int column = table_.column();
    if (look_.typeKey(code)) showCell(row, column);
    if (row != table_.row() || column != table_.column()) {
        pushSelection();
        scrollToCurrent();
    }
}

// The pressed cell becomes the current cell, except that Shift extends the selection and the
// right button keeps a selection it points into (for the Edit menu it opens).
void TextGridView::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) return;
    const CellRect s = table_.selection();
    const bool insideSelection = index.row() >= s.top && index.row() <= s.bottom &&
                                 index.column() >= s.left && index.column() <= s.right;
    const bool extending = event->modifiers() & Qt::ShiftModifier;
    const bool keepSelection = event->button() == Qt::RightButton && insideSelection;
    if (!extending && !keepSelection) {
        table_.setCurrent(index.row(), index.column());
        pushSelection();
    }
    emit cellPressed(event->button(), event->globalPosition().toPoint());
}

void TextGridView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) {
        emit cellClicked();
    }
}

void TextGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    pullSelection();
}

void TextGridView::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    pullSelection();
}

// The view's current cell is the moving corner of its selection; the table's current cell is
// the corner the selection started from, and the view's current cell its opposite corner.
void TextGridView::pullSelection() {
    if (pushing_ || !selectionModel()) return;
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return;
    const QItemSelection selection = selectionModel()->selection();
    if (selection.size() != 1 || !selection.contains(current)) {
        table_.setCurrent(current.row(), current.column());
        return;
    }
    const QItemSelectionRange& range = selection.first();
    const int anchorRow = current.row() == range.top() ? range.bottom() : range.top();
    const int anchorColumn = current.column() == range.left() ? range.right() : range.left();
    table_.setCurrent(anchorRow, anchorColumn);
    table_.setSelectionEnd(current.row(), current.column());
}

void TextGridView::pushSelection() {
    if (!selectionModel() || model_->rowCount() == 0 || model_->columnCount() == 0) return;
    pushing_ = true;
    const CellRect s = table_.selection();
    selectionModel()->setCurrentIndex(model_->index(table_.row(), table_.column()),
                                      QItemSelectionModel::NoUpdate);
    selectionModel()->select(
        QItemSelection(model_->index(s.top, s.left), model_->index(s.bottom, s.right)),
        QItemSelectionModel::ClearAndSelect);
    pushing_ = false;
}

void TextGridView::scrollToCurrent() {
    // Row 0 and column 0 are shown by the headers, which never scroll away.
    const int row = std::max(table_.row(), 1);
    const int column = std::max(table_.column(), 1);
    if (row < model_->rowCount() && column < model_->columnCount()) {
        scrollTo(model_->index(row, column));
    }
}

bool TextGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cornerButton_ && event->type() == QEvent::Paint) {
        QPainter painter(cornerButton_);
        QStyleOptionHeader option;
        option.initFrom(cornerButton_);
        // A header's look, though the corner selects nothing.
        option.state |= QStyle::State_Enabled;
        option.palette.setCurrentColorGroup(QPalette::Active);
        option.rect = cornerButton_->rect();
        option.text = QString::fromStdString(table_.text(0, 0));
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        style()->drawControl(QStyle::CE_Header, &option, &painter, cornerButton_);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

}  // namespace kelvorad
