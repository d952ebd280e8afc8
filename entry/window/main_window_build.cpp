// Building the main window: actions, menus, toolbar, status bar and the central area, and the
// state it starts in.
#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include <utility>

#include "grid_look.h"
#include "main_window.h"
#include "main_window_actions.h"
#include "method_menus.h"
#include "text_grid_view.h"
#include "toolbar_icons.h"
#include "uncertainty_options.h"
#include "window_building.h"
#include "window_pictures.h"

namespace kelvorad {

namespace {
using B = MainToolbarButton;
constexpr int position(MainToolbarButton button) {
    return static_cast<int>(button);
}

constexpr std::array<ToolbarButton, 18> kToolbarButtons{{
    {position(B::New), "New", styleIcon(QStyle::SP_FileIcon)},
    {position(B::Open), "Open", styleIcon(QStyle::SP_DialogOpenButton)},
    {position(B::Save), "Save", styleIcon(QStyle::SP_DialogSaveButton)},
    {position(B::Close), "Close", styleIcon(QStyle::SP_DialogCloseButton)},
    {position(B::Exit), "Exit", styleIcon(QStyle::SP_BrowserStop)},
    {position(B::Cut), "Cut", ownIcon(icons::kCut)},
    {position(B::Copy), "Copy", ownIcon(icons::kCopy)},
    {position(B::Paste), "Paste", ownIcon(icons::kPaste)},
    {position(B::Delete), "Delete", ownIcon(icons::kDelete)},
    {position(B::SelectAll), "Select All", ownIcon(icons::kSelectAll)},
    {position(B::Calculate), "Calculate", ownIcon(icons::kCalculate)},
    {position(B::LoadXls), "Load Excel (.xls)  into Grid", ownIcon(icons::kLoadXls)},
    {position(B::LoadXlsx), "Load Excel (.xlsx)  into Grid", ownIcon(icons::kLoadXlsx)},
    {position(B::EditXls), "Edit Excel (.xls) File", ownIcon(icons::kEditXls)},
    {position(B::EditXlsx), "Edit Excel (.xlsx) File", ownIcon(icons::kEditXlsx)},
    {position(B::About), "About", styleIcon(QStyle::SP_MessageBoxInformation)},
    {position(B::Help), "Help", styleIcon(QStyle::SP_DialogHelpButton)},
    {position(B::NextScreen), "Display Next Screen", styleIcon(QStyle::SP_ArrowForward)},
}};

// The buttons whose command is done elsewhere in the program.
constexpr std::array<std::pair<MainToolbarButton, WindowHook>, 8> kHookButtons{{
    {B::Calculate, WindowHook::Calculate},
    {B::LoadXls, WindowHook::LoadXlsFromButton},
    {B::LoadXlsx, WindowHook::LoadXlsx},
    {B::EditXls, WindowHook::EditXlsFromButton},
    {B::EditXlsx, WindowHook::EditXlsx},
    {B::About, WindowHook::About},
    {B::Help, WindowHook::Help},
    {B::NextScreen, WindowHook::NextScreen},
}};

const char* const kBanner =
    " * Calculation    * Geothermometer     * Oxygen Barometer                    ";

// The analysis table's look: fixed row 0 and column 0 centred, data cells aligned and columns
// sized as the table's column layout says; Enter and Tab walk the cells in reading order.
GridLook analysisTableLook(std::function<bool(char32_t)> typeKey) {
    GridLook look;
    look.typeKey = std::move(typeKey);
    look.alignment = [](int row, int column) -> Qt::Alignment {
        const bool fixed = row == 0 || column == 0;
        if (fixed || column >= AnalysisTable::kColumns) return Qt::AlignCenter;
        return qtAlignment(AnalysisTable::columns()[static_cast<std::size_t>(column)].alignment);
    };
    look.widthTwips = [](int column) {
        if (column < 0 || column >= AnalysisTable::kColumns) return 0;
        return AnalysisTable::columns()[static_cast<std::size_t>(column)].widthTwips;
    };
    return look;
}
}  // namespace

void MainWindow::createActions() {
    Actions& a = *actions_;
    using Key = QKeySequence;
    a.newFile = makeAction(this, "mnuNewFile", "New File", Key(Qt::CTRL | Qt::Key_N));
    a.openFile = makeAction(this, "mnuOpenFile", "Open File", Key(Qt::CTRL | Qt::Key_O));
    a.saveAs = makeAction(this, "mnuSaveAs", "Save As", Key(Qt::CTRL | Qt::Key_S));
    a.close = makeAction(this, "mnuClose", "Close", Key(Qt::CTRL | Qt::Key_C));
    a.loadXls = makeAction(this, "mnu9703", "1997 - 2003 Files (.xls)", Key(Qt::CTRL | Qt::Key_G));
    a.loadXlsx = makeAction(this, "mnu07Later", "2007 - Later (.xlsx)", Key(Qt::CTRL | Qt::Key_H));
    a.editXls =
        makeAction(this, "mnu9703e", "1997 - 2003 Files (.xls)", Key(Qt::CTRL | Qt::Key_F7));
    a.editXlsx =
        makeAction(this, "mnu07Latere", "2007 - Later (.xlsx)", Key(Qt::CTRL | Qt::Key_F8));
    a.exit = makeAction(this, "mnuExit", "Exit", Key(Qt::CTRL | Qt::Key_X));
    a.undo = makeAction(this, "mnuUndo", "Undo", Key(Qt::CTRL | Qt::Key_Z));
    a.redo = makeAction(this, "mnuRedo", "Redo", Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    a.clear = makeAction(this, "mnuClear", "Clear All", Key(Qt::CTRL | Qt::Key_A));
    a.removeRow = makeAction(this, "mnuDelete", "Remove Row", Key(Qt::CTRL | Qt::Key_D));
    a.insertRow = makeAction(this, "mnuEditInsertRow", "Insert Row", Key(Qt::CTRL | Qt::Key_I));
    a.cut = makeAction(this, "mnuEditCut", "Cut", Key(Qt::CTRL | Qt::Key_T));
    a.copy = makeAction(this, "mnuEditCopy", "Copy", Key(Qt::CTRL | Qt::Key_Y));
    a.paste = makeAction(this, "mnuEditPaste", "Paste", Key(Qt::CTRL | Qt::Key_P));
    a.editDelete = makeAction(this, "mnuEditDelete", "Delete", Key(Qt::CTRL | Qt::Key_L));
    a.selectAll = makeAction(this, "mnuEditSelectAll", "Select All", Key(Qt::CTRL | Qt::Key_E));
    a.openToCalculate =
        makeAction(this, "mnuOpen", "Open File to Calculate", Key(Qt::CTRL | Qt::Key_F));
    a.about = makeAction(this, "mnuAbout", "About");
    a.helpContents = makeAction(this, "mnuHelpContents", "Click Here for Help Index           F1");
    // The check mark of "Open File to Calculate" tells whether Open File chose the file to
    // calculate; choosing the item runs the calculation and leaves the mark alone.
    a.openToCalculate->setCheckable(true);

    connect(a.newFile, &QAction::triggered, this, &MainWindow::newFile);
    connect(a.openFile, &QAction::triggered, this, &MainWindow::openFile);
    connect(a.saveAs, &QAction::triggered, this, &MainWindow::saveAs);
    connect(a.close, &QAction::triggered, this, &MainWindow::closeFile);
    connect(a.exit, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(a.undo, &QAction::triggered, this, &MainWindow::undo);
    connect(a.redo, &QAction::triggered, this, &MainWindow::redo);
    connect(a.clear, &QAction::triggered, this, &MainWindow::clearAll);
    connect(a.removeRow, &QAction::triggered, this, &MainWindow::removeRow);
    connect(a.insertRow, &QAction::triggered, this, &MainWindow::insertRow);
    connect(a.cut, &QAction::triggered, this, &MainWindow::cut);
    connect(a.copy, &QAction::triggered, this, &MainWindow::copy);
    connect(a.paste, &QAction::triggered, this, &MainWindow::paste);
    connect(a.editDelete, &QAction::triggered, this, &MainWindow::deleteSelection);
    connect(a.selectAll, &QAction::triggered, this, &MainWindow::selectAll);
    const auto hookSlot = [this](WindowHook hook) { return [this, hook] { runHook(hook); }; };
    connect(a.loadXls, &QAction::triggered, this, hookSlot(WindowHook::LoadXlsFromMenu));
    connect(a.loadXlsx, &QAction::triggered, this, hookSlot(WindowHook::LoadXlsx));
    connect(a.editXls, &QAction::triggered, this, hookSlot(WindowHook::EditXlsFromMenu));
    connect(a.editXlsx, &QAction::triggered, this, hookSlot(WindowHook::EditXlsx));
    connect(a.about, &QAction::triggered, this, hookSlot(WindowHook::About));
    connect(a.helpContents, &QAction::triggered, this, hookSlot(WindowHook::Help));
    connect(a.openToCalculate, &QAction::triggered, this, [this](bool checked) {
        actions_->openToCalculate->setChecked(!checked);
        runHook(WindowHook::Calculate);
    });
    for (auto changed : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged}) {
        connect(undoStack_, changed, this, &MainWindow::updateUndoActions);
    }
    for (auto changed : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged}) {
        connect(undoStack_, changed, this, &MainWindow::updateUndoActions);
    }
    connect(undoStack_, &QUndoStack::indexChanged, this, &MainWindow::noteTableChange);
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey, &QShortcut::activated, this, hookSlot(WindowHook::Help));
}

