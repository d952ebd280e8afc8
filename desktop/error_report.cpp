#include "error_report.h"

#include <array>
#include <cerrno>
#include <string>
#include <utility>

namespace kelvorad {

namespace {
constexpr std::array<std::pair<ErrorKind, std::string_view>, 35> kMessages{{
    {ErrorKind::Overflow, "Overflow"},
    {ErrorKind::OutOfMemory, "Out of memory"},
    {ErrorKind::SubscriptOutOfRange, "Subscript out of range"},
    {ErrorKind::DivisionByZero, "Division by zero"},
    {ErrorKind::OutOfStringSpace, "Out of string space"},
    {ErrorKind::ExpressionTooComplex, "Expression too complex"},
    {ErrorKind::OperationNotPossible, "Can't perform requested operation"},
    {ErrorKind::UserInterrupt, "User interrupt occured"},
    {ErrorKind::OutOfStackSpace, "Out of stack space"},
    {ErrorKind::LibraryNotLoaded, "Error in loading DLL"},
    {ErrorKind::InternalError, "Internal error"},
    {ErrorKind::BadFileName, "Bad file name or number"},
    {ErrorKind::FileNotFound, "File not found"},
    {ErrorKind::BadFileMode, "Bad file mode"},
    {ErrorKind::FileAlreadyOpen, "File already open"},
    {ErrorKind::DeviceIo, "Device I/O error"},
    {ErrorKind::FileAlreadyExists, "File already exists"},
    {ErrorKind::BadRecordLength, "Bad record length"},
    {ErrorKind::DiskFull, "Disk full"},
    {ErrorKind::BadRecordNumber, "Bad record number"},
    {ErrorKind::TooManyFiles, "Too many files"},
    {ErrorKind::DeviceUnavailable, "Device unavailable"},
    {ErrorKind::DiskNotReady, "Disk not ready"},
    {ErrorKind::FileAccessDenied, "Path/File access error"},
    {ErrorKind::PathNotFound, "Path not found"},
    {ErrorKind::InvalidFileFormat, "Invalid file format"},
    {ErrorKind::InvalidResourceFormat, "Invalid format in resource file"},
    {ErrorKind::DataValueNotFound, "Data value named not found"},
    {ErrorKind::ComponentNotFound, "Component not found"},
    {ErrorKind::ObjectRequired, "Object required. Possibly [Output.Xls]"},
    {ErrorKind::InvalidObjectUse, "Invalid object use"},
    {ErrorKind::PropertyOrMethodUnsupported, "Object doesn't support this property or method"},
    {ErrorKind::ActionUnsupported, "Object doesn't support this action"},
    {ErrorKind::ClipboardUnavailable, "Can't open clipboard"},
    {ErrorKind::TemporaryFolderUnwritable, "Can't save file to TEMP directory"},
}};
}  // namespace

std::optional<std::string_view> errorReportMessage(ErrorKind kind, bool withDivisionByZero) {
    if (kind == ErrorKind::DivisionByZero && !withDivisionByZero) return std::nullopt;
    for (const auto& [known, message] : kMessages) {
        if (known == kind) return message;
    }
    return std::nullopt;
}

std::optional<std::string_view> errorReportMessage(const Status& outcome, bool withDivisionByZero) {
    if (outcome) return std::nullopt;
    return errorReportMessage(outcome.kind(), withDivisionByZero);
}

Failure reportedFailure(ErrorKind kind) {
    return Failure{std::string(errorReportMessage(kind).value_or("")), kind};
}

ErrorKind errorKindForFileFailure(int errnoValue, bool writing) {
    switch (errnoValue) {
        case ENOENT:
            return writing ? ErrorKind::PathNotFound : ErrorKind::FileNotFound;
        case ENOTDIR:
            return ErrorKind::PathNotFound;
        case ENOSPC:
        case EDQUOT:
            return ErrorKind::DiskFull;
        case EIO:
            return ErrorKind::DeviceIo;
        default:
            return ErrorKind::FileAccessDenied;
    }
}

}  // namespace kelvorad
