#pragma once
// The outcome of a workbook operation: a value, or a message saying what went wrong. Every
// operation of the spreadsheet component can fail (missing file, unreadable workbook, a
// workbook closed by quit); callers test the outcome and skip what failed.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace kelvorad {

// A failure message, usually naming the file and the reason.
struct Failure {
    std::string message;
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

  private:
    std::variant<T, Failure> content_;
};

// The outcome of an operation that gives nothing back.
class Status {
  public:
    Status() = default;
    Status(Failure failure) : failure_(std::move(failure.message)) {}

    bool ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& error() const {
        static const std::string none;
        return failure_ ? *failure_ : none;
    }

  private:
    std::optional<std::string> failure_;
};

}  // namespace kelvorad