void MainWindow::createMenus() {
    Actions& a = *actions_;
    QMenuBar* bar = menuBar();
    a.file = makeMenu(bar, "mnuFile", "File");
    a.file->addActions({a.newFile, a.openFile, a.saveAs, a.close});
    a.recent = makeMenu(a.file, "mnuRecent", "Recent Files");
    a.file->addMenu(a.recent);
    connect(a.recent, &QMenu::aboutToShow, this, &MainWindow::fillRecentFilesMenu);
    a.file->addSeparator();
    a.openExcel = makeMenu(a.file, "mnuOEF", "Open Excel File");
    a.openExcel->addSeparator();
    a.openExcel->addActions({a.loadXls, a.loadXlsx});
    a.openExcel->addSeparator();
    a.file->addMenu(a.openExcel);
    a.editExcel = makeMenu(a.file, "mnuEEF", "Edit Excel File");
    a.editExcel->addSeparator();
    a.editExcel->addActions({a.editXls, a.editXlsx});
    a.editExcel->addSeparator();
    a.file->addMenu(a.editExcel);
    a.file->addSeparator();
    a.file->addAction(a.exit);
    bar->addMenu(a.file);

    a.edit = makeMenu(bar, "mnuEdit", "Edit");
    a.edit->addActions({a.undo, a.redo});
    a.edit->addSeparator();
    a.edit->addActions({a.clear, a.removeRow, a.insertRow});
    a.edit->addSeparator();
    a.edit->addActions({a.cut, a.copy, a.paste, a.editDelete, a.selectAll});
    bar->addMenu(a.edit);

    methodMenus_ = std::make_unique<MethodMenus>(*bar);
    methodMenus_->setChecks(startingMethodChecks());
    connect(&methodMenus_->action(MethodItem::OtherPressure), &QAction::triggered, this,
            &MainWindow::askOtherPressure);
    uncertainty_ = new UncertaintyOptions(methodMenus_->methodMenu(), *this);

    a.calculate = makeMenu(bar, "mnuCalculate", "Calculate");
    a.calculate->addAction(a.openToCalculate);
    bar->addMenu(a.calculate);
    bar->addAction(a.about);
    a.help = makeMenu(bar, "mnuHelp", "Help   ");
    a.help->addAction(a.helpContents);
    bar->addMenu(a.help);
    // Opening the Help menu itself shows the help, as choosing its item does.
    connect(a.help, &QMenu::aboutToShow, this, [this] { runHook(WindowHook::Help); });
}

