#pragma once
// Conversions between numbers and the texts of table cells, results rows and plot data files.
// Both directions are independent of the user's locale: the decimal point is always ".".

#include <string>
#include <string_view>

namespace kelvorad {

// A missing number (a failed step, a withdrawn value) is NaN throughout the engine.
inline constexpr double kMissing = __builtin_nan("");
inline bool isMissing(double v) {
    return v != v;
}

// General number format with up to 15 significant digits, as C's "%.15G" writes it:
// "12.5", "0.5", "1E-05", "1.23456789012346E+17". Negative zero is written "0".
// A missing (NaN) or infinite value gives the empty text.
std::string formatNumber(double value);

// Appends formatNumber(value) to out without a temporary string (the hot path of row writing).
void appendNumber(std::string& out, double value);

// Reads a cell as its leading decimal number: optional blanks (spaces or TABs), optional sign,
// digits with an optional "." fraction (".5" and "5." count), optional exponent ("e" or "E",
// optional sign, digits). Anything else, or nothing, reads as 0.
double parseLeadingNumber(std::string_view text);

// True when the text holds nothing but blanks (spaces, TABs, CR, LF) or nothing at all.
bool isBlank(std::string_view text);

}  // namespace kelvorad
