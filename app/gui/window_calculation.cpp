#include "window_calculation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>

#include "calculation_run.h"
#include "main_window.h"
#include "results_screen.h"

namespace kelvorad {

namespace {
constexpr const char* kMessageTitle = "Kelvorad";
// A long run (the full thermodynamic model takes a few hundred microseconds a pair) lets the
// windows repaint this often; user input waits until the end. A table of the classic models
// is done long before.
constexpr qint64 kMillisecondsBetweenRepaints = 100;

void letWindowsRepaint() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// When "Open File to Calculate" is not checked, the run first asks for an analysis file and
// reads its data area into the table. A table with unsaved changes is not overwritten without
// the unsaved-change question; Cancel there ends the run. A cancelled dialog, or a name with
// no file behind it, calculates the pairs already in the table. Returns false when the run
// must end.
bool loadFileFirst(MainWindow& main, DesktopServices desktop) {
    const std::string name = main.askForAnalysisFileName();
    main.showCellEditor();
    main.setStatusPanel1(name);
    main.capCell();
    std::error_code error;
    if (name.empty() || !std::filesystem::exists(name, error)) return true;
    if (!main.askToSaveChanges()) return false;
    const FileResult read = main.document().open(name);
    main.showTableChanges();
    if (!read.ok) desktop.messages.showMessage(kMessageTitle, read.error);
    return true;
}

void reportPlotFileProblems(const std::vector<std::string>& problems, DesktopServices desktop) {
    if (problems.empty()) return;
    std::string text =
        "The calculation finished, but these plot data files could not be "
        "written, so the graphs will not show this run:";
    for (const std::string& problem : problems) text += "\n" + problem;
    desktop.messages.showMessage(kMessageTitle, text);
}
}  // namespace

int calculateFromWindow(MainWindow& main, ResultsScreen& results, DesktopServices desktop) {
    main.setScreenTitle("Wait Please");
    letWindowsRepaint();

    // Start steps: defaults checked, a default unchecked where another item of its group is
    // checked; the menus show the items as the run leaves them.
    MethodChecks checks = main.methodChecks();
    CalculationRun run(checks);
    main.setMethodChecks(checks);
    ResultsWindow& window = results.window();
    const RunChoices& choices = run.choices();
    window.setStatusPanel(4, choices.panel4);
    window.setStatusPanel(5, choices.panel5);
    window.setStatusPanel(6, choices.panel6);
    window.setStatusPanel(2, choices.panel2);
    window.setStatusPanel(3, choices.panel3);
    window.setStatusPanel(9, choices.modelPanel);

    if (!main.isOpenFileToCalculateChecked() && !loadFileFirst(main, desktop)) {
        main.setScreenTitle("Data Entry Screen");
        return 0;
    }
    const std::string fileName = main.dialogFileName();
    results.show();

    std::error_code error;
    std::filesystem::path folder = std::filesystem::current_path(error);
    if (error) folder = ".";
    PlotDataWriter plots(folder);
    const AnalysisTable& table = main.analysisTable();
    const int lastRow = table.rowCount() - 1;
    window.resultsTable().reserveMoreRows(lastRow);
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    run.processRows(
        1, lastRow,
        [&table](int row, int k) -> const std::string& { return table.text(row, k + 1); }, &plots,
        [&](const PairResult&, const std::string& row) {
            window.setStatusPanel(1, fileName);
            window.appendResultsRow(row);
            if (sinceRepaint.elapsed() >= kMillisecondsBetweenRepaints) {
                window.showTableChanges();
                letWindowsRepaint();
                sinceRepaint.restart();
            }
        });
    const std::vector<std::string> problems = plots.close();
    window.showTableChanges();
    main.setMethodChecks(run.checks());
    main.setScreenTitle("Data Entry Screen");
    reportPlotFileProblems(problems, desktop);
    return 0;
}

}  // namespace kelvorad
