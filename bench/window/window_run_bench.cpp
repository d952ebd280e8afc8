// Times "Open File to Calculate" over a full analysis table of 350 generated pairs, from the
// click to the results window holding every row and the plot data files closed, in wall time and
// in the process's CPU time (the machine may be shared: the load average is printed). Runs on any
// Qt platform (QT_QPA_PLATFORM=offscreen for a machine without a display); the results window
// is closed between runs so that every run starts from its two header rows.
// Usage: window_run_bench [runs]   (default 21)
#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "bench_pairs.h"
#include "fake_desktop_services.h"
#include "program_windows.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    QTemporaryDir folder;
    if (!folder.isValid()) return 1;
    std::filesystem::current_path(folder.path().toStdString());

    kelvorad::fakes::FakeDesktop desktop;
    kelvorad::ProgramWindows windows(desktop.services());
    kelvorad::MainWindow& main = windows.mainWindow();
    main.show();
    main.newFile();
    kelvorad::AnalysisTable& table = main.analysisTable();
    const auto pairs = kelvorad::bench::generatedPairs(kelvorad::AnalysisTable::kLastDataRow);
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const int row = static_cast<int>(k) + 1;
        table.setCurrent(row, 1);
        table.setSelectionEnd(row, kelvorad::AnalysisTable::kLastColumn);
        table.putIntoSelection(kelvorad::bench::pairLine(pairs[k]));
    }
    main.showTableChanges();
    main.setOpenFileToCalculateChecked(true);  // as after Open File: no dialog

    QAction* calculate = main.findChild<QAction*>("mnuOpen");
    const auto cpuSeconds = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    };
    std::vector<double> times, cpuTimes;
    for (int r = 0; r < runs; ++r) {
        const double cpuStart = cpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        calculate->trigger();
        const auto end = std::chrono::steady_clock::now();
        cpuTimes.push_back(cpuSeconds() - cpuStart);
        auto* window = windows.resultsScreen().existingWindow();
        if (!window || window->resultsTable().rowCount() != 2 + static_cast<int>(pairs.size())) {
            std::fprintf(stderr, "the run did not give one results row per pair\n");
            return 1;
        }
        times.push_back(std::chrono::duration<double>(end - start).count());
        windows.resultsScreen().existingWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    double load[1] = {-1};
    getloadavg(load, 1);
    std::printf(
        "window run over %zu pairs: wall median %.4f s, best %.4f s; CPU median %.4f s, best "
        "%.4f s; over %d runs, load average %.2f\n",
        pairs.size(), times[times.size() / 2], times.front(), cpuTimes[cpuTimes.size() / 2],
        cpuTimes.front(), runs, load[0]);
    return 0;
}
