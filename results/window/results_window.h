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
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "desktop_services.h"
#include "results_table.h"
#include "spreadsheet_application.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;

namespace kelvorad {

class TextGridView;

// Commands of the results window whose work is done elsewhere in the program. Each returns an
// error code for the toolbar's error report (0: none). Unset hooks do nothing.
enum class ResultsHook {
    About,           // mnuAbaout, toolbar 12
    Help,            // mnuHelpContents, opening the Help menu, toolbar 14
    PreviousScreen,  // toolbar 16: show the main window
    Exit,            // mnuExit, toolbar 7: end the program
    Count
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
    // Appends a results row (TAB-separated fields, field k to column k).
    void appendResultsRow(std::string_view fields);

    // Status bar panel 1 to 9 (9: the thermodynamic model and its pressure).
    void setStatusPanel(int panel, const std::string& text);
    std::string statusPanel(int panel) const;

    // The spreadsheet link made at set-up (empty handles when a step of it failed).
    const SpreadsheetApplication& spreadsheetApplication() const { return application_; }
    const Workbook& outputWorkbook() const { return workbook_; }
    const Worksheet& outputWorksheet() const { return worksheet_; }

    void setHook(ResultsHook hook, std::function<int()> command);

    // Toolbar position 1 to 16 (separators included).
    QAction& toolbarButton(int position) const;
    // Runs the command of a toolbar position, then the error report on its error.
    void runToolbarButton(int position);

    // The progress bar's value each step of a send sets (a value above the maximum is not
    // taken, so the bar keeps the value before it): observed by tests through this callback.
    void setProgressObserver(std::function<void(int value)> observer);

    // Excel menu and toolbar 9 and 10. Each returns the error code for the error report.
    int sendResultsToWorkbook();
    int sendResultsWithNotice();
    int showSpreadsheet();
    // Quits the spreadsheet application (after asking about unsent changes) and closes the
    // window. Returns false when the user chose to keep them open.
    bool closeSpreadsheet();

    // Edit menu and toolbar 1 to 5.
    int cut();
    int copy();
    int paste();
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
    int runHook(ResultsHook hook);
    void reportError(int code);
    void setProgress(int value);
    void updateClock();
    void popUpCentred(QMenu& menu, QPoint globalPosition);

    DesktopServices desktop_;
    ResultsTable table_;
    SpreadsheetApplication application_;
    Workbook workbook_;
    Worksheet worksheet_;
    std::array<std::function<int()>, static_cast<std::size_t>(ResultsHook::Count)> hooks_;
    std::function<void(int)> progressObserver_;
    bool sentNotShown_ = false;  // results sent to the workbook since it was last shown

    std::unique_ptr<Actions> actions_;
    std::array<QAction*, 17> toolbar_{};  // by position; 0 unused
    std::array<std::function<int()>, 17> toolbarCommands_;
    TextGridView* view_ = nullptr;
    QLineEdit* editBox_ = nullptr;
    QLabel* subtitle_ = nullptr;  // Label2
    QLabel* title_ = nullptr;     // Label3
    QProgressBar* progress_ = nullptr;
    std::array<QLabel*, 9> statusPanels_{};
};

}  // namespace kelvorad
