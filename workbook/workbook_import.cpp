#include "workbook_import.h"

#include <fstream>
#include <string>

#include "cell_entry.h"
#include "xls_import.h"
#include "zip_workbook_import.h"

namespace kelvorad {

namespace {

constexpr std::uintmax_t kMaxFileBytes = 256ull * 1024 * 1024;
constexpr std::string_view kCompoundFileMagic = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

Failure failureFor(const std::filesystem::path& path, const std::string& reason) {
    return Failure{path.string() + ": " + reason};
}

Result<std::string> readWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return failureFor(path,
                          std::filesystem::exists(path, error) ? "not a file" : "no such file");
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error) return failureFor(path, error.message());
    if (size > kMaxFileBytes) return failureFor(path, "the file is too large for a workbook");
    std::ifstream in(path, std::ios::binary);
    if (!in) return failureFor(path, "the file cannot be opened");
    std::string content(static_cast<std::size_t>(size), '\0');
    in.read(content.data(), static_cast<std::streamsize>(size));
    if (!in) return failureFor(path, "the file cannot be read");
    return content;
}

bool isCompoundFile(std::string_view content) {
    return content.substr(0, kCompoundFileMagic.size()) == kCompoundFileMagic;
}

bool isZipFile(std::string_view content) {
    return content.substr(0, 2) == "PK";
}

// Texts a reader library let through that are not valid UTF-8, or hold NUL characters, are
// shown as U+FFFD, in cells and sheet names alike.
void makeTextsReadable(WorkbookData& workbook) {
    for (SheetData& sheet : workbook.sheets) {
        sheet.name = readableText(sheet.name);
        for (auto& [address, cell] : sheet.cells) cell.text = readableText(cell.text);
    }
}

}  // namespace

Result<WorkbookData> importWorkbookFile(const std::filesystem::path& path) {
    auto content = readWholeFile(path);
    if (!content) return Failure{content.error()};
    Result<WorkbookData> workbook = Failure{"not an .xlsx, .xls or .ods workbook"};
    if (isCompoundFile(content.value())) {
        workbook = importXlsWorkbook(path, content.value());
        if (workbook) workbook->format = WorkbookFormat::Xls;
    } else if (isZipFile(content.value())) {
        workbook = importZipWorkbook(content.value());
    }
    if (!workbook) return failureFor(path, workbook.error());
    makeTextsReadable(workbook.value());
    return workbook;
}

}  // namespace kelvorad
