#pragma once
// The error report shown after a toolbar command: a table from the program's error codes to
// the message shown in a message box. Codes the table does not hold, and 0 (no error), show
// nothing.

#include <optional>
#include <string_view>

namespace kelvorad {

// The error codes the program's own commands produce.
namespace error_code {
inline constexpr int kNone = 0;
inline constexpr int kFileNotFound = 53;
inline constexpr int kDeviceIo = 57;
inline constexpr int kDiskFull = 61;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kObjectRequired = 424;  // a call through an empty spreadsheet link
inline constexpr int kClipboardUnavailable = 521;
}  // namespace error_code

// The message for an error code, or nullopt when the code shows nothing (0 and unknown codes).
// `withDivisionByZero` false leaves out code 11, for windows whose table lacks it.
std::optional<std::string_view> errorReportMessage(int code, bool withDivisionByZero = true);

// The error code for a failed file operation's errno value: a missing file 53 when reading and
// 76 (path not found) when writing, full disk 61, device failure 57, anything else
// (permissions, read-only, a folder in the way, ...) 75.
int errorCodeForFileFailure(int errnoValue, bool writing);

}  // namespace kelvorad
