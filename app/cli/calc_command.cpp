#include "calc_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <future>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>

#include <unistd.h>

#include "analysis_file.h"
#include "calculation_run.h"
#include "cli_main.h"
#include "grid_transfer.h"
#include "output_file.h"
#include "pair_text_input.h"
#include "results_row.h"
#include "results_table.h"

namespace kelvorad {

namespace {

struct CalcOptions {
    std::string input;
    MethodChecks checks = startingMethodChecks();
    std::string rowsPath;
    std::string tablePath;
    std::string xlsxPath;
    std::string plotDir = ".";
    bool summary = false;
};

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

std::string validItemList() {
    std::string list;
    for (const MethodItemInfo& info : methodItems()) {
        list += "  " + std::string(info.name.substr(3)) + "\n";
    }
    return list;
}

// A plain decimal number of bars within the full model's range, or nullopt.
std::optional<double> parsePressure(const std::string& text) {
    if (text.empty() || text.size() > 32) return std::nullopt;
    char* end = nullptr;
    const double bars = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(bars)) return std::nullopt;
    if (!isPressureInRange(bars)) return std::nullopt;
    return bars;
}

// One of the five buffer pressures checks its own item; any other goes to "Other pressure".
void setPressure(MethodChecks& checks, double bars) {
    for (auto [pressure, item] : {std::pair{1.0, MethodItem::NNO1},
                                  {1000.0, MethodItem::NNO1000},
                                  {2000.0, MethodItem::NNO2000},
                                  {3000.0, MethodItem::NNO3000},
                                  {5000.0, MethodItem::NNO5000}}) {
        if (bars == pressure) {
            checks.setChecked(item, true);
            return;
        }
    }
    checks.setOtherPressureBars(bars);
    checks.setChecked(MethodItem::OtherPressure, true);
}

// Parses the arguments; on a usage error prints it and returns nullopt.
std::optional<CalcOptions> parseArguments(const std::vector<std::string>& args) {
    CalcOptions o;
    auto fail = [](const std::string& message) {
        std::cerr << "kelvorad calc: " << message << "\n(see 'kelvorad calc --help')\n";
        return std::nullopt;
    };
    auto check = [&](const std::string& name) -> bool {
        const auto item = findMethodItem(name);
        if (!item) {
            std::cerr << "kelvorad calc: unknown menu item '" << name << "'. Valid items:\n"
                      << validItemList();
            return false;
        }
        o.checks.setChecked(*item, true);
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--check" || a == "--fe3" || a == "--pressure" || a == "--rows" ||
            a == "--table" || a == "--plot-dir" || a == "--xlsx") {
            if (!hasValue) return fail("option " + a + " needs a value");
            const std::string& v = args[++i];
            if (a == "--check") {
                if (!check(v)) return std::nullopt;
            } else if (a == "--fe3") {
                std::string scheme = v;
                std::transform(scheme.begin(), scheme.end(), scheme.begin(), ::tolower);
                if (scheme == "stormer") {
                    check("Fe3Stormer");
                } else if (scheme == "carmichael") {
                    check("Fe3Carmichael");
                } else if (scheme == "droop") {
                    check("Fe3Droop");
                } else {
                    return fail("--fe3 takes stormer, carmichael or droop, not '" + v + "'");
                }
            } else if (a == "--pressure") {
                const std::optional<double> bars = parsePressure(v);
                if (!bars) {
                    std::string message =
                        "--pressure takes a number of bars from 1 to 10000, not '";
                    message.append(v).append("'");
                    return fail(message);
                }
                setPressure(o.checks, *bars);
            } else if (a == "--rows") {
                o.rowsPath = v;
            } else if (a == "--table") {
                o.tablePath = v;
            } else if (a == "--xlsx") {
                o.xlsxPath = v;
            } else {
                o.plotDir = v;
            }
        } else if (a == "--summary") {
            o.summary = true;
        } else if (a == "--no-full-model") {
            o.checks.setChecked(MethodItem::GE08Model, false);
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return fail("unknown option '" + a + "'");
        } else if (o.input.empty()) {
            o.input = a;
        } else {
            return fail("more than one input file ('" + o.input + "', '" + a + "')");
        }
    }
    if (o.input.empty()) return fail("no input file");
    if (o.rowsPath == "-" && o.tablePath == "-") {
        return fail("--rows and --table cannot both write to standard output");
    }
    if (o.summary && (o.rowsPath == "-" || o.tablePath == "-")) {
        return fail("--summary cannot share standard output with --rows - or --table -");
    }
    return o;
}

