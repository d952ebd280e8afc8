// Building the results window: set-up (the spreadsheet link, then the header rows), actions,
// menus, toolbar, status bar and the central area.
#include "results_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <cstdio>
#include <filesystem>

#include "error_report.h"
#include "graph_launching.h"
#include "graph_menu.h"
#include "graph_window.h"
#include "grid_look.h"
#include "number_text.h"
#include "program_settings.h"
#include "results_window_actions.h"
#include "row_marks.h"
#include "text_grid_view.h"
#include "toolbar_icons.h"
#include "window_building.h"
#include "window_pictures.h"

namespace kelvorad {

namespace {
void addNamedSeparator(QMenu& menu, const char* name) {
    menu.addSeparator()->setObjectName(name);
}

using B = ResultsToolbarButton;
constexpr int position(ResultsToolbarButton button) {
    return static_cast<int>(button);
}

constexpr std::array<ToolbarButton, 12> kToolbarButtons{{
    {position(B::Cut), "Cut", ownIcon(icons::kCut)},
    {position(B::Copy), "Copy", ownIcon(icons::kCopy)},
    {position(B::Paste), "Paste", ownIcon(icons::kPaste)},
    {position(B::Delete), "Delete", ownIcon(icons::kDelete)},
    {position(B::SelectAll), "Select All", ownIcon(icons::kSelectAll)},
    {position(B::Exit), "Exit program", styleIcon(QStyle::SP_BrowserStop)},
    {position(B::SendToWorkbook), "Send results to Excel File (Output.xlsx)",
     ownIcon(icons::kLoadXlsx)},
    {position(B::ShowWorkbook), "Open and Edit Excel file (Output.xlsx)",
     ownIcon(icons::kEditXlsx)},
    {position(B::About), "About", styleIcon(QStyle::SP_MessageBoxInformation)},
    {position(B::Graph), "Plot graph by using Grapher", ownIcon(icons::kGraph)},
    {position(B::Help), "Help", styleIcon(QStyle::SP_DialogHelpButton)},
    {position(B::PreviousScreen), "Display Previous Screen", styleIcon(QStyle::SP_ArrowBack)},
}};

constexpr std::array<const char*, 9> kPanelTooltips{
    "File",
    "Number of oxygen for Magnetite recalculation",
    "Number of oxygen for Ilmenite recalculation",
    "Ferric iron estimation method",
    "Input P for relative fO2 (delta NNO) estimation",
    "Method for T(oC)-logfO2 plot",
    "Clock",
    "Date",
    "Thermodynamic model and its pressure",
};
// Panel 9 stands after panel 6, before the clock and the date.
constexpr int kModelPanelPosition = 6;

std::string rgbText(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb));
    return text;
}
}  // namespace

GridLook ResultsWindow::tableLook() {
    GridLook look;
    look.typeKey = [this](char32_t code) { return table_.typeKey(code); };
    look.alignment = [](int row, int column) {
        return qtAlignment(ResultsTable::cellAlignment(row, column));
    };
    look.widthTwips = [](int column) {
        const auto& columns = ResultsTable::columns();
        if (column < 0 || column >= static_cast<int>(columns.size())) return 0;
        return columns[static_cast<std::size_t>(column)].widthTwips;
    };
    look.displayText = [this](int row, int column, const std::string&) {
        return cellDisplayText(row, column);
    };
    look.toolTip = [this](int row, int column) { return cellToolTip(row, column); };
    look.backgroundRgb = [this](int row, int) { return rowMarks(table_, row).tint(); };
    return look;
}

ResultsWindow::ResultsWindow(DesktopServices desktop, QWidget* parent)
    : QMainWindow(parent), desktop_(desktop), actions_(std::make_unique<Actions>()) {
    setObjectName("Form10");
    setWindowTitle("K e l v o r a d");
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createCentralArea();
    connectTable();
    // Set-up: the progress bar hidden, the spreadsheet link, then the table. The header rows
    // are the plain table's own; the row height follows the edit box.
    progress_->hide();
    setUpSpreadsheetLink();
    view_->setMinimumRowHeight(editBox_->sizeHint().height());
    table_.setCurrent(0, 0);
    view_->showTable();
    resize(1280, 760);
    restoreWindowGeometry(*this, kResultsGeometryName);
}

