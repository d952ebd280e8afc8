#include "calc_command.h"

#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "calc_arguments.h"
#include "calc_summary.h"
#include "chunked_run.h"
#include "cli_main.h"
#include "output_file.h"
#include "pair_input.h"
#include "program_info.h"
#include "results_row.h"
#include "results_saving.h"
#include "results_table.h"
#include "run_record.h"

namespace kelvorad {

namespace {

void printError(const std::string& text) {
    std::cerr << "kelvorad calc: " << text << "\n";
}

// Opens the input and says what its reader left out; null (with the error printed) when the
// input cannot be used, `exitCode` then holding the command's exit code.
std::unique_ptr<PairSource> openInput(const std::string& path, bool sayNotices, int& exitCode) {
    OpenedInput input = openPairInput(path);
    if (!input.pairs) {
        printError(input.error);
        exitCode = input.exitCode;
        return nullptr;
    }
    if (sayNotices) {
        for (const std::string& notice : input.notices) printError(notice);
    }
    return std::move(input.pairs);
}

void printCellNotices(const std::vector<CellNotice>& notices, const std::string& input,
                      std::string_view positionWord) {
    for (const CellNotice& notice : notices) {
        printError(input + ": " + describeCellNotice(notice, positionWord));
    }
}

// Reads the whole input and names each oxide cell that is not a plain number; returns how
// many there were.
long checkEveryCell(PairSource& pairs, const std::string& input) {
    long count = 0;
    std::vector<PairRow> rows;
    std::vector<CellNotice> notices;
    constexpr std::size_t kRowsPerRead = 1024;
    while (pairs.read(rows, kRowsPerRead)) {
        for (const PairRow& row : rows) {
            const auto cell = [&](int k) -> std::string_view { return row.cells[k]; };
            if (!isBlankPairRow(cell)) findCellNotices(row.position, cell, notices);
        }
        printCellNotices(notices, input, pairs.positionWord());
        count += static_cast<long>(notices.size());
        rows.clear();
        notices.clear();
    }
    return count;
}

}  // namespace

int runCalcCommand(const std::vector<std::string>& arguments) {
    if (answeredHelpOrVersion(arguments, calcHelp)) return 0;
    std::optional<CalcOptions> options = parseCalcArguments(arguments);
    if (!options) return 2;

    int status = 0;
    std::unique_ptr<PairSource> input = openInput(options->input, true, status);
    if (!input) return status;
    if (options->strict) {
        if (const long cells = checkEveryCell(*input, options->input); cells > 0) {
            printError("--strict: " + std::to_string(cells) +
                       (cells == 1 ? " oxide cell is not a plain number"
                                   : " oxide cells are not plain numbers") +
                       "; nothing was written");
            return 1;
        }
        input = openInput(options->input, false, status);  // from the start again
        if (!input) return status;
    }

    OutputFile rows;
    OutputFile table;
    if (!options->rowsPath.empty() && !rows.open(options->rowsPath)) {
        printError(rows.error());
        return 1;
    }
    if (!options->tablePath.empty() && !table.open(options->tablePath)) {
        printError(table.error());
        return 1;
    }
    const MonteCarloSettings* monteCarlo = options->monteCarlo ? &*options->monteCarlo : nullptr;
    if (table.isOpen()) table.write(headerRowsAsText(ResultsTable::kColumns, monteCarlo));
    // The workbook gets the whole results table, built in memory and saved at the end.
    std::unique_ptr<ResultsTable> workbookTable;
    if (!options->xlsxPath.empty()) {
        workbookTable = std::make_unique<ResultsTable>();
        workbookTable->showUncertaintyColumns(monteCarlo);
    }

    // The plot data folder is made when missing, parents and all, as "kelvorad plot --out" makes
    // its image folder; a folder that cannot be made is reported with the files it loses.
    std::error_code folderError;
    std::filesystem::create_directories(options->plotDir, folderError);
    if (folderError) {
        std::cerr << "kelvorad calc: cannot create the plot data folder '" << options->plotDir
                  << "': " << folderError.message() << "\n";
    }
    CalculationRun run(options->checks);
    RunRecord record = startRunRecord(run.checks(), run.choices(), versionLine(kProgramTitle),
                                      options->input, std::chrono::system_clock::now());
    // The line of a --table file, and the row of the workbook's first sheet, of the first
    // results row: after the column-number and header rows.
    constexpr long kFirstResultsLine = ResultsTable::kHeaderRows + 1;
    long pairsSoFar = 0;
    PlotDataWriter plots(options->plotDir);
    if (monteCarlo) plots.writeSigmaFiles(options->plotDir);
    // Without data outputs the reader gets a summary; --summary asks for it besides them.
    const bool summary = options->summary || (!rows.isOpen() && !table.isOpen() && !workbookTable &&
                                              options->runRecordPath != "-");
    const Wants wants{rows.isOpen(), table.isOpen() || workbookTable, summary, !options->strict,
                      monteCarlo};
    std::vector<SummaryLine> summaryLines;
    processInChunks(run, *input, wants, [&](const Chunk& chunk) {
        printCellNotices(chunk.notices, options->input, input->positionWord());
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
        if (monteCarlo) plots.addSigmaLines(chunk.plotSigmas);
        if (chunk.newerDeltaNNOLines) run.noteNewerDeltaNNOLinesWritten();
        summaryLines.insert(summaryLines.end(), chunk.summary.begin(), chunk.summary.end());
        if (chunk.pairs > 0) {
            noteResultsRow(record, int(kFirstResultsLine + pairsSoFar), chunk.firstSample);
            pairsSoFar += chunk.pairs;
            noteResultsRow(record, int(kFirstResultsLine + pairsSoFar - 1), chunk.lastSample);
        }
    });

    for (const std::string& problem : plots.close()) {
        printError("plot data file not written: " + problem);
        status = 1;
    }
    if (workbookTable) {
        const std::string error = saveResultsWorkbook(*workbookTable, record, options->xlsxPath);
        if (!error.empty()) {
            printError(error);
            status = 1;
        }
    }
    if (!options->runRecordPath.empty()) {
        OutputFile json;
        if (!json.open(options->runRecordPath)) {
            printError(json.error());
            status = 1;
        } else {
            json.write(runRecordJson(record));
            if (!json.commit()) {
                printError(json.error());
                status = 1;
            }
        }
    }
    for (OutputFile* out : {&rows, &table}) {
        if (out->isOpen() && !out->commit()) {
            printError(out->error());
            status = 1;
        }
    }
    if (summary) {
        printSummary(summaryLines, run.choices(), options->input, monteCarlo);
        printPlotFileCounts(options->plotDir, plots.lineCounts());
    }
    return status;
}

}  // namespace kelvorad