// The pairs of the input, as rows of 35 analysis cells. Reading is safe from several threads.
class InputPairs {
  public:
    virtual ~InputPairs() = default;
    virtual long rowCount() const = 0;
    // The 35 analysis cells of row r (0-based).
    virtual void readRow(long r, std::vector<std::string>& cells) const = 0;
};

// An analysis file read into the analysis table: rows 1 to 350.
class TableInput : public InputPairs {
  public:
    explicit TableInput(std::unique_ptr<TextGrid> table) : table_(std::move(table)) {}
    long rowCount() const override { return AnalysisTable::kLastDataRow; }
    void readRow(long r, std::vector<std::string>& cells) const override {
        cells.resize(kPairCellCount);
        for (int k = 0; k < kPairCellCount; ++k) cells[k] = table_->text(int(r) + 1, k + 1);
    }

  private:
    std::unique_ptr<TextGrid> table_;
};

class TextInput : public InputPairs {
  public:
    explicit TextInput(PairTextInput input) : input_(std::move(input)) {}
    long rowCount() const override { return static_cast<long>(input_.lineCount()); }
    void readRow(long r, std::vector<std::string>& cells) const override {
        input_.cells(static_cast<std::size_t>(r), cells);
    }

  private:
    PairTextInput input_;
};

std::unique_ptr<InputPairs> loadInput(const std::string& path, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = "cannot read '" + path +
                "': " + (std::filesystem::exists(path, ec) ? "not a regular file" : "no such file");
        return nullptr;
    }
    const std::string ext = lowerExtension(path);
    if (ext == ".mi") {
        auto table = std::make_unique<AnalysisTable>();
        const FileResult result = readAnalysisFile(*table, path);
        if (!result.ok) {
            error = result.error;
            return nullptr;
        }
        return std::make_unique<TableInput>(std::move(table));
    }
    if (ext == ".xlsx" || ext == ".xls" || ext == ".ods") {
        // The active sheet mirrors the analysis table: its first row the headers, its first
        // column the row numbers, rows 2 to 351 the pairs.
        auto table = std::make_unique<AnalysisTable>();
        const Status status = copyActiveSheetIntoGrid(path, *table);
        if (!status.ok()) {
            error = status.error();
            return nullptr;
        }
        return std::make_unique<TableInput>(std::move(table));
    }
    if (ext == ".tsv" || ext == ".csv" || ext == ".txt") {
        std::string bytes;
        if (!readWholeFile(path, bytes, error)) return nullptr;
        const char separator = ext == ".tsv" ? '\t' : ext == ".csv" ? ',' : 0;
        return std::make_unique<TextInput>(PairTextInput(decodeAnalysisText(bytes), separator));
    }
    error = "cannot read '" + path +
            "': not an analysis file (.mi), a workbook (.xlsx, .xls, .ods) or a text file of "
            "pairs (.tsv, .csv, .txt)";
    return nullptr;
}

// The estimates the summary shows for one pair.
struct SummaryLine {
    std::string sample;
    double tModel = kMissing, logFO2Model = kMissing, deltaNNOModel = kMissing;
    double deltaFMQModel = kMissing;
    double tAL85, logFO2, deltaNNO, tS08, tGE08;
    EquilibriumVerdict equilibrium;

    explicit SummaryLine(const PairResult& r)
        : sample(r.input.magnetite.sample),
          tAL85(r.thermometry.tAL85[3]),
          logFO2(r.thermometry.fo2AL85[3]),
          deltaNNO(r.thermometry.deltaNNOAL85[3]),
          tS08(r.newer.tS08),
          tGE08(r.newer.tGE08),
          equilibrium(r.equilibrium) {
        if (r.fullModel) {
            tModel = r.fullModel->temperatureC;
            logFO2Model = r.fullModel->log10fO2;
            deltaNNOModel = r.fullModel->deltaNNO;
            deltaFMQModel = r.deltaFMQFullModel;
        }
    }
};