// The table view reads the plain table, which is a member: the view goes first.
ResultsWindow::~ResultsWindow() {
    endGnuplotProbe(gnuplotProbe_.data());
    std::unique_ptr<QWidget> centralArea(takeCentralWidget());
}

// Creates a hidden application, opens Output.xlsx in the working folder (an empty workbook
// of that name when there is none) and takes its first worksheet. A step that fails leaves
// its handle empty; the send then reports the empty link.
void ResultsWindow::setUpSpreadsheetLink() {
    application_ = SpreadsheetApplication::create(desktop_.shell);
    if (!application_.isSet()) return;
    application_.setVisible(false);
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(kOutputWorkbookName, error);
    if (error) path = kOutputWorkbookName;
    Result<Workbook> workbook = application_.workbooks().openOrCreate(path);
    if (!workbook) return;
    workbook_ = workbook.value();
    Result<Worksheet> sheet = workbook_.worksheet(1);
    if (sheet) worksheet_ = sheet.value();
}

void ResultsWindow::createActions() {
    Actions& a = *actions_;
    using Key = QKeySequence;
    // Ctrl+C cuts here, and Ctrl+Y copies.
    a.cut = makeAction(this, "mnuEditCut", "Cut", Key(Qt::CTRL | Qt::Key_C));
    a.copy = makeAction(this, "mnuEditCopy", "Copy", Key(Qt::CTRL | Qt::Key_Y));
    a.paste = makeAction(this, "mnuEditPaste", "Paste", Key(Qt::CTRL | Qt::Key_P));
    a.editDelete = makeAction(this, "mnuEditDelete", "Delete", Key(Qt::CTRL | Qt::Key_D));
    a.selectAll = makeAction(this, "mnuEditSelectAll", "Select All", Key(Qt::CTRL | Qt::Key_S));
    a.exit = makeAction(this, "mnuExit", "Exit", Key(Qt::CTRL | Qt::Key_E));
    a.send = makeAction(this, "mnuSEF", "Send Results to Excel (Output.xlsx)",
                        Key(Qt::CTRL | Qt::Key_G));
    a.show = makeAction(this, "mnuOEF", "Open Excel File (Output.xlsx)", Key(Qt::CTRL | Qt::Key_H));
    a.close = makeAction(this, "mnuEOX", "Exit Excel File (i.e., Output.xlsx)");
    a.about = makeAction(this, "mnuAbaout", "About");
    a.helpContents = makeAction(this, "mnuHelpContents", "Click Here for Help Index           F1");

    connect(a.cut, &QAction::triggered, this, [this] { cut(); });
    connect(a.copy, &QAction::triggered, this, [this] { copy(); });
    connect(a.paste, &QAction::triggered, this, [this] { paste(); });
    connect(a.editDelete, &QAction::triggered, this, [this] { deleteSelection(); });
    connect(a.selectAll, &QAction::triggered, this, [this] { selectAll(); });
    connect(a.exit, &QAction::triggered, this, [this] { runHook(ResultsHook::Exit); });
    connect(a.send, &QAction::triggered, this, [this] { reportError(sendResultsToWorkbook()); });
    connect(a.show, &QAction::triggered, this, [this] { reportError(showSpreadsheet()); });
    connect(a.close, &QAction::triggered, this, [this] { closeSpreadsheet(); });
    connect(a.about, &QAction::triggered, this, [this] { runHook(ResultsHook::About); });
    connect(a.helpContents, &QAction::triggered, this, [this] { runHook(ResultsHook::Help); });
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey, &QShortcut::activated, this, [this] { runHook(ResultsHook::Help); });
}

