#pragma once
// The error report shown after a toolbar command: a table from the kinds of failure to the
// message shown in a message box. Success, and failures of kind Failed (which the command
// reports itself, naming the file), show nothing.

#include <optional>
#include <string_view>

#include "result.h"

namespace kelvorad {

// The message for a kind of failure, or nullopt for Failed. `withDivisionByZero` false leaves
// out DivisionByZero, for windows whose report lacks it.
std::optional<std::string_view> errorReportMessage(ErrorKind kind, bool withDivisionByZero = true);
// The message for a command's outcome, or nullopt when it shows nothing.
std::optional<std::string_view> errorReportMessage(const Status& outcome,
                                                   bool withDivisionByZero = true);

// A failure of `kind` whose message is the report's own.
Failure reportedFailure(ErrorKind kind);

// The kind of a failed file operation's errno value: a missing file FileNotFound when reading
// and PathNotFound when writing, full disk DiskFull, device failure DeviceIo, anything else
// (permissions, read-only, a folder in the way, ...) FileAccessDenied.
ErrorKind errorKindForFileFailure(int errnoValue, bool writing);

}  // namespace kelvorad
