#include "xlsx_writer.h"

#include <locale.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "atomic_file.h"
#include "ooxml_text.h"

namespace kelvorad {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxSheetNameLength = 31;

Failure failureFor(const fs::path& target, const std::string& reason) {
    return Failure{target.string() + ": " + reason};
}

// libxlsxwriter prints numbers with the C library, which follows LC_NUMERIC: under a locale
// with a decimal comma it would write "12,5" into the XML. This switches the calling thread
// to the "C" numeric conventions while the file is written.
class CNumericLocale {
  public:
    CNumericLocale() {
        cLocale_ = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
        if (cLocale_) previous_ = uselocale(cLocale_);
    }
    ~CNumericLocale() {
        if (!cLocale_) return;
        uselocale(previous_);
        freelocale(cLocale_);
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

  private:
    locale_t cLocale_ = static_cast<locale_t>(nullptr);
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

// A name an .xlsx sheet can carry: at most 31 characters, none of []:*?/\, not empty, not
// starting or ending with an apostrophe, and unlike every name already taken (ignoring case).
std::string usableSheetName(const std::string& wanted, std::size_t index,
                            std::set<std::string>& taken) {
    std::string name;
    for (char c : wanted) name += std::strchr("[]:*?/\\", c) && c ? '_' : c;
    while (!name.empty() && name.front() == '\'') name.erase(name.begin());
    while (!name.empty() && name.back() == '\'') name.pop_back();
    if (name.empty()) name = "Sheet" + std::to_string(index + 1);
    auto truncated = [](std::string text, std::size_t length) {
        // Cut at a character boundary of the UTF-8 text.
        if (text.size() <= length) return text;
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
        return text.substr(0, length);
    };
    auto lowered = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    // Counting bytes keeps below 31 characters also for non-ASCII names.
    std::string candidate = truncated(name, kMaxSheetNameLength);
    for (int n = 2; taken.count(lowered(candidate)); ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        candidate = truncated(name, kMaxSheetNameLength - suffix.size()) + suffix;
    }
    taken.insert(lowered(candidate));
    return candidate;
}

// libxlsxwriter prints its own "[ERROR] ..." lines to standard error, naming the temporary
// file. While it writes, standard error goes to a scratch file instead; its lines then give
// the reason in our message, which names the file the user asked for.
class CapturedLibraryErrors {
  public:
    CapturedLibraryErrors() {
        std::fflush(stderr);
        scratch_ = std::tmpfile();
        saved_ = scratch_ ? dup(STDERR_FILENO) : -1;
        if (saved_ >= 0) dup2(fileno(scratch_), STDERR_FILENO);
    }
    ~CapturedLibraryErrors() { release(); }
    CapturedLibraryErrors(const CapturedLibraryErrors&) = delete;
    CapturedLibraryErrors& operator=(const CapturedLibraryErrors&) = delete;

    // Puts standard error back; returns what was printed meanwhile.
    std::string release() {
        std::string text;
        if (saved_ >= 0) {
            std::fflush(stderr);
            dup2(saved_, STDERR_FILENO);
            close(saved_);
            saved_ = -1;
        }
        if (scratch_) {
            std::rewind(scratch_);
            char block[512];
            std::size_t got = 0;
            while ((got = std::fread(block, 1, sizeof block, scratch_)) > 0)
                text.append(block, got);
            std::fclose(scratch_);
            scratch_ = nullptr;
        }
        return text;
    }

  private:
    std::FILE* scratch_ = nullptr;
    int saved_ = -1;
};

// The system's reason in libxlsxwriter's error lines ("... System error = No space left on
// device"), or "".
std::string systemReasonIn(const std::string& libraryLines) {
    const std::string marker = "System error = ";
    const std::size_t at = libraryLines.find(marker);
    if (at == std::string::npos) return {};
    const std::size_t from = at + marker.size();
    const std::size_t end = libraryLines.find_first_of("\r\n", from);
    return libraryLines.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

// One solid-fill format per colour, made when first needed; owned by the workbook.
class FillFormats {
  public:
    explicit FillFormats(lxw_workbook* book) : book_(book) {}
    lxw_format* forColour(std::uint32_t rgb) {
        if (rgb == 0) return nullptr;
        auto& format = formats_[rgb];
        if (!format) {
            format = workbook_add_format(book_);
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, rgb);
        }
        return format;
    }

  private:
    lxw_workbook* book_;
    std::map<std::uint32_t, lxw_format*> formats_;
};

lxw_error writeCell(lxw_worksheet* sheet, const CellAddress& address, const CellValue& cell,
                    lxw_format* dateFormat, lxw_format* timeFormat, lxw_format* dateTimeFormat,
                    FillFormats& fills) {
    const auto row = static_cast<lxw_row_t>(address.row - 1);
    const auto column = static_cast<lxw_col_t>(address.column - 1);
    lxw_format* fill = fills.forColour(cell.fillRgb);
    switch (cell.kind) {
        case CellKind::Empty:
            return fill ? worksheet_write_blank(sheet, row, column, fill) : LXW_NO_ERROR;
        case CellKind::Text:
            return worksheet_write_string(sheet, row, column,
                                          protectLiteralOoxmlEscapes(cell.text).c_str(), fill);
        case CellKind::Number:
            return worksheet_write_number(sheet, row, column, cell.number, fill);
        case CellKind::Boolean:
            return worksheet_write_boolean(sheet, row, column, cell.number != 0.0, fill);
        case CellKind::Date:
            return worksheet_write_number(sheet, row, column, cell.number, dateFormat);
        case CellKind::Time:
            return worksheet_write_number(sheet, row, column, cell.number, timeFormat);
        case CellKind::DateTime:
            return worksheet_write_number(sheet, row, column, cell.number, dateTimeFormat);
    }
    return LXW_NO_ERROR;
}

Status writeWorkbookTo(const WorkbookData& data, const fs::path& file, const fs::path& target) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    options.use_zip64 = LXW_FALSE;
    lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
    if (!book) return failureFor(target, "cannot start writing the workbook");

    lxw_format* dateFormat = workbook_add_format(book);
    format_set_num_format(dateFormat, "yyyy-mm-dd");
    lxw_format* timeFormat = workbook_add_format(book);
    format_set_num_format(timeFormat, "hh:mm:ss");
    lxw_format* dateTimeFormat = workbook_add_format(book);
    format_set_num_format(dateTimeFormat, "yyyy-mm-dd hh:mm:ss");

    FillFormats fills(book);
    std::set<std::string> taken;
    std::string cellError;
    const std::size_t sheetCount = std::max<std::size_t>(data.sheets.size(), 1);
    for (std::size_t i = 0; i < sheetCount; ++i) {
        const SheetData* sheetData = i < data.sheets.size() ? &data.sheets[i] : nullptr;
        const std::string name = usableSheetName(sheetData ? sheetData->name : "", i, taken);
        lxw_worksheet* sheet = workbook_add_worksheet(book, name.c_str());
        if (!sheet) {
            workbook_close(book);
            return failureFor(target, "cannot add the worksheet \"" + name + "\"");
        }
        if (i == data.activeSheet) worksheet_activate(sheet);
        if (!sheetData) continue;
        for (const auto& [address, cell] : sheetData->cells) {
            const lxw_error error =
                writeCell(sheet, address, cell, dateFormat, timeFormat, dateTimeFormat, fills);
            if (error != LXW_NO_ERROR && cellError.empty()) {
                cellError = std::string(lxw_strerror(error)) + " (sheet \"" + name + "\", row " +
                            std::to_string(address.row) + ", column " +
                            std::to_string(address.column) + ")";
            }
        }
    }
    CapturedLibraryErrors libraryErrors;
    const lxw_error closed = workbook_close(book);
    const std::string systemReason = systemReasonIn(libraryErrors.release());
    if (!cellError.empty()) return failureFor(target, cellError);
    if (closed != LXW_NO_ERROR) {
        return failureFor(target, systemReason.empty() ? lxw_strerror(closed) : systemReason);
    }
    return {};
}

}  // namespace

Status writeXlsxFile(const WorkbookData& workbook, const fs::path& target) {
    AtomicFile file;
    const std::string staging = file.open(target.string()) ? file.stagingPath() : "";
    if (staging.empty()) return failureFor(target, file.reason());
    Status written;
    {
        CNumericLocale cNumbers;
        written = writeWorkbookTo(workbook, staging, target);
    }
    if (written.ok() && !file.commit()) written = failureFor(target, file.reason());
    return written;
}

}  // namespace kelvorad