void ResultsWindow::createMenus() {
    Actions& a = *actions_;
    QMenuBar* bar = menuBar();
    a.edit = makeMenu(bar, "mnuEdit", "Edit");
    addNamedSeparator(*a.edit, "mnusep23");
    a.edit->addActions({a.cut, a.copy, a.paste, a.editDelete, a.selectAll});
    addNamedSeparator(*a.edit, "mnusep");
    a.edit->addAction(a.exit);
    bar->addMenu(a.edit);

    a.excel = makeMenu(bar, "mnuOEF1", "Excel");
    addNamedSeparator(*a.excel, "mnusep3");
    a.excel->addActions({a.send, a.show});
    addNamedSeparator(*a.excel, "mnusep20");
    a.excel->addAction(a.close);
    addNamedSeparator(*a.excel, "mnusep15");
    bar->addMenu(a.excel);

    a.graph = makeMenu(bar, "mnuGraph",
                       QString::fromUtf8(kGraphMenuCaption.data(), int(kGraphMenuCaption.size())));
    createGraphMenu(*a.graph);
    bar->addMenu(a.graph);

    bar->addAction(a.about);
    a.help = makeMenu(bar, "mnuHelp", "Help");
    a.help->addAction(a.helpContents);
    bar->addMenu(a.help);
    // Opening the Help menu itself shows the help, as choosing its item does.
    connect(a.help, &QMenu::aboutToShow, this, [this] { runHook(ResultsHook::Help); });
}

// The Graph menu from its constant table: each submenu with its separators and entries, each
// entry showing the graph of its fixed template (the working folder's copy first). A template
// found in neither folder opens nothing.
void ResultsWindow::createGraphMenu(QMenu& graph) {
    const auto text = [](std::string_view view) {
        return QString::fromUtf8(view.data(), static_cast<int>(view.size()));
    };
    QMenu* submenu = nullptr;
    for (const GraphMenuItem& item : graphMenu()) {
        const QString name = text(item.name);
        switch (item.kind) {
            case GraphMenuKind::Submenu:
                submenu = makeMenu(&graph, name.toUtf8().constData(), text(item.caption));
                graph.addMenu(submenu);
                break;
            case GraphMenuKind::Separator:
                if (submenu) submenu->addSeparator()->setObjectName(name);
                break;
            case GraphMenuKind::Template: {
                if (!submenu) break;
                QAction* action = submenu->addAction(text(item.caption));
                action->setObjectName(name);
                const std::string templateName(item.templateFile);
                connect(action, &QAction::triggered, this, [this, templateName] {
                    if (const auto path = findGraphTemplate(templateName, currentGraphFolders()))
                        showGraph(*path);
                });
                break;
            }
        }
    }
}

void ResultsWindow::createToolBar() {
    QToolBar& bar = addProgramToolBar(*this);
    const std::vector<QAction*> buttons = fillToolbar(
        bar, 16, kToolbarButtons, *style(), [this](int position) { runToolbarButton(position); });
    std::copy(buttons.begin(), buttons.end(), toolbarActions_.begin());
}

void ResultsWindow::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    for (std::size_t k = 0; k < statusPanels_.size(); ++k) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QString("StatusBar1Panel%1").arg(k + 1));
        panel->setToolTip(kPanelTooltips[k]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(6, 0, 6, 0);
        if (k == 8) {
            bar->insertWidget(kModelPanelPosition, panel, 1);
        } else {
            bar->addWidget(panel, k == 0 ? 2 : (k < 6 ? 1 : 0));
        }
        statusPanels_[k] = panel;
    }
    // The tints of marked rows, explained in the tooltip.
    const QString legend = QString::fromStdString(rowMarkLegend());
    auto* marks = new QLabel(bar);
    marks->setObjectName("MarkLegend");
    marks->setText(QString("<span style=\"background:%1\">&nbsp;test&nbsp;</span> "
                           "<span style=\"background:%2\">&nbsp;calibration&nbsp;</span>")
                       .arg(QString::fromStdString(rgbText(kEquilibriumMarkTint)),
                            QString::fromStdString(rgbText(kCalibrationMarkTint))));
    marks->setToolTip(legend);
    bar->addPermanentWidget(marks);
    bar->setToolTip(legend);
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &ResultsWindow::updateClock);
    clock->start(1000);
    updateClock();
}