void MainWindow::createToolBar() {
    QToolBar& bar = addProgramToolBar(*this);
    const std::vector<QAction*> buttons = fillToolbar(
        bar, 22, kToolbarButtons, *style(), [this](int position) { runToolbarButton(position); });
    std::copy(buttons.begin(), buttons.end(), toolbarActions_.begin());
}

void MainWindow::runToolbarButton(int position) {
    reportError(runToolbarCommand(static_cast<MainToolbarButton>(position)));
}

// The command of each button, with its outcome for the error report that follows it. The
// file commands and the hooks report their own failures, naming the file, so they succeed here.
Status MainWindow::runToolbarCommand(MainToolbarButton button) {
    for (const auto& [hookButton, hook] : kHookButtons) {
        if (hookButton == button) {
            runHook(hook);
            return {};
        }
    }
    switch (button) {
        case B::Cut:
            return cutCommand();
        case B::Copy:
            return copyCommand();
        case B::Paste:
            return pasteCommand();
        case B::New:
            newFile();
            break;
        case B::Open:
            openFile();
            break;
        case B::Save:
            saveAs();
            break;
        case B::Close:
            closeFile();
            break;
        case B::Exit:
            exitProgram();
            break;
        case B::Delete:
            deleteSelection();
            break;
        case B::SelectAll:
            selectAll();
            break;
        default:
            break;
    }
    return {};
}