// A short table of the main estimates for a reader at the terminal: the full Ghiorso and Evans
// (2008) model first, then Andersen and Lindsley with Stormer fractions, Sauerzapf et al. and
// the GE08 regression.
void printSummary(const std::vector<SummaryLine>& results, const RunChoices& choices,
                  const std::string& input) {
    std::printf("Kelvorad: %zu pair%s from %s\n", results.size(), results.size() == 1 ? "" : "s",
                input.c_str());
    std::printf("Full model: %s\n", choices.modelPanel.c_str());
    std::printf("Ferric iron: %s; buffer of the older calibrations: %s\n\n", choices.panel4.c_str(),
                choices.panel5.c_str());
    std::printf("%-16s %-35s  %-26s %9s %10s\n", "", "GE08 model", "AL85 (S83 fractions)", "S08",
                "GE08 reg.");
    std::printf("%-16s %8s %8s %8s %8s  %8s %8s %8s %9s %10s %11s\n", "Sample", "T(oC)", "logfO2",
                "DNNO", "DFMQ", "T(oC)", "logfO2", "DNNO", "T(oC)", "T(oC)", "BH88");
    auto cell = [](double v, const char* format) {
        char text[32];
        if (isMissing(v)) return std::string("-");
        std::snprintf(text, sizeof text, format, v);
        return std::string(text);
    };
    for (const SummaryLine& r : results) {
        std::printf("%-16s %8s %8s %8s %8s  %8s %8s %8s %9s %10s %11s\n", r.sample.c_str(),
                    cell(r.tModel, "%.1f").c_str(), cell(r.logFO2Model, "%.2f").c_str(),
                    cell(r.deltaNNOModel, "%.2f").c_str(), cell(r.deltaFMQModel, "%.2f").c_str(),
                    cell(r.tAL85, "%.1f").c_str(), cell(r.logFO2, "%.2f").c_str(),
                    cell(r.deltaNNO, "%.2f").c_str(), cell(r.tS08, "%.1f").c_str(),
                    cell(r.tGE08, "%.1f").c_str(),
                    std::string(equilibriumVerdictText(r.equilibrium)).c_str());
    }
    std::printf(
        "\nGE08 model: the Ghiorso and Evans (2008) thermodynamic model, at the run's "
        "pressure.\nGE08 reg.: the GE08 regression, a fit to the Sauerzapf et al. (2008) "
        "model, not the model itself.\nDNNO, DFMQ: log fO2 minus the NNO and FMQ "
        "buffers.\n");
}

// Appends LF-ended lines of TAB-separated fields to the results table.
void appendTableLines(ResultsTable& table, std::string_view lines) {
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        table.appendResultsRow(lines.substr(0, end));
        if (end == std::string_view::npos) break;
        lines.remove_prefix(end + 1);
    }
}

// Saves the results table as a new workbook at `path` (a temporary workbook beside it renamed
// over it, so no rows of an older, longer table survive). Returns the problem, or "".
std::string saveResultsWorkbook(const ResultsTable& table, const std::string& path) {
    const std::string temporary = path + ".new" + std::to_string(::getpid()) + ".xlsx";
    std::error_code ec;
    std::filesystem::remove(temporary, ec);
    const Status status = writeGridToWorkbookFile(table, temporary);
    if (!status.ok()) {
        std::filesystem::remove(temporary, ec);
        return status.error();
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return "cannot write '" + path + "': " + ec.message();
    }
    return "";
}

// What the run must produce besides the plot data lines.
struct Wants {
    bool rows;
    bool table;
    bool summary;
};

// The output of consecutive input rows, in order.
struct Chunk {
    std::string rows;   // results rows, each ended by LF
    std::string table;  // the same rows padded to the results table's 211 columns
    PlotBuffers plots;
    bool newerDeltaNNOLines = false;
    std::vector<SummaryLine> summary;
};