void ResultsWindow::createCentralArea() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);

    auto* heading = new QFrame(central);
    heading->setObjectName("Frame2");
    heading->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* headingLayout = new QHBoxLayout(heading);
    auto* titles = new QVBoxLayout;
    title_ = new QLabel(kResultsTitle, heading);
    title_->setObjectName("Label3");
    QFont titleFont = title_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    title_->setAlignment(Qt::AlignCenter);
    subtitle_ = new QLabel(kResultsSubtitle, heading);
    subtitle_->setObjectName("Label2");
    subtitle_->setAlignment(Qt::AlignCenter);
    titles->addWidget(title_);
    titles->addWidget(subtitle_);
    auto* picture = new QLabel(heading);
    picture->setObjectName("Image1");
    picture->setToolTip("Pyroxene crystals");
    picture->setPixmap(pyroxeneCrystals(64));
    headingLayout->addLayout(titles, 1);
    headingLayout->addWidget(picture);
    layout->addWidget(heading);

    auto* editorRow = new QHBoxLayout;
    editBox_ = new QLineEdit(central);
    editBox_->setObjectName("Text1");
    editBox_->setToolTip("The current cell");
    editBox_->installEventFilter(this);
    progress_ = new QProgressBar(central);
    progress_->setObjectName("ProgressBar1");
    progress_->setRange(0, 50);
    progress_->setTextVisible(false);
    editorRow->addWidget(editBox_, 1);
    editorRow->addWidget(progress_);
    layout->addLayout(editorRow);

    view_ = new TextGridView(table_, tableLook(), central);
    view_->setObjectName("MSFlexGrid1");
    layout->addWidget(view_, 1);
}

// The edit box mirrors the current cell when a mouse button goes down on the table; a click,
// and every change of the edit box's text, writes its text into the current cell.
void ResultsWindow::connectTable() {
    connect(editBox_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::string value = text.toStdString();
        if (table_.text(table_.row(), table_.column()) == value) return;
        table_.setText(table_.row(), table_.column(), value);
        view_->showCell(table_.row(), table_.column());
    });
    connect(
        view_, &TextGridView::cellPressed, this,
        [this](Qt::MouseButton button, QPoint globalPosition) {
            editBox_->setText(QString::fromStdString(table_.text(table_.row(), table_.column())));
            if (button == Qt::RightButton) popUpCentred(*actions_->edit, globalPosition);
        });
    connect(view_, &TextGridView::cellClicked, this, [this] {
        const std::string value = editBox_->text().toStdString();
        if (table_.text(table_.row(), table_.column()) == value) return;
        table_.setText(table_.row(), table_.column(), value);
        view_->showCell(table_.row(), table_.column());
    });
}

void ResultsWindow::showTableChanges() {
    view_->showTable();
}

void ResultsWindow::appendResultsRow(std::string_view fields) {
    table_.appendResultsRow(fields);
    if (runs_.empty()) return;
    const int row = table_.rowCount() - 1;
    // Rows are numbered as in the workbook's first sheet, where table row r is sheet row r + 1.
    noteResultsRow(runs_.back(), row + 1, table_.text(row, 0));
}

void ResultsWindow::beginRun(RunRecord record) {
    runs_.push_back(std::move(record));
}

const RunRecord* ResultsWindow::runOfRow(int row) const {
    for (const RunRecord& run : runs_) {
        if (run.firstResultsRow <= row + 1 && row + 1 <= run.lastResultsRow) return &run;
    }
    return nullptr;
}

// Results rows show their numbers rounded for reading; the header rows show their texts.
std::string ResultsWindow::cellDisplayText(int row, int column) const {
    const std::string& text = table_.text(row, column);
    if (row < ResultsTable::kHeaderRows) return text;
    return displayText(text, ResultsTable::columnKind(column));
}

std::string ResultsWindow::cellToolTip(int row, int column) const {
    if (row < ResultsTable::kHeaderRows || row >= table_.rowCount()) return {};
    std::string tip;
    const auto line = [&tip](std::string_view text) {
        if (text.empty()) return;
        if (!tip.empty()) tip += '\n';
        tip += text;
    };
    const std::string& text = table_.text(row, column);
    if (column == 0) {
        line(text);
        if (const RunRecord* run = runOfRow(row)) {
            line("File: " +
                 (run->inputPath.empty() ? std::string("(the table as it was)") : run->inputPath));
            line("Ferric iron: " + run->ferricScheme);
            line("Pressure: " + formatNumber(run->pressureBars) + " bars");
        }
    } else if (!text.empty() && cellDisplayText(row, column) != text) {
        line(text);
    }
    line(rowMarks(table_, row).description());
    return tip;
}