QAction& MainWindow::toolbarAction(MainToolbarButton button) const {
    return *toolbarActions_.at(static_cast<std::size_t>(button));
}

void MainWindow::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    const std::array<const char*, 4> tooltips{"File", "Clock", "Date", "The Kelvorad authors"};
    for (std::size_t k = 0; k < statusPanels_.size(); ++k) {
        QLabel* panel = makeLabel(bar, "", {});
        panel->setObjectName(QString("StatusBar1Panel%1").arg(k + 1));
        panel->setToolTip(tooltips[k]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(6, 0, 6, 0);
        if (k == 0) {
            bar->addWidget(panel, 1);
        } else {
            bar->addPermanentWidget(panel);
        }
        statusPanels_[k] = panel;
    }
    statusPanels_[3]->setText("by");
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &MainWindow::updateClock);
    clock->start(1000);
    updateClock();
}

void MainWindow::createCentralArea() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    central->installEventFilter(this);
    auto* layout = new QVBoxLayout(central);

    auto* heading = new QFrame(central);
    heading->setObjectName("Frame2");
    heading->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* headingLayout = new QHBoxLayout(heading);
    ilmenitePicture_ = makeLabel(heading, "Image2", {});
    ilmenitePicture_->setPixmap(ilmeniteCrystal(72));
    magnetitePicture_ = makeLabel(heading, "Image1", {});
    magnetitePicture_->setPixmap(magnetiteCrystal(72));
    auto* titles = new QVBoxLayout;
    title_ = makeLabel(heading, "Label3", "Start-up Screen");
    QFont titleFont = title_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    title_->setAlignment(Qt::AlignCenter);
    auto* subtitle =
        makeLabel(heading, "Label2",
                  "A Desktop Program for Magnetite - Ilmenite Geothermometer and Oxygen Barometer");
    subtitle->setAlignment(Qt::AlignCenter);
    titles->addWidget(title_);
    titles->addWidget(subtitle);
    headingLayout->addWidget(ilmenitePicture_);
    headingLayout->addLayout(titles, 1);
    headingLayout->addWidget(magnetitePicture_);
    layout->addWidget(heading);

    banner_ = makeLabel(central, "lblLabel1Form1", kBanner);
    banner_->setAlignment(Qt::AlignCenter);
    layout->addWidget(banner_);

    auto* editorRow = new QHBoxLayout;
    cellEditor_ = new QLineEdit(central);
    cellEditor_->setObjectName("Text1");
    cellEditor_->setToolTip("The current cell");
    cellEditor_->installEventFilter(this);
    loadWorkbookButton_ = new QPushButton("Load Excel File into Grid", central);
    loadWorkbookButton_->setObjectName("Command2");
    editWorkbookButton_ = new QPushButton("Open and Edit Excel File", central);
    editWorkbookButton_->setObjectName("Command3");
    connect(loadWorkbookButton_, &QPushButton::clicked, this,
            [this] { runHook(WindowHook::LoadXlsFromButton); });
    connect(editWorkbookButton_, &QPushButton::clicked, this,
            [this] { runHook(WindowHook::EditXlsFromButton); });
    editorRow->addWidget(cellEditor_, 1);
    editorRow->addWidget(loadWorkbookButton_);
    editorRow->addWidget(editWorkbookButton_);
    layout->addLayout(editorRow);

    startUpPanel_ = new QFrame(central);
    startUpPanel_->setObjectName("Frame1");
    startUpPanel_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* startUpLayout = new QVBoxLayout(startUpPanel_);
    QLabel* product = makeLabel(startUpPanel_, "Label1", "K e l v o r a d");
    QFont productFont = product->font();
    productFont.setPointSizeF(productFont.pointSizeF() * 4);
    productFont.setBold(true);
    product->setFont(productFont);
    product->setAlignment(Qt::AlignCenter);
    startUpLayout->addWidget(product);
    layout->addWidget(startUpPanel_, 1);

    table_ = new TextGridView(
        document_.table(), analysisTableLook([this](char32_t code) { return typeIntoTable(code); }),
        central);
    table_->setObjectName("MSFlexGrid1");
    layout->addWidget(table_, 1);
}

