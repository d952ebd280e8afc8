#include "date_text.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace kelvorad {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date. Days and months past the end run on
// into the next month or year; years beyond what the calendar type holds are taken as its last.
long long daysFromCivil(long long y, long long m, long long d) {
    using namespace std::chrono;
    const long long monthIndex = m - 1;
    const long long yearCarry = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
    const long long yearNumber =
        std::clamp<long long>(y + yearCarry, int{year::min()}, int{year::max()});
    const auto monthNumber = static_cast<unsigned>(monthIndex - yearCarry * 12 + 1);
    const year_month_day first{year{static_cast<int>(yearNumber)} / month{monthNumber} / 1};
    return (sys_days{first} + days{d - 1}).time_since_epoch().count();
}

void civilFromDays(long long z, int& year, int& month, int& day) {
    using namespace std::chrono;
    const year_month_day date{sys_days{days{z}}};
    year = static_cast<int>(date.year());
    month = static_cast<int>(static_cast<unsigned>(date.month()));
    day = static_cast<int>(static_cast<unsigned>(date.day()));
}

const long long kSerialZero = daysFromCivil(1899, 12, 30);
constexpr double kLastSerial = 2958466.0;            // 10000-01-01, the first day past 9999-12-31
constexpr int kFirstDayAfterFictitiousLeapDay = 61;  // serial of 1900-03-01

std::string dateText(long long serialDays) {
    char buffer[64];
    int year = 1900, month = 1, day = 0;
    if (serialDays == 60) {
        month = 2;  // the 1900-02-29 that spreadsheets count although it never was
        day = 29;
    } else if (serialDays >= kFirstDayAfterFictitiousLeapDay) {
        civilFromDays(kSerialZero + serialDays, year, month, day);
    } else if (serialDays >= 1) {
        civilFromDays(kSerialZero + serialDays + 1, year, month, day);
    }  // serial 0 is shown as "1900-01-00", as spreadsheets do
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

std::string timeText(long long seconds) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return buffer;
}

bool readDigits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool readDate(std::string_view text, CivilDateTime& when) {
    return text.size() >= 10 && text[4] == '-' && text[7] == '-' &&
           readDigits(text, 0, 4, when.year) && readDigits(text, 5, 2, when.month) &&
           readDigits(text, 8, 2, when.day) && when.month >= 1 && when.month <= 12 &&
           when.day >= 1 && when.day <= 31;
}

bool readTime(std::string_view text, CivilDateTime& when) {
    int second = 0;
    const bool ok = text.size() == 8 && text[2] == ':' && text[5] == ':' &&
                    readDigits(text, 0, 2, when.hour) && readDigits(text, 3, 2, when.minute) &&
                    readDigits(text, 6, 2, second) && when.hour < 24 && when.minute < 60 &&
                    second < 60;
    when.second = second;
    return ok;
}

bool startsWithIgnoringCase(std::string_view text, std::size_t at, std::string_view prefix) {
    if (at + prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != prefix[i]) return false;
    }
    return true;
}

}  // namespace

double serialFromCivil(const CivilDateTime& when) {
    long long days = daysFromCivil(when.year, when.month, when.day) - kSerialZero;
    if (days >= 2 && days < kFirstDayAfterFictitiousLeapDay) --days;  // 1900-01-01 is serial 1
    return static_cast<double>(days) +
           (when.hour * 3600.0 + when.minute * 60.0 + when.second) / 86400.0;
}

std::optional<std::string> dateTextFromSerial(double serial, CellKind kind) {
    if (!(serial >= 0.0 && serial < kLastSerial)) return std::nullopt;  // also rejects NaN
    const long long totalSeconds = std::llround(serial * 86400.0);
    const long long days = totalSeconds / 86400;
    const long long seconds = totalSeconds % 86400;
    switch (kind) {
        case CellKind::Date:
            return dateText(days);
        case CellKind::Time:
            return timeText(seconds);
        case CellKind::DateTime:
            return dateText(days) + " " + timeText(seconds);
        default:
            return std::nullopt;
    }
}

std::optional<CivilDateTime> parseDateText(std::string_view text) {
    CivilDateTime when;
    if (text.size() == 10 && readDate(text, when)) return when;
    if (text.size() == 19 && text[10] == ' ' && readDate(text.substr(0, 10), when) &&
        readTime(text.substr(11), when)) {
        return when;
    }
    when = CivilDateTime{1899, 12, 30, 0, 0, 0.0};
    if (readTime(text, when)) return when;
    return std::nullopt;
}

CellKind kindOfNumberFormatCode(std::string_view code) {
    bool date = false, time = false, month = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(code[i])));
        if (c == ';') break;  // only the first section (positive numbers) decides
        if (c == '"') {
            const auto close = code.find('"', i + 1);
            if (close == std::string_view::npos) break;
            i = close;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;  // the next character is literal text or padding
        } else if (c == '[') {
            const auto close = code.find(']', i + 1);
            if (close == std::string_view::npos) break;
            const auto inside = code.substr(i + 1, close - i - 1);
            const char first =
                inside.empty()
                    ? '\0'
                    : static_cast<char>(std::tolower(static_cast<unsigned char>(inside[0])));
            if (first == 'h' || first == 'm' || first == 's') time = true;  // elapsed [h]:mm
            i = close;
        } else if (c == 'y' || c == 'd') {
            date = true;
        } else if (c == 'h' || c == 's') {
            time = true;
        } else if (c == 'm') {
            month = true;
        } else if (c == 'a' && (startsWithIgnoringCase(code, i, "am/pm") ||
                                startsWithIgnoringCase(code, i, "a/p"))) {
            time = true;
            i += startsWithIgnoringCase(code, i, "am/pm") ? 4 : 2;
        }
    }
    if (month && !time) date = true;  // "mmm yyyy": without hours or seconds m is the month
    if (date && time) return CellKind::DateTime;
    if (date) return CellKind::Date;
    if (time) return CellKind::Time;
    return CellKind::Number;
}

CellKind kindOfBuiltInNumberFormat(int identifier) {
    if ((identifier >= 14 && identifier <= 17) || (identifier >= 27 && identifier <= 31) ||
        identifier == 36 || (identifier >= 50 && identifier <= 54) || identifier == 57 ||
        identifier == 58) {
        return CellKind::Date;
    }
    if ((identifier >= 18 && identifier <= 21) || (identifier >= 32 && identifier <= 35) ||
        (identifier >= 45 && identifier <= 47) || identifier == 55 || identifier == 56) {
        return CellKind::Time;
    }
    if (identifier == 22) return CellKind::DateTime;
    return CellKind::Number;
}

}  // namespace kelvorad
