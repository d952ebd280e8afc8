#pragma once
// The record of one calculation run: what made its results (program version, when, the input
// file and its SHA-256, the ferric-iron scheme, the pressure, every checked option item, the
// full model on or off) and where they stand (the first and last results row). Workbooks get
// it as a block of the "Run" sheet, `kelvorad calc --run-record` as JSON.

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "method_options.h"

namespace kelvorad {

struct RunRecord {
    std::string programVersion;  // "1.0.0 (git 1f79c72)"
    std::string startedAt;       // ISO 8601, UTC: "2026-12-09T18:05:58Z"
    std::string inputPath;       // absolute when it could be made so; empty: the table as it was
    std::string inputSha256;     // lowercase hex; empty when the file could not be read
    std::string ferricScheme;    // as the status bar names it: "Stormer (1983)"
    double pressureBars = 0.0;
    std::vector<std::string> checkedItems;  // menu names, in menu order
    bool fullModel = false;
    // Rows of the results as numbered in the workbook's first sheet and in the lines of a
    // --table file (row 1 the column numbers, row 2 the headers); 0 when the run gave no row.
    int firstResultsRow = 0;
    int lastResultsRow = 0;
    std::string firstSample;
    std::string lastSample;
};

// A record of a run that has made its start steps (`checks` and `choices` as they left them),
// with the input file's path and fingerprint.
RunRecord startRunRecord(const MethodChecks& checks, const RunChoices& choices,
                         std::string programVersion, const std::filesystem::path& input,
                         std::chrono::system_clock::time_point startedAt);

// Notes a results row of the run: its row number (see RunRecord) and its sample.
void noteResultsRow(RunRecord& record, int row, std::string_view sample);

// "2026-12-09T18:05:58Z".
std::string isoDateTimeUtc(std::chrono::system_clock::time_point when);

// The block's lines as (label, value) pairs, in the order the "Run" sheet shows them.
std::vector<std::pair<std::string, std::string>> runRecordFields(const RunRecord& record);

// The record as one JSON object, ended by a line feed; strings escaped as RFC 8259 asks.
std::string runRecordJson(const RunRecord& record);

// A JSON string literal of `text`, quotes included; bytes that are not UTF-8 are taken as
// Latin-1 characters, so that the result is always valid JSON.
std::string jsonString(std::string_view text);

}  // namespace kelvorad