void ResultsWindow::setStatusPanel(int panel, const std::string& text) {
    if (panel < 1 || panel > static_cast<int>(statusPanels_.size())) return;
    statusPanels_[static_cast<std::size_t>(panel - 1)]->setText(QString::fromStdString(text));
}

std::string ResultsWindow::statusPanel(int panel) const {
    if (panel < 1 || panel > static_cast<int>(statusPanels_.size())) return {};
    return statusPanels_[static_cast<std::size_t>(panel - 1)]->text().toStdString();
}

void ResultsWindow::setHook(ResultsHook hook, std::function<void()> command) {
    hooks_[static_cast<std::size_t>(hook)] = std::move(command);
}

void ResultsWindow::runHook(ResultsHook hook) {
    const auto& command = hooks_[static_cast<std::size_t>(hook)];
    if (command) command();
}

QAction& ResultsWindow::toolbarButton(int position) const {
    return *toolbarActions_.at(static_cast<std::size_t>(position));
}

// Every toolbar position starts with no pending error; separators run only the report.
void ResultsWindow::runToolbarButton(int position) {
    reportError(runToolbarCommand(static_cast<ResultsToolbarButton>(position)));
}

// The command of each button, with its outcome for the error report that follows it.
Status ResultsWindow::runToolbarCommand(ResultsToolbarButton button) {
    switch (button) {
        case B::Cut:
            return cut();
        case B::Copy:
            return copy();
        case B::Paste:
            return paste();
        case B::Delete:
            deleteSelection();
            break;
        case B::SelectAll:
            selectAll();
            break;
        case B::Exit:
            runHook(ResultsHook::Exit);
            break;
        case B::SendToWorkbook:
            return sendResultsWithNotice();
        case B::ShowWorkbook:
            return showSpreadsheet();
        case B::About:
            runHook(ResultsHook::About);
            break;
        case B::Graph:
            if (const auto path = askForGraphTemplate(desktop_.dialogs, currentGraphFolders()))
                showGraph(*path);
            break;
        case B::Help:
            runHook(ResultsHook::Help);
            break;
        case B::PreviousScreen:
            runHook(ResultsHook::PreviousScreen);
            break;
    }
    return {};
}

// The results window's error report has no message for division by zero.
void ResultsWindow::reportError(const Status& outcome) {
    if (const auto message = errorReportMessage(outcome, false)) {
        desktop_.messages.showMessage(kResultsMessageTitle, std::string(*message));
    }
}

GraphWindow& ResultsWindow::showGraph(const std::filesystem::path& templatePath) {
    QPointer<GraphWindow>& window = graphs_[templatePath];
    if (window) {
        window->redraw();
    } else {
        window = new GraphWindow(templatePath, currentGraphFolders(), desktop_, this);
        if (gnuplotOpensWindows_) window->setOpenInGnuplotAvailable(*gnuplotOpensWindows_);
    }
    if (!gnuplotOpensWindows_ && !askingGnuplot_) {
        askingGnuplot_ = true;
        gnuplotProbe_ = probeWindowedGnuplot(this, [this](bool windowed) {
            gnuplotOpensWindows_ = windowed;
            for (const auto& [path, graph] : graphs_) {
                if (graph) graph->setOpenInGnuplotAvailable(windowed);
            }
        });
    }
    window->show();
    window->raise();
    window->activateWindow();
    return *window;
}

GraphWindow* ResultsWindow::graphWindow(const std::filesystem::path& templatePath) const {
    const auto found = graphs_.find(templatePath);
    return found == graphs_.end() ? nullptr : found->second.data();
}

void ResultsWindow::updateClock() {
    const QLocale locale;
    statusPanels_[6]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    statusPanels_[7]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
}

void ResultsWindow::popUpCentred(QMenu& menu, QPoint globalPosition) {
    menu.popup(globalPosition - QPoint(menu.sizeHint().width() / 2, 0));
}

// Keys pressed in the edit box go back to the table, as the focus does.
bool ResultsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editBox_) {
        if (event->type() == QEvent::ShortcutOverride) return true;
        if (event->type() == QEvent::KeyPress) {
            view_->setFocus();
            QCoreApplication::sendEvent(view_, event);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace kelvorad