Chunk processChunk(const CalculationRun& run, const MethodChecks& checks, const InputPairs& input,
                   long first, long last, const Wants& wants) {
    Chunk chunk;
    std::vector<std::string> cells;
    std::string row;
    const std::string shortPadding(ResultsTable::kColumns - kResultsRowFields, '\t');
    const std::string fullPadding(ResultsTable::kColumns - kResultsRowFieldsWithFullModel, '\t');
    for (long r = first; r < last; ++r) {
        input.readRow(r, cells);
        const auto cell = [&](int k) -> std::string_view { return cells[k]; };
        if (isBlankPairRow(cell)) continue;
        const PairResult result = run.computePair(readAnalysisPair(cell));
        row.clear();
        appendResultsRow(row, result);
        if (wants.rows) chunk.rows.append(row).push_back('\n');
        if (wants.table) {
            chunk.table.append(row).append(result.fullModel ? fullPadding : shortPadding);
            chunk.table.push_back('\n');
        }
        if (appendPlotLines(chunk.plots, result, checks)) chunk.newerDeltaNNOLines = true;
        if (wants.summary) chunk.summary.emplace_back(result);
    }
    return chunk;
}

// Runs the input through the engine in chunks of rows, on every core for large inputs, and
// hands the chunks to `consume` in table order on the calling thread.
template <typename Consume>
void processInChunks(const CalculationRun& run, const InputPairs& input, const Wants& wants,
                     Consume&& consume) {
    const long rowCount = input.rowCount();
    // The workers read a copy of the option states; the run itself updates the real ones.
    const MethodChecks checks = run.checks();
    // The full thermodynamic model costs about 300 us a pair: small chunks spread even a
    // table of 350 pairs over the cores.
    const long kChunkRows = checks.isChecked(MethodItem::GE08Model) ? 64 : 4096;
    if (rowCount <= kChunkRows) {
        consume(processChunk(run, checks, input, 0, rowCount, wants));
        return;
    }
    const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
    std::deque<std::future<Chunk>> pending;
    long next = 0;
    while (next < rowCount || !pending.empty()) {
        while (next < rowCount && pending.size() < workers + 1) {
            const long first = next;
            const long last = std::min(rowCount, next + kChunkRows);
            pending.push_back(std::async(std::launch::async, [&, first, last] {
                return processChunk(run, checks, input, first, last, wants);
            }));
            next = last;
        }
        Chunk chunk = pending.front().get();
        pending.pop_front();
        consume(chunk);
    }
}

}  // namespace

std::string calcHelp() {
    return R"(usage: kelvorad calc INPUT [options]

Calculates every magnetite-ilmenite pair of INPUT: structural formulae with ferric iron,
end-member fractions, temperatures and oxygen fugacities by every calibration, DeltaNNO and the
Bacon and Hirschmann (1988) equilibrium test, exactly as the window's "Open File to Calculate".

INPUT
  an analysis file (.mi), a workbook (.xlsx, .xls, .ods) whose active sheet mirrors the
  analysis table (the template workbooks Kelvorad.xlsx/.xls), or a text file of pairs (.tsv tab-separated, .csv comma-separated,
  .txt either), one pair per line in the analysis table's layout: magnetite sample, 16 oxides,
  spacer, ilmenite sample, 16 oxides (SiO2 TiO2 Al2O3 V2O3 Cr2O3 Nb2O3 Fe2O3 FeO MnO NiO ZnO MgO
  CaO Na2O K2O BaO, wt%). A first line starting with "Sample" is a header. Text files have no
  row limit; an analysis file holds at most 350 pairs. Rows whose cells are all blank are skipped.

options
  --check ITEM       check the method menu item "mnu"+ITEM before the run (repeatable), e.g.
                     --check Fe3Droop --check 1NNO --check AL85uC67 --check BH88TestforTO
  --no-full-model    leave out the full Ghiorso and Evans (2008) thermodynamic model (on by
                     default: columns 135 to 140, T, log fO2, DeltaNNO, aTiO2, Fe-Mg T, status;
                     DeltaFMQ in 142 to 146); rows are then 134 fields, as without the model
  --fe3 SCHEME       stormer (default), carmichael or droop (same as --check Fe3Droop, ...)
  --pressure BARS    pressure from 1 to 10000 bars (default 2000): the full model's and the FMQ
                     buffer's; the older calibrations' NNO buffer takes the nearest of 1, 1000,
                     2000, 3000 and 5000
  --rows FILE        write one results row per pair: 147 TAB-separated fields (134 without the
                     full model), LF-terminated, no header ("-" for standard output)
  --table FILE       write the whole results table: its column-number and header rows, then the
                     results rows, 211 TAB-separated columns each ("-" for standard output)
  --xlsx FILE        write the whole results table (both header rows, 211 columns) into a new
                     workbook; numbers are stored as numbers
  --plot-dir DIR     folder of the seven plot data files written by every run (default: the
                     current folder; made, with its parents, when missing): TlogfO2.dat
                     TfO2SL81.dat TfO2BL64Grid.dat XUspXIlm.dat MgMnIlmMagBH88.dat TiR2R3.dat
                     TDeltaNNO.dat
  -h, --help         this text
  --version          print the version and the source revision of the build

  --summary          print the summary of the main estimates besides --rows or --table

Without --rows or --table, a summary of the main estimates is printed.

exit status
  0 done; 1 the input could not be read (nothing is written) or an output file could not be
  written (the run still completes); 2 wrong usage, such as an unknown menu item.

menu items for --check
)" + validItemList();
}

