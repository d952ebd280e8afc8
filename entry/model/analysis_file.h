#pragma once
// Analysis files (.mi): one double-quoted text item holding the table's data area (rows 1 to
// row count - 1, columns 1 to 35), cells joined by TAB, rows by CR, followed by CR LF.

#include <string>
#include <string_view>

#include "analysis_table.h"
#include "result.h"

namespace kelvorad {

// What a file operation did. A failure's message names the file and the reason; its kind
// gives the message box its title.
struct FileResult {
    Status status;
    int cellsChanged = 0;  // saving: cells whose text had to be altered to fit the format
    int rowsDropped = 0;   // reading: rows beyond the data area that held text (not read)

    bool ok() const { return status.ok(); }
    const std::string& error() const { return status.error(); }
};

// Decodes a file's bytes to UTF-8: taken as they are when they are valid UTF-8, else read as
// Windows-1252 (the code page older files were written in).
std::string decodeAnalysisText(std::string_view bytes);

// True when the bytes are valid UTF-8. Line breaks never fall inside a UTF-8 sequence, so a
// text is valid exactly when each of its lines is.
bool isValidUtf8(std::string_view bytes);

// Reads bytes as Windows-1252 and gives them as UTF-8.
std::string decodeWindows1252(std::string_view bytes);

// The first item of an analysis file's text: leading blanks skipped; a quoted item runs to the
// next double quote, TABs and line breaks included; an unquoted one to the first comma or line
// end. Line breaks inside the item (CR LF, LF or CR) come back as single CRs.
std::string firstAnalysisItem(std::string_view text);

// Reads an analysis file into the table from cell (1, 1): each CR starts the next row, each TAB
// the next cell; text beyond the data area is dropped and cells the text does not reach keep
// their content. The data area stays selected. On failure the table is untouched.
// `rowsDropped` counts the rows beyond the data area that held any text.
FileResult readAnalysisFile(AnalysisTable& table, const std::string& path);

// The same for a file's bytes already in memory: what readAnalysisFile does once it has read
// them.
FileResult readAnalysisBytes(AnalysisTable& table, std::string_view bytes);

// The file content for the table's data area. The format cannot hold a double quote, TAB or
// line break inside a cell: each double quote becomes two apostrophes and each TAB or line
// break a blank; `cellsChanged` counts the cells so altered.
std::string analysisFileContent(const TextGrid& table, int* cellsChanged = nullptr);

// Writes the data area to `path` atomically (a temporary file beside it, then a rename), so a
// failed save never destroys the previous file. The data area stays selected.
FileResult writeAnalysisFile(AnalysisTable& table, const std::string& path);

// Writes `content` to `path` as an AtomicFile (a temporary file and a rename for a regular
// file; links followed, devices written directly, read-only files refused).
FileResult writeFileAtomically(const std::string& path, std::string_view content);

// Reads a whole file; false (with the reason in `error`) when it cannot be read.
bool readWholeFile(const std::string& path, std::string& bytes, std::string& error);

}  // namespace kelvorad
