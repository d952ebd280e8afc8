// Sending a full results table (352 rows by 211 columns, the two header rows and 350 result
// rows) into worksheet 1 of Output.xlsx cell by cell, then saving it; the whole should take
// well under 0.3 s.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "grid_transfer.h"
#include "number_text.h"
#include "spreadsheet_application.h"

namespace kelvorad {
namespace {

namespace fs = std::filesystem;

class NoDesktop : public Shell {
  public:
    bool openDocument(const std::string&) override { return true; }
    bool startDetached(const std::string&, const std::vector<std::string>&,
                       const std::string&) override {
        return true;
    }
};

TextGrid fullResultsTable() {
    TextGrid grid(352, 211);
    grid.setText(0, 0, "Kelvorad");
    for (int c = 1; c <= 135; ++c) grid.setText(0, c, std::to_string(c));
    for (int c = 0; c <= 133; ++c) grid.setText(1, c, "[Header " + std::to_string(c) + "]");
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-20.0, 1200.0);
    for (int r = 2; r < 352; ++r) {
        grid.setText(r, 0, "Pair " + std::to_string(r - 1));
        for (int c = 1; c <= 131; ++c) grid.setText(r, c, formatNumber(value(random)));
        grid.setText(r, 133, r % 3 ? "Passed" : "Failed");
    }
    return grid;
}

fs::path benchFolder() {
    const fs::path folder = fs::temp_directory_path() / "kelvorad-workbook-bench";
    fs::create_directories(folder);
    return folder;
}

// What the results window does: put every cell through the worksheet, then show (save).
void SendAndSaveResultsTable(benchmark::State& state) {
    const TextGrid table = fullResultsTable();
    const fs::path file = benchFolder() / "Output.xlsx";
    NoDesktop desktop;
    for (auto _ : state) {
        auto app = SpreadsheetApplication::create(desktop);
        auto workbook = app.workbooks().openOrCreate(file);
        auto sheet = workbook->worksheet(1).value();
        for (int r = 0; r < table.rowCount(); ++r) {
            for (int c = 0; c < table.columnCount(); ++c) {
                sheet.cell(r + 1, c + 1).setValue(table.text(r, c));
            }
        }
        if (!app.setVisible(true).ok()) state.SkipWithError("saving failed");
        app.quit();
    }
    fs::remove_all(benchFolder());
}
BENCHMARK(SendAndSaveResultsTable)->Unit(benchmark::kMillisecond);

// The share of the puts alone (the send, before anything is saved).
void SendResultsTableOnly(benchmark::State& state) {
    const TextGrid table = fullResultsTable();
    NoDesktop desktop;
    for (auto _ : state) {
        auto app = SpreadsheetApplication::create(desktop);
        auto workbook = app.workbooks().openOrCreate(benchFolder() / "Output.xlsx");
        auto sheet = workbook->worksheet(1).value();
        for (int r = 0; r < table.rowCount(); ++r) {
            for (int c = 0; c < table.columnCount(); ++c) {
                sheet.cell(r + 1, c + 1).setValue(table.text(r, c));
            }
        }
        app.quit();
    }
    fs::remove_all(benchFolder());
}
BENCHMARK(SendResultsTableOnly)->Unit(benchmark::kMillisecond);

// The command line's whole-table write, into a file that already holds the table.
void WriteGridToExistingWorkbook(benchmark::State& state) {
    const TextGrid table = fullResultsTable();
    const fs::path file = benchFolder() / "Output.xlsx";
    writeGridToWorkbookFile(table, file);
    for (auto _ : state) {
        if (!writeGridToWorkbookFile(table, file).ok()) state.SkipWithError("saving failed");
    }
    fs::remove_all(benchFolder());
}
BENCHMARK(WriteGridToExistingWorkbook)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvorad

BENCHMARK_MAIN();
