// Saves a picture of one of the program's windows for the documentation:
// kelvorad_screenshots WHAT OUTPUT.png, WHAT being
//   main      the main window in its data-entry look, with a few analysis pairs typed,
//   about     the About window,
//   citation  the citation window About's Published in shows,
//   results   the results window after a run over the bundled natural pairs,
//   graph     the graph window of the Graph menu's first entry after that run.
// Each WHAT is one function in kShots. Run it under a real (or virtual) X display so that fonts and
// styles are the desktop's. Side files the windows write (the main window's "mi.tem") go to a
// temporary folder.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <fstream>
#include <iostream>
#include <string_view>
#include <vector>

#include "analysis_file.h"
#include "cli/pair_text_input.h"
#include "data_folder.h"
#include "graph_templates.h"
#include "graph_window.h"
#include "info_windows.h"
#include "main_window.h"
#include "program_windows.h"
#include "qt_desktop_services.h"

namespace {
// Five magnetite-ilmenite pairs: sample, then the sixteen oxides (wt%) of each mineral.
constexpr std::array<const char*, 5> kPairs{
    "MT-01\t0.08\t8.41\t2.15\t0.45\t0.05\t\t\t81.20\t0.52\t0.02\t0.10\t1.95\t0.01\t\t\t\t\t"
    "ILM-01\t0.03\t46.10\t0.12\t0.30\t0.02\t\t\t48.90\t0.65\t\t0.02\t2.85\t0.02",
    "MT-02\t0.11\t9.02\t2.30\t0.41\t0.07\t\t\t80.65\t0.49\t0.03\t0.12\t2.05\t0.02\t\t\t\t\t"
    "ILM-02\t0.05\t45.72\t0.15\t0.28\t0.03\t\t\t49.35\t0.61\t\t0.03\t2.71\t0.01",
    "MT-03\t0.07\t7.88\t1.98\t0.52\t0.04\t\t\t82.10\t0.55\t0.01\t0.09\t1.80\t0.01\t\t\t\t\t"
    "ILM-03\t0.02\t44.95\t0.10\t0.33\t0.02\t\t\t50.20\t0.70\t\t0.01\t2.60\t0.02",
    "MT-04\t0.09\t10.15\t2.41\t0.39\t0.06\t\t\t79.40\t0.47\t0.02\t0.11\t2.20\t0.02\t\t\t\t\t"
    "ILM-04\t0.04\t47.05\t0.14\t0.27\t0.03\t\t\t47.60\t0.62\t\t0.02\t3.01\t0.01",
    "MT-05\t0.10\t8.76\t2.22\t0.44\t0.05\t\t\t80.95\t0.50\t0.02\t0.10\t2.00\t0.01\t\t\t\t\t"
    "ILM-05\t0.03\t46.40\t0.13\t0.29\t0.02\t\t\t48.55\t0.66\t\t0.02\t2.90\t0.02",
};

// Lets the window settle (layout, fonts, first paint), then saves its picture.
bool save(QWidget& window, const QString& output) {
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    if (window.grab().save(output)) return true;
    std::cerr << "kelvorad_screenshots: cannot write " << output.toStdString() << "\n";
    return false;
}

bool shootMain(kelvorad::QtDesktop& desktop, const QString& output) {
    kelvorad::MainWindow window(desktop.services());
    window.resize(1360, 760);
    window.show();
    window.newFile();
    kelvorad::AnalysisTable& table = window.analysisTable();
    table.setCurrent(1, 1);
    table.setSelectionEnd(static_cast<int>(kPairs.size()), kelvorad::AnalysisTable::kLastColumn);
    for (std::size_t k = 0; k < kPairs.size(); ++k) {
        table.setCurrent(static_cast<int>(k) + 1, 1);
        table.setSelectionEnd(static_cast<int>(k) + 1, kelvorad::AnalysisTable::kLastColumn);
        table.putIntoSelection(kPairs[k]);
    }
    table.setCurrent(3, 9);
    window.showTableChanges();
    // The cell editor mirrors the current cell, as after a click on it.
    if (auto* editor = window.findChild<QLineEdit*>("Text1")) {
        editor->setText(QString::fromStdString(table.text(3, 9)));
    }
    window.setFileStatus("New File");
    window.setScreenTitle("Data Entry Screen");
    return save(window, output);
}

bool shootAbout(kelvorad::QtDesktop& desktop, const QString& output) {
    kelvorad::InfoWindows windows(desktop.shell);
    windows.showAbout();
    return save(*windows.aboutWindow(), output);
}

bool shootCitation(kelvorad::QtDesktop& desktop, const QString& output) {
    kelvorad::InfoWindows windows(desktop.shell);
    windows.showCitation();
    return save(*windows.citationWindow(), output);
}

// The bundled natural pairs (a text file the window does not open) as an analysis file in the
// current (scratch) folder, so that the window's run reads them as a user's file. Empty when
// they cannot be read.
std::string naturalPairsAnalysisFile(kelvorad::AnalysisTable& table) {
    std::ifstream csv(kelvorad::dataFolder() / "examples" / "natural-pairs.csv", std::ios::binary);
    if (!csv) return {};
    kelvorad::PairTextInput input(csv);
    std::vector<std::string> cells;
    for (int row = 1; row <= kelvorad::AnalysisTable::kLastDataRow && input.next(cells); ++row) {
        std::string line;
        for (std::size_t k = 0; k < cells.size(); ++k) {
            if (k > 0) line += '\t';
            line += cells[k];
        }
        table.setCurrent(row, 1);
        table.setSelectionEnd(row, kelvorad::AnalysisTable::kLastColumn);
        table.putIntoSelection(line);
    }
    const std::string path = QDir::current().absoluteFilePath("natural-pairs.mi").toStdString();
    return kelvorad::writeAnalysisFile(table, path).ok() ? path : std::string();
}

bool shootResults(kelvorad::QtDesktop& desktop, const QString& output) {
    kelvorad::ProgramWindows windows(desktop.services());
    kelvorad::MainWindow& main = windows.mainWindow();
    main.show();
    main.newFile();
    const std::string file = naturalPairsAnalysisFile(main.analysisTable());
    if (file.empty()) return false;
    main.openFileNamed(file);
    main.findChild<QAction*>("mnuOpen")->trigger();
    kelvorad::ResultsWindow* results = windows.resultsScreen().existingWindow();
    if (!results) return false;
    results->resize(1500, 820);
    // The full model's columns beside the sample names.
    kelvorad::ResultsTable& table = results->resultsTable();
    table.setCurrent(8, 140);
    results->showTableChanges();
    table.setCurrent(8, 135);
    results->showTableChanges();
    return save(*results, output);
}

// A run over the second bundled example, then the Graph menu's first entry; the picture is
// taken once gnuplot has drawn it.
bool shootGraph(kelvorad::QtDesktop& desktop, const QString& output) {
    kelvorad::ProgramWindows windows(desktop.services());
    kelvorad::MainWindow& main = windows.mainWindow();
    main.openFileNamed((kelvorad::dataFolder() / "examples" / "fe-ti-oxide-pairs.mi").string());
    main.findChild<QAction*>("mnuOpen")->trigger();
    kelvorad::ResultsWindow* results = windows.resultsScreen().existingWindow();
    if (!results) return false;
    results->findChild<QAction*>("mnuTlogfO2BL64")->trigger();
    const auto path =
        kelvorad::findGraphTemplate("TlogfO2BL64.grf", kelvorad::currentGraphFolders());
    kelvorad::GraphWindow* graph = path ? results->graphWindow(*path) : nullptr;
    if (!graph) return false;
    graph->resize(1000, 800);
    QEventLoop drawing;
    QObject::connect(graph, &kelvorad::GraphWindow::drawn, &drawing, &QEventLoop::quit);
    QTimer::singleShot(20000, &drawing, &QEventLoop::quit);
    if (graph->isDrawing()) drawing.exec();
    return save(*graph, output);
}

struct Shot {
    std::string_view what;
    bool (*shoot)(kelvorad::QtDesktop&, const QString&);
};

constexpr std::array<Shot, 5> kShots{{
    {"main", shootMain},
    {"about", shootAbout},
    {"citation", shootCitation},
    {"results", shootResults},
    {"graph", shootGraph},
}};

void printUsage() {
    std::cerr << "usage: kelvorad_screenshots WHAT OUTPUT.png, WHAT one of:";
    for (const Shot& shot : kShots) std::cerr << " " << shot.what;
    std::cerr << "\n";
}
}  // namespace

int main(int argc, char** argv) {
    // The windows keep settings and recovery files in the user's folders: the shots start from
    // folders of their own, so that they neither depend on nor change the user's.
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath("state")));
    QApplication app(argc, argv);
    if (argc != 3) {
        printUsage();
        return 2;
    }
    const std::string_view what = argv[1];
    const Shot* shot = nullptr;
    for (const Shot& candidate : kShots) {
        if (candidate.what == what) shot = &candidate;
    }
    if (!shot) {
        printUsage();
        return 2;
    }
    const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path())) return 1;

    kelvorad::QtDesktop desktop;
    return shot->shoot(desktop, output) ? 0 : 1;
}
