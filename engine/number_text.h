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

// How a cell's text was read as a number.
struct CellNumber {
    double value = 0.0;
    bool blank = false;         // nothing but blanks: reads as 0
    bool hasNumber = false;     // the text starts with a number (after blanks)
    bool plain = false;         // the whole trimmed text is a plain decimal number
    bool decimalComma = false;  // the number was written with a decimal comma ("46,45")
};

// Reads a cell as its leading decimal number: optional blanks (spaces or TABs), optional sign,
// digits with an optional "." fraction (".5" and "5." count), optional exponent ("e" or "E",
// optional sign, digits). A comma between digits is a decimal comma when no "." came before
// it: "46,45" reads as 46.45 (oxide contents are weight per cent, never thousands). Anything
// else, or nothing, reads as 0. `plain` tells whether the text, trimmed of blanks, held nothing
// but that number; a decimal comma counts as plain.
CellNumber readCellNumber(std::string_view text);

// readCellNumber(text).value.
double parseLeadingNumber(std::string_view text);

// True when the text holds nothing but blanks (spaces, TABs, CR, LF) or nothing at all.
bool isBlank(std::string_view text);

}  // namespace kelvorad
