#include "error_report.h"

#include <array>
#include <cerrno>
#include <utility>

namespace kelvorad {

namespace {
constexpr std::array<std::pair<int, std::string_view>, 36> kMessages{{
    {6, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {11, "Division by zero"},
    {14, "Out of string space"},
    {16, "Expression too complex"},
    {17, "Can't perform requested operation"},
    {18, "User interrupt occured"},
    {28, "Out of stack space"},
    {48, "Error in loading DLL"},
    {51, "Internal error"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {54, "Bad file mode"},
    {55, "File already open"},
    {57, "Device I/O error"},
    {58, "File already exists"},
    {59, "Bad record length"},
    {61, "Disk full"},
    {63, "Bad record number"},
    {67, "Too many files"},
    {68, "Device unavailable"},
    {71, "Disk not ready"},
    {75, "Path/File access error"},
    {76, "Path not found"},
    {321, "Invalid file format"},
    {325, "Invalid format in resource file"},
    {327, "Data value named not found"},
    {337, "Component not found"},
    {424, "Object required. Possibly [Output.Xls]"},
    {425, "Invalid object use"},
    {438, "Object doesn't support this property or method"},
    {445, "Object doesn't support this action"},
    {521, "Can't open clipboard"},
    {735, "Can't save file to TEMP directory"},
    {31001, "Out of memory"},
}};
}  // namespace

std::optional<std::string_view> errorReportMessage(int code, bool withDivisionByZero) {
    if (code == 11 && !withDivisionByZero) return std::nullopt;
    for (const auto& [known, message] : kMessages) {
        if (known == code) return message;
    }
    return std::nullopt;
}

int errorCodeForFileFailure(int errnoValue, bool writing) {
    switch (errnoValue) {
        case ENOENT:
            return writing ? error_code::kPathNotFound : error_code::kFileNotFound;
        case ENOTDIR:
            return error_code::kPathNotFound;
        case ENOSPC:
        case EDQUOT:
            return error_code::kDiskFull;
        case EIO:
            return error_code::kDeviceIo;
        default:
            return error_code::kPathFileAccess;
    }
}

}  // namespace kelvorad
