#include "main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QTime>
#include <QTimer>
#include <QUndoStack>

#include "error_report.h"
#include "main_window_actions.h"
#include "method_menus.h"
#include "program_settings.h"
#include "text_grid_view.h"

namespace kelvorad {

MainWindow::MainWindow(DesktopServices desktop, QWidget* parent)
    : QMainWindow(parent),
      desktop_(desktop),
      undoStack_(new QUndoStack(this)),
      actions_(std::make_unique<Actions>()) {
    setObjectName("kkj");
    setWindowTitle("Kelvorad");
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createCentralArea();
    connectTable();
    applyStartUpState();
    resize(1280, 820);
    restoreWindowGeometry(*this, kGeometryName);
    std::vector<std::string> stored;
    for (const QString& path : storedList(kRecentFilesKey)) stored.push_back(path.toStdString());
    recent_ = RecentFiles(stored);
    fillRecentFilesMenu();
}

// The table view reads the document, which is a member: the view goes first, before the
// members, rather than with the other child widgets after them.
// The undo history, emptied when the window's children go, must not reach the window then.
// Ending normally, the window removes its recovery file.
MainWindow::~MainWindow() {
    if (recovery_) recovery_->remove();
    undoStack_->disconnect(this);
    std::unique_ptr<QWidget> centralArea(takeCentralWidget());
}

// A change made to the table directly is no step of the history, and the steps before it may
// no longer fit the table: the history starts afresh.
void MainWindow::showTableChanges() {
    undoStack_->clear();
    table_->showTable();
    noteTableChange();
}

void MainWindow::capCell() {
    document_.table().capCell();
    table_->showTable();
}

MethodChecks MainWindow::methodChecks() const {
    return methodMenus_->checks();
}

void MainWindow::setMethodChecks(const MethodChecks& checks) {
    methodMenus_->setChecks(checks);
}

void MainWindow::askOtherPressure(bool checked) {
    if (!checked) return;
    MethodChecks checks = methodMenus_->checks();
    const std::optional<double> bars = desktop_.dialogs.askNumber(
        "Other pressure",
        "Pressure in bars (1 to 10000) for the Ghiorso and Evans (2008) model; the older "
        "calibrations take the nearest of 1, 1000, 2000, 3000 and 5000 bars:",
        checks.otherPressureBars().value_or(2000.0), kLowestPressureBars, kHighestPressureBars);
    const bool given = bars && isPressureInRange(*bars);
    if (given) methodMenus_->setOtherPressureBars(*bars);
    methodMenus_->action(MethodItem::OtherPressure).setChecked(given);
}

bool MainWindow::isOpenFileToCalculateChecked() const {
    return actions_->openToCalculate->isChecked();
}

void MainWindow::setOpenFileToCalculateChecked(bool checked) {
    actions_->openToCalculate->setChecked(checked);
}

void MainWindow::setScreenTitle(const std::string& title) {
    title_->setText(QString::fromStdString(title));
}

std::string MainWindow::screenTitle() const {
    return title_->text().toStdString();
}

void MainWindow::setFileStatus(const std::string& text) {
    statusPanels_[0]->setText(QString::fromStdString(text));
    statusPanels_[0]->setEnabled(true);
}

void MainWindow::showCellEditor() {
    cellEditor_->show();
}

std::string MainWindow::cellEditorText() const {
    return cellEditor_->text().toStdString();
}

void MainWindow::setHook(WindowHook hook, std::function<void()> command) {
    hooks_[static_cast<std::size_t>(hook)] = std::move(command);
}

void MainWindow::runHook(WindowHook hook) {
    const auto& command = hooks_[static_cast<std::size_t>(hook)];
    if (command) command();
}

void MainWindow::reportError(const Status& outcome) {
    if (const auto message = errorReportMessage(outcome)) {
        desktop_.messages.showMessage(kMessageTitle, std::string(*message));
    }
}

QAction& MainWindow::toolbarButton(int position) const {
    return *toolbarActions_.at(static_cast<std::size_t>(position));
}

void MainWindow::updateClock() {
    const QLocale locale;
    statusPanels_[1]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    statusPanels_[2]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
}

void MainWindow::popUpCentred(QMenu& menu, QPoint globalPosition) {
    menu.popup(globalPosition - QPoint(menu.sizeHint().width() / 2, 0));
}

// Exit, and closing the window by any other way: the unsaved-change question first; then the
// results window closes, the spreadsheet application is asked to quit and the program ends.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    event->accept();
    if (recovery_) recovery_->remove();
    storeWindowGeometry(*this, kGeometryName);
    runHook(WindowHook::CloseOtherWindows);
    runHook(WindowHook::QuitSpreadsheet);
    QCoreApplication::exit(0);
}

// Keys pressed in the cell editor go on in the table, and the window's shortcuts keep working
// there; a left button pressed on the window's background pops up the ferric-iron menu.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cellEditor_) {
        if (event->type() == QEvent::ShortcutOverride) return true;
        if (event->type() == QEvent::KeyPress) {
            table_->setFocus();
            QCoreApplication::sendEvent(table_, event);
            return true;
        }
    } else if (watched == centralWidget() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            !centralWidget()->childAt(mouse->position().toPoint())) {
            popUpCentred(methodMenus_->ferricIronMenu(), mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace kelvorad
