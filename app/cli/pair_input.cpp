#include "pair_input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "analysis_file.h"
#include "analysis_pair.h"
#include "cell_notices.h"
#include "grid_transfer.h"
#include "pair_text_input.h"

namespace kelvorad {

namespace {

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// Rows 1 to 350 of a table the input was read into.
class TableSource : public PairSource {
  public:
    // A row's position is its table row plus `positionOffset` (1 for a worksheet, whose
    // first row holds the headers).
    TableSource(std::unique_ptr<TextGrid> table, std::string_view word, long positionOffset)
        : table_(std::move(table)), word_(word), positionOffset_(positionOffset) {}

    bool read(std::vector<PairRow>& rows, std::size_t count) override {
        const std::size_t before = rows.size();
        for (; next_ <= AnalysisTable::kLastDataRow && rows.size() - before < count; ++next_) {
            PairRow& row = rows.emplace_back();
            row.position = next_ + positionOffset_;
            row.cells.resize(kPairCellCount);
            for (int k = 0; k < kPairCellCount; ++k) row.cells[k] = table_->text(next_, k + 1);
        }
        return rows.size() > before;
    }
    std::string_view positionWord() const override { return word_; }

  private:
    std::unique_ptr<TextGrid> table_;
    std::string_view word_;
    long positionOffset_;
    int next_ = 1;
};

class TextSource : public PairSource {
  public:
    TextSource(std::unique_ptr<std::ifstream> file, TextEncoding encoding)
        : file_(std::move(file)), text_(*file_, encoding) {}

    const PairTextInput& text() const { return text_; }

    bool read(std::vector<PairRow>& rows, std::size_t count) override {
        const std::size_t before = rows.size();
        while (rows.size() - before < count) {
            PairRow row;
            if (!text_.next(row.cells)) break;
            row.position = text_.lineNumber();
            rows.push_back(std::move(row));
        }
        return rows.size() > before;
    }
    std::string_view positionWord() const override { return "line"; }

  private:
    std::unique_ptr<std::ifstream> file_;
    PairTextInput text_;
};

std::string cannotRead(const std::string& path, const std::string& reason) {
    return "cannot read '" + path + "': " + reason;
}

// UTF-8 when every line is, else Windows-1252; nullopt when the file cannot be read.
std::optional<TextEncoding> encodingOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    for (std::string line; std::getline(in, line);) {
        if (!isValidUtf8(line)) return TextEncoding::Windows1252;
    }
    if (in.bad()) return std::nullopt;
    return TextEncoding::Utf8;
}

// What a header left out, in one notice; empty when it left nothing out.
std::string headerNotice(const std::string& path, const PairColumns& columns) {
    if (columns.unread.empty() && columns.missingOxides.empty()) return "";
    std::string text = path + ": columns read by their names in the first line";
    if (!columns.unread.empty()) {
        text += "; not read, naming no analysis cell:";
        for (const std::string& name : columns.unread) text += " \"" + name + "\"";
    }
    if (!columns.missingOxides.empty()) {
        text += "; no column for";
        for (int cell : columns.missingOxides) text += " " + pairCellHeader(cell) + ",";
        text.back() = ' ';
        text += "(read as blank)";
    }
    return text;
}

OpenedInput openText(const std::string& path) {
    OpenedInput opened;
    errno = 0;
    const std::optional<TextEncoding> encoding = encodingOf(path);
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!encoding || !*file) {
        opened.exitCode = 1;
        opened.error = cannotRead(path, std::strerror(errno ? errno : EIO));
        return opened;
    }
    auto source = std::make_unique<TextSource>(std::move(file), *encoding);
    const PairColumns& columns = source->text().columns();
    if (!columns.conflict.empty()) {
        opened.exitCode = 2;
        opened.error = path + ": " + columns.conflict + "; name each analysis cell once";
        return opened;
    }
    if (std::string notice = headerNotice(path, columns); !notice.empty()) {
        opened.notices.push_back(std::move(notice));
    }
    opened.pairs = std::move(source);
    return opened;
}

std::string countText(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// What a workbook held that the table did not take, or that could not be read.
void addSheetCopyNotices(const std::string& path, const SheetCopyReport& report,
                         std::vector<std::string>& notices) {
    if (report.rowsBeyond > 0 || report.columnsBeyond > 0) {
        std::string where;
        if (report.rowsBeyond > 0) {
            where = countText(report.rowsBeyond, "row", "rows") + " below row 351";
        }
        if (report.rowsBeyond > 0 && report.columnsBeyond > 0) where += " and ";
        if (report.columnsBeyond > 0) {
            where += countText(report.columnsBeyond, "column", "columns") + " right of column 36";
        }
        notices.push_back(path + ": cells in " + where +
                          " were not read (the analysis table takes 351 rows by 36 columns)");
    }
    if (report.cellsWithUnreadableCharacters > 0) {
        notices.push_back(
            path + ": " +
            countText(report.cellsWithUnreadableCharacters, "cell holds", "cells hold") +
            " characters that could not be read, shown as U+FFFD");
    }
}

}  // namespace

OpenedInput openPairInput(const std::string& path) {
    OpenedInput opened;
    opened.exitCode = 1;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        opened.error = cannotRead(
            path, std::filesystem::exists(path, ec) ? "not a regular file" : "no such file");
        return opened;
    }
    const std::string ext = lowerExtension(path);
    if (ext == ".mi") {
        auto table = std::make_unique<AnalysisTable>();
        const FileResult result = readAnalysisFile(*table, path);
        if (!result.ok()) {
            opened.error = result.error();
            return opened;
        }
        if (result.rowsDropped > 0) {
            const bool one = result.rowsDropped == 1;
            opened.notices.push_back(path + ": " + std::to_string(result.rowsDropped) +
                                     (one ? " pair stands" : " pairs stand") +
                                     " beyond row 350 and " + (one ? "was" : "were") +
                                     " not read (the analysis table holds 350 pairs)");
        }
        opened.pairs = std::make_unique<TableSource>(std::move(table), "row", 0);
    } else if (ext == ".xlsx" || ext == ".xls" || ext == ".ods") {
        // The active sheet mirrors the analysis table: its first row the headers, its first
        // column the row numbers, rows 2 to 351 the pairs.
        auto table = std::make_unique<AnalysisTable>();
        SheetCopyReport report;
        const Status status = copyActiveSheetIntoGrid(path, *table, &report);
        if (!status.ok()) {
            opened.error = status.error();
            return opened;
        }
        addSheetCopyNotices(path, report, opened.notices);
        opened.pairs = std::make_unique<TableSource>(std::move(table), "worksheet row", 1);
    } else if (ext == ".tsv" || ext == ".csv" || ext == ".txt") {
        return openText(path);
    } else {
        opened.error = cannotRead(path,
                                  "not an analysis file (.mi), a workbook (.xlsx, .xls, .ods) or "
                                  "a text file of pairs (.tsv, .csv, .txt)");
        return opened;
    }
    opened.exitCode = 0;
    return opened;
}

}  // namespace kelvorad
