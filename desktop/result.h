#pragma once
// The outcome of an operation that can fail: a value, or a failure saying what went wrong. A
// failure carries its kind, for the error report after a window command, and a message,
// usually naming the file and the reason. Callers test the outcome and skip what failed.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace kelvorad {

// What went wrong. `Failed` is a failure its message alone describes (the command reports it
// itself); the other kinds each have a message in the error report (error_report.h).
enum class ErrorKind {
    Failed,
    Overflow,
    OutOfMemory,
    SubscriptOutOfRange,
    DivisionByZero,
    OutOfStringSpace,
    ExpressionTooComplex,
    OperationNotPossible,
    UserInterrupt,
    OutOfStackSpace,
    LibraryNotLoaded,
    InternalError,
    BadFileName,
    FileNotFound,
    BadFileMode,
    FileAlreadyOpen,
    DeviceIo,
    FileAlreadyExists,
    BadRecordLength,
    DiskFull,
    BadRecordNumber,
    TooManyFiles,
    DeviceUnavailable,
    DiskNotReady,
    FileAccessDenied,  // permissions, a read-only file, a folder in the way, ...
    PathNotFound,
    InvalidFileFormat,
    InvalidResourceFormat,
    DataValueNotFound,
    ComponentNotFound,
    ObjectRequired,  // a call through an empty spreadsheet link
    InvalidObjectUse,
    PropertyOrMethodUnsupported,
    ActionUnsupported,
    ClipboardUnavailable,
    TemporaryFolderUnwritable,
};

struct Failure {
    std::string message;
    ErrorKind kind = ErrorKind::Failed;
};

template <typename T>
class Result {
  public:
    Result(T value) : content_(std::move(value)) {}
    Result(Failure failure) : content_(std::move(failure)) {}

    bool ok() const { return content_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; must only be called when ok().
    T& value() { return std::get<0>(content_); }
    const T& value() const { return std::get<0>(content_); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // The failure message, or the empty text when ok().
    const std::string& error() const {
        static const std::string none;
        return ok() ? none : std::get<1>(content_).message;
    }
    // The kind of failure; Failed when ok() (never asked then).
    ErrorKind kind() const { return ok() ? ErrorKind::Failed : std::get<1>(content_).kind; }

  private:
    std::variant<T, Failure> content_;
};

// The outcome of an operation that gives nothing back.
class Status {
  public:
    Status() = default;
    Status(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& error() const {
        static const std::string none;
        return failure_ ? failure_->message : none;
    }
    ErrorKind kind() const { return failure_ ? failure_->kind : ErrorKind::Failed; }

  private:
    std::optional<Failure> failure_;
};

}  // namespace kelvorad