void MainWindow::connectTable() {
    // The cell editor mirrors the current cell when a mouse button goes down on the table, and
    // every change of the editor's text is written into the current cell.
    connect(cellEditor_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const AnalysisTable& table = document_.table();
        if (writeIntoCurrentCell(text.toStdString())) {
            table_->showCell(table.row(), table.column());
        }
    });
    connect(
        table_, &TextGridView::cellPressed, this,
        [this](Qt::MouseButton button, QPoint globalPosition) {
            const AnalysisTable& table = document_.table();
            mirroredCell_ = {table.row(), table.column()};
            cellEditor_->setText(QString::fromStdString(table.text(table.row(), table.column())));
            if (button == Qt::RightButton) popUpCentred(*actions_->edit, globalPosition);
        });
    // A click writes the editor's text back into the cell it mirrors; should the current cell
    // have moved on meanwhile, no other cell is overwritten with it.
    connect(table_, &TextGridView::cellClicked, this, [this] {
        const AnalysisTable& table = document_.table();
        if (mirroredCell_ != std::make_pair(table.row(), table.column())) return;
        if (writeIntoCurrentCell(cellEditor_->text().toStdString())) {
            table_->showCell(table.row(), table.column());
        }
    });
}

void MainWindow::applyStartUpState() {
    Actions& a = *actions_;
    loadWorkbookButton_->hide();
    editWorkbookButton_->hide();
    for (QAction* action : {a.saveAs, a.close, a.clear, a.removeRow}) action->setEnabled(false);
    setEditMenuEnabled(false);
    setToolbarEnabled({B::Save, B::Close, B::Cut, B::Copy, B::Paste, B::Delete, B::SelectAll},
                      false);
    toolbarAction(B::Calculate).setEnabled(true);
    table_->hide();
    cellEditor_->hide();
    statusPanels_[0]->setText("No Selected File");
    statusPanels_[0]->setEnabled(false);
    capCell();
    document_.markClean();
}

void MainWindow::setToolbarEnabled(std::initializer_list<MainToolbarButton> buttons, bool enabled) {
    for (MainToolbarButton button : buttons) toolbarAction(button).setEnabled(enabled);
}

// Cut, Copy, Paste, Delete, Insert Row and Select All; Undo and Redo where there is a step.
void MainWindow::setEditMenuEnabled(bool enabled) {
    Actions& a = *actions_;
    for (QAction* action : {a.cut, a.copy, a.paste, a.editDelete, a.insertRow, a.selectAll}) {
        action->setEnabled(enabled);
    }
    tableEditable_ = enabled;
    updateUndoActions();
}

void MainWindow::showPictures() {
    magnetitePicture_->show();
    ilmenitePicture_->show();
}

}  // namespace kelvorad
