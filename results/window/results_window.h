#pragma once
// The results window (Form10, "Calculation Screen"): the results table under its two header
// rows, the status bar the calculation run writes the chosen methods into, and the commands
// of the Edit, Excel, Graph, About and Help menus and of the toolbar. The table and its
// editing live in the plain ResultsTable; this window shows it and runs each command's steps.
//
// The window holds the spreadsheet link for its whole life: an application of the spreadsheet
// component, the workbook "Output.xlsx" in the working folder (created empty when absent, so
// that sending and showing work on the first try) and that workbook's first worksheet.

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desktop_services.h"
#include "result.h"
#include "results_table.h"
#include "run_record.h"
#include "spreadsheet_application.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QProcess;
class QProgressBar;

namespace kelvorad {

class GraphWindow;
class TextGridView;
struct GridLook;

// Commands of the results window whose work is done elsewhere in the program. Each reports its
// own failures, so none leaves anything for the toolbar's error report. Unset hooks do nothing.
enum class ResultsHook {
    About,           // mnuAbaout, toolbar 12
    Help,            // mnuHelpContents, opening the Help menu, toolbar 14
    PreviousScreen,  // toolbar 16: show the main window
    Exit,            // mnuExit, toolbar 7: end the program
    Count
};

// The toolbar's buttons. Each value is the button's position on the toolbar, counted from 1
// with the separators, which stand at positions 6, 8, 11 and 15.
enum class ResultsToolbarButton {
    Cut = 1,
    Copy = 2,
    Paste = 3,
    Delete = 4,
    SelectAll = 5,
    Exit = 7,
    SendToWorkbook = 9,
    ShowWorkbook = 10,
    About = 12,
    Graph = 13,
    Help = 14,
    PreviousScreen = 16,
};

// The panels of the status bar, numbered from 1 as they stand from left to right.
enum class ResultsStatusPanel {
    File = 1,         // the analysis file calculated
    MagnetiteOxygen,  // oxygens of the magnetite structural formula
    IlmeniteOxygen,   // oxygens of the ilmenite structural formula
    FerricIron,       // the ferric-iron scheme
    NnoPressure,      // the pressure of the NNO buffer
    PlotMethod,       // the method of the T-logfO2 plot
    Clock,
    Date,
    FullModel,  // the thermodynamic model and its pressure, shown after the plot method
};

// The workbook the results are sent to, in the working folder.
inline constexpr std::string_view kOutputWorkbookName = "Output.xlsx";

class ResultsWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Builds the window and runs its set-up: the spreadsheet link, then the two header rows.
    // The services must outlive the window.
    explicit ResultsWindow(DesktopServices desktop, QWidget* parent = nullptr);
    ~ResultsWindow() override;

    ResultsTable& resultsTable() { return table_; }
    // Shows what the plain table now holds, after changing it directly.
    void showTableChanges();
    // Appends a results row (TAB-separated fields, field k to column k); the row belongs to
    // the run last begun.
    void appendResultsRow(std::string_view fields);

    // Begins the record of a calculation run whose rows are appended next. The records stay
    // with the window's rows: a row's sample cell names its run's file, scheme and pressure,
    // and the send writes every record on the workbook's sheet "Run".
    void beginRun(RunRecord record);
    const std::vector<RunRecord>& runRecords() const { return runs_; }
    // What a cell shows, and its tooltip: the full value of a rounded number, the run of a
    // sample cell, the marks of a marked row.
    std::string cellDisplayText(int row, int column) const;
    std::string cellToolTip(int row, int column) const;

    // Status bar panel 1 to 9 (9: the thermodynamic model and its pressure).
    void setStatusPanel(int panel, const std::string& text);
    std::string statusPanel(int panel) const;
    void setStatusPanel(ResultsStatusPanel panel, const std::string& text) {
        setStatusPanel(static_cast<int>(panel), text);
    }

    // The spreadsheet link made at set-up (empty handles when a step of it failed).
    const SpreadsheetApplication& spreadsheetApplication() const { return application_; }
    const Workbook& outputWorkbook() const { return workbook_; }
    const Worksheet& outputWorksheet() const { return worksheet_; }

    void setHook(ResultsHook hook, std::function<void()> command);

    // Toolbar position 1 to 16 (separators included).
    QAction& toolbarButton(int position) const;
    // Runs the command of a toolbar position, then the error report on its error.
    void runToolbarButton(int position);

    // The progress bar's value each step of a send sets (a value above the maximum is not
    // taken, so the bar keeps the value before it): observed by tests through this callback.
    void setProgressObserver(std::function<void(int value)> observer);

    // Excel menu and toolbar 9 and 10. Each returns its outcome for the error report; a
    // failure of kind Failed was reported already.
    Status sendResultsToWorkbook();
    Status sendResultsWithNotice();
    Status showSpreadsheet();
    // Quits the spreadsheet application (after asking about unsent changes) and closes the
    // window. Returns false when the user chose to keep them open.
    bool closeSpreadsheet();

    // The Graph menu and toolbar 13: the template's graph in a window of its own, one per
    // template, shown again (and brought up to date) when the template is chosen again.
    GraphWindow& showGraph(const std::filesystem::path& templatePath);
    // The window of a template once shown, else nullptr.
    GraphWindow* graphWindow(const std::filesystem::path& templatePath) const;
    // Whether the installed gnuplot can open windows; nullopt until gnuplot has answered
    // (it is asked when the first graph window opens).
    std::optional<bool> gnuplotOpensWindows() const { return gnuplotOpensWindows_; }

    // Edit menu and toolbar 1 to 5.
    Status cut();
    Status copy();
    Status paste();
    void deleteSelection();
    void selectAll();

  signals:
    // The window is about to be destroyed (closed by its close box or by closeSpreadsheet).
    void closing();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Actions;

    void setUpSpreadsheetLink();
    void createActions();
    void createMenus();
    void createGraphMenu(QMenu& graph);
    void createToolBar();
    void createStatusBar();
    void createCentralArea();
    void connectTable();
    void runHook(ResultsHook hook);
    Status runToolbarCommand(ResultsToolbarButton button);
    void reportError(const Status& outcome);
    void setProgress(int value);
    void updateClock();
    void popUpCentred(QMenu& menu, QPoint globalPosition);
    GridLook tableLook();
    const RunRecord* runOfRow(int row) const;

    DesktopServices desktop_;
    ResultsTable table_;
    SpreadsheetApplication application_;
    Workbook workbook_;
    Worksheet worksheet_;
    std::array<std::function<void()>, static_cast<std::size_t>(ResultsHook::Count)> hooks_;
    std::function<void(int)> progressObserver_;
    bool sentNotShown_ = false;    // results sent to the workbook since it was last shown
    std::vector<RunRecord> runs_;  // in order; each names the rows it appended
    std::map<std::filesystem::path, QPointer<GraphWindow>> graphs_;  // by template path
    std::optional<bool> gnuplotOpensWindows_;
    bool askingGnuplot_ = false;
    QPointer<QProcess> gnuplotProbe_;

    std::unique_ptr<Actions> actions_;
    std::array<QAction*, 17> toolbarActions_{};  // by position, separators included; 0 unused
    TextGridView* view_ = nullptr;
    QLineEdit* editBox_ = nullptr;
    QLabel* subtitle_ = nullptr;  // Label2
    QLabel* title_ = nullptr;     // Label3
    QProgressBar* progress_ = nullptr;
    std::array<QLabel*, 9> statusPanels_{};
};

}  // namespace kelvorad
