#include "workbook_reader.h"

#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>

#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "orcus_import.h"
#include "xls_import.h"
#include "zip_guard.h"

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

std::optional<WorkbookFormat> formatOfContent(std::string_view content) {
    if (content.substr(0, kCompoundFileMagic.size()) == kCompoundFileMagic) {
        return WorkbookFormat::Xls;
    }
    if (content.substr(0, 2) != "PK" || !checkZipPackage(content).ok()) return std::nullopt;
    const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
    try {
        if (orcus::orcus_ods::detect(bytes, content.size())) return WorkbookFormat::Ods;
        if (orcus::orcus_xlsx::detect(bytes, content.size())) return WorkbookFormat::Xlsx;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace

std::optional<WorkbookFormat> detectWorkbookFormat(const std::filesystem::path& path) {
    auto content = readWholeFile(path);
    if (!content) return std::nullopt;
    return formatOfContent(content.value());
}

Result<WorkbookData> readWorkbookFile(const std::filesystem::path& path) {
    auto content = readWholeFile(path);
    if (!content) return Failure{content.error()};
    if (content->substr(0, 2) == "PK") {
        // Looked at before anything is unpacked, even to tell the kind of package.
        if (const auto refusal = checkZipPackage(content.value()); !refusal.ok()) {
            return failureFor(path, refusal.error());
        }
    }
    const auto format = formatOfContent(content.value());
    if (!format) return failureFor(path, "not an .xlsx, .xls or .ods workbook");
    Result<WorkbookData> workbook =
        *format == WorkbookFormat::Xls
            ? importXlsWorkbook(path, content.value())
            : importZipWorkbook(content.value(), *format == WorkbookFormat::Ods
                                                     ? ZipWorkbookFormat::Ods
                                                     : ZipWorkbookFormat::Xlsx);
    if (!workbook) return failureFor(path, workbook.error());
    workbook->format = *format;
    return workbook;
}

}  // namespace kelvorad
