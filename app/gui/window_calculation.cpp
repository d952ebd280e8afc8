#include "window_calculation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <filesystem>
#include <thread>

#include "calculation_run.h"
#include "cell_notices.h"
#include "chunks_in_order.h"
#include "main_window.h"
#include "monte_carlo_run.h"
#include "program_info.h"
#include "results_screen.h"
#include "uncertainty_columns.h"
#include "uncertainty_options.h"

namespace kelvorad {

namespace {
constexpr const char* kMessageTitle = "Kelvorad";
// A long run (the full thermodynamic model takes a few hundred microseconds a pair) lets the
// windows repaint this often; user input waits until the end. A run without that model is
// done long before.
constexpr qint64 kMillisecondsBetweenRepaints = 100;
// Rows a chunk of the run computes: with the full model some 5 ms of work, so that a table of
// a few hundred pairs spreads over the cores and the repaints keep their pace.
constexpr int kRowsPerChunk = 16;

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
    main.setFileStatus(name);
    main.capCell();
    std::error_code error;
    if (name.empty() || !std::filesystem::exists(name, error)) return true;
    if (!main.askToSaveChanges()) return false;
    const FileResult read = main.document().open(name);
    main.showTableChanges();
    if (read.ok()) main.rememberAnalysisFile(name);
    if (!read.ok()) desktop.messages.showMessage(kMessageTitle, read.error());
    return true;
}

// The oxide cells that are not plain numbers, in one message: the first ones in full, then
// how many more there were.
void reportCellNotices(const std::vector<CellNotice>& notices, DesktopServices desktop) {
    constexpr std::size_t kListed = 20;
    if (notices.empty()) return;
    std::string text = notices.size() == 1
                           ? "One analysis cell is not a plain number; the calculation read it so:"
                           : std::to_string(notices.size()) +
                                 " analysis cells are not plain numbers; the calculation read "
                                 "them so:";
    for (std::size_t k = 0; k < std::min(notices.size(), kListed); ++k) {
        text.append("\n").append(describeCellNotice(notices[k], "row"));
    }
    if (notices.size() > kListed) {
        const std::size_t rest = notices.size() - kListed;
        text += "\n... and " + std::to_string(rest) + (rest == 1 ? " more cell." : " more cells.");
    }
    desktop.messages.showMessage(kMessageTitle, text);
}

// The Monte Carlo run over the table's pairs, on every core, while the windows stay responsive
// and a box shows its progress; nothing when the user cancels it.
std::optional<std::vector<PairUncertainty>> drawUncertainty(const CalculationRun& run,
                                                            const AnalysisTable& table, int lastRow,
                                                            const MonteCarloSettings& settings,
                                                            DesktopServices desktop) {
    std::vector<AnalysisPair> pairs;
    for (int row = 1; row <= lastRow; ++row) {
        const auto cell = [&](int k) -> const std::string& { return table.text(row, k + 1); };
        if (!isBlankPairRow(cell)) pairs.push_back(readAnalysisPair(cell));
    }
    const MonteCarloRun monteCarlo(run, settings);
    ThreadPool pool;
    std::stop_source stop;
    std::atomic<std::uint64_t> done{0};
    const double total = std::max(1.0, double(pairs.size()) * double(settings.draws));
    const MonteCarloControl control{stop.get_token(),
                                    [&done](std::uint64_t drawn, std::uint64_t) { done = drawn; }};
    std::optional<std::vector<PairUncertainty>> result;
    std::exception_ptr failure;
    std::atomic<bool> finished{false};
    std::jthread worker([&] {
        try {
            result = monteCarlo.run(pairs, pool, control);
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });
    const std::string text = "Monte Carlo uncertainty: " + std::to_string(settings.draws) +
                             " draws of each of " + std::to_string(pairs.size()) + " pairs";
    const bool waited = desktop.messages.waitWithProgress(
        kMessageTitle, text, [&finished] { return finished.load(); },
        [&] { return double(done.load()) / total; });
    if (!waited) stop.request_stop();
    worker.join();
    if (failure) std::rethrow_exception(failure);
    if (!waited) return std::nullopt;
    return result;
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

void calculateFromWindow(MainWindow& main, ResultsScreen& results, DesktopServices desktop) {
    main.setScreenTitle("Wait Please");
    letWindowsRepaint();

    // Start steps: defaults checked, a default unchecked where another item of its group is
    // checked; the menus show the items as the run leaves them.
    MethodChecks checks = main.methodChecks();
    CalculationRun run(checks);
    main.setMethodChecks(checks);
    ResultsWindow& window = results.window();
    const RunChoices& choices = run.choices();
    window.setStatusPanel(ResultsStatusPanel::FerricIron, choices.ferricIronCaption);
    window.setStatusPanel(ResultsStatusPanel::NnoPressure, choices.nnoPressureCaption);
    window.setStatusPanel(ResultsStatusPanel::PlotMethod, choices.plotMethodCaption);
    window.setStatusPanel(ResultsStatusPanel::MagnetiteOxygen, choices.magnetiteOxygenCaption);
    window.setStatusPanel(ResultsStatusPanel::IlmeniteOxygen, choices.ilmeniteOxygenCaption);
    window.setStatusPanel(ResultsStatusPanel::FullModel, choices.fullModelCaption);

    if (!main.isOpenFileToCalculateChecked() && !loadFileFirst(main, desktop)) {
        main.setScreenTitle("Data Entry Screen");
        return;
    }
    const AnalysisTable& table = main.analysisTable();
    const int lastRow = table.rowCount() - 1;
    // With Monte Carlo uncertainty the draws come first: a cancelled run leaves the results
    // window and the plot data files as they were.
    std::optional<std::vector<PairUncertainty>> spread;
    if (main.uncertaintyOptions().isOn()) {
        spread =
            drawUncertainty(run, table, lastRow, main.uncertaintyOptions().settings(), desktop);
        if (!spread) {
            main.setScreenTitle("Data Entry Screen");
            return;
        }
    }
    const std::string fileName = main.dialogFileName();
    results.show();
    window.beginRun(startRunRecord(run.checks(), choices, versionLine(kProgramTitle), fileName,
                                   std::chrono::system_clock::now()));

    std::error_code error;
    std::filesystem::path folder = std::filesystem::current_path(error);
    if (error) folder = ".";
    PlotDataWriter plots(folder);
    if (spread) {
        plots.writeSigmaFiles(folder);
        window.resultsTable().showUncertaintyColumns(true);  // earlier rows may hold them too
    }
    window.resultsTable().reserveMoreRows(lastRow);
    std::size_t pairIndex = 0;
    std::string fullRow;
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    // The pairs are computed a chunk of rows at a time on every core (the table is only read
    // meanwhile); their rows, plot lines and the repaints follow in table order on this thread.
    // With the draws, the plot lines are written beside their sigma lines.
    const auto onRow = [&](const PairResult& result, const std::string& row) {
        window.setStatusPanel(ResultsStatusPanel::File, fileName);
        if (spread) {
            const PairUncertainty& pair = (*spread)[pairIndex++];
            PlotBuffers lines;
            PlotSigmaBuffers sigmaLines;
            if (appendPlotLines(lines, result, run.checks(), plotSigmas(pair), sigmaLines)) {
                run.noteNewerDeltaNNOLinesWritten();
            }
            plots.addLines(lines);
            plots.addSigmaLines(sigmaLines);
            fullRow = row;
            appendUncertaintyFields(fullRow, pair);
            window.appendResultsRow(fullRow);
        } else {
            if (plots.addPair(result, run.checks())) run.noteNewerDeltaNNOLinesWritten();
            window.appendResultsRow(row);
        }
        if (sinceRepaint.elapsed() >= kMillisecondsBetweenRepaints) {
            window.showTableChanges();
            letWindowsRepaint();
            sinceRepaint.restart();
        }
    };
    struct RowRange {
        int first = 0;
        int last = -1;
    };
    struct ComputedRow {
        PairResult result;
        std::string row;
    };
    ThreadPool pool;
    int nextRow = 1;
    runChunksInOrder<RowRange>(
        pool,
        [&](RowRange& range) {
            if (nextRow > lastRow) return false;
            range = {nextRow, std::min(lastRow, nextRow + kRowsPerChunk - 1)};
            nextRow = range.last + 1;
            return true;
        },
        [&](const RowRange& range) {
            std::vector<ComputedRow> computed;
            for (int r = range.first; r <= range.last; ++r) {
                const auto cell = [&](int k) -> const std::string& { return table.text(r, k + 1); };
                if (isBlankPairRow(cell)) continue;
                ComputedRow& out = computed.emplace_back();
                out.result = run.computePair(readAnalysisPair(cell));
                appendResultsRow(out.row, out.result);
            }
            return computed;
        },
        [&](const std::vector<ComputedRow>& rows) {
            for (const ComputedRow& computed : rows) onRow(computed.result, computed.row);
        });
    const std::vector<std::string> problems = plots.close();
    const std::vector<CellNotice> notices = findTableCellNotices(
        1, lastRow,
        [&table](int row, int k) -> const std::string& { return table.text(row, k + 1); });
    window.showTableChanges();
    main.setMethodChecks(run.checks());
    main.setScreenTitle("Data Entry Screen");
    reportCellNotices(notices, desktop);
    reportPlotFileProblems(problems, desktop);
}

}  // namespace kelvorad