int runCalcCommand(const std::vector<std::string>& arguments) {
    if (answeredHelpOrVersion(arguments, calcHelp)) return 0;
    std::optional<CalcOptions> options = parseArguments(arguments);
    if (!options) return 2;

    std::string error;
    std::unique_ptr<InputPairs> input = loadInput(options->input, error);
    if (!input) {
        std::cerr << "kelvorad calc: " << error << "\n";
        return 1;
    }

    int status = 0;
    OutputFile rows;
    OutputFile table;
    if (!options->rowsPath.empty() && !rows.open(options->rowsPath)) {
        std::cerr << "kelvorad calc: " << rows.error() << "\n";
        return 1;
    }
    if (!options->tablePath.empty() && !table.open(options->tablePath)) {
        std::cerr << "kelvorad calc: " << table.error() << "\n";
        return 1;
    }
    if (table.isOpen()) table.write(headerRowsAsText());
    // The workbook gets the whole results table, built in memory and saved at the end.
    std::unique_ptr<ResultsTable> workbookTable;
    if (!options->xlsxPath.empty()) workbookTable = std::make_unique<ResultsTable>();

    // The plot data folder is made when missing, parents and all, as "kelvorad plot --out" makes
    // its image folder; a folder that cannot be made is reported with the files it loses.
    std::error_code folderError;
    std::filesystem::create_directories(options->plotDir, folderError);
    if (folderError) {
        std::cerr << "kelvorad calc: cannot create the plot data folder '" << options->plotDir
                  << "': " << folderError.message() << "\n";
    }
    CalculationRun run(options->checks);
    PlotDataWriter plots(options->plotDir);
    // Without data outputs the reader gets a summary; --summary asks for it besides them.
    const bool summary = options->summary || (!rows.isOpen() && !table.isOpen() && !workbookTable);
    const Wants wants{rows.isOpen(), table.isOpen() || workbookTable, summary};
    std::vector<SummaryLine> summaryLines;
    processInChunks(run, *input, wants, [&](const Chunk& chunk) {
        if (rows.isOpen()) {
            rows.write(chunk.rows);
            rows.flushIfLarge();
        }
        if (table.isOpen()) {
            table.write(chunk.table);
            table.flushIfLarge();
        }
        if (workbookTable) appendTableLines(*workbookTable, chunk.table);
        plots.addLines(chunk.plots);
        if (chunk.newerDeltaNNOLines) run.noteNewerDeltaNNOLinesWritten();
        summaryLines.insert(summaryLines.end(), chunk.summary.begin(), chunk.summary.end());
    });

    for (const std::string& problem : plots.close()) {
        std::cerr << "kelvorad calc: plot data file not written: " << problem << "\n";
        status = 1;
    }
    if (workbookTable) {
        const std::string error = saveResultsWorkbook(*workbookTable, options->xlsxPath);
        if (!error.empty()) {
            std::cerr << "kelvorad calc: " << error << "\n";
            status = 1;
        }
    }
    for (OutputFile* out : {&rows, &table}) {
        if (out->isOpen() && !out->commit()) {
            std::cerr << "kelvorad calc: " << out->error() << "\n";
            status = 1;
        }
    }
    if (summary) {
        printSummary(summaryLines, run.choices(), options->input);
        std::printf("\nPlot data files in %s:", options->plotDir.c_str());
        for (int k = 0; k < kPlotFileCount; ++k) {
            std::printf(" %s (%ld)", std::string(plotFiles()[k].fileName).c_str(),
                        plots.lineCounts()[k]);
        }
        std::printf("\n");
    }
    return status;
}

}  // namespace kelvorad
