#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace kelvorad {

void appendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) return;
    if (value == 0.0) value = 0.0;  // folds negative zero into "0"
    std::array<char, 40> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::general, 15);
    if (ec != std::errc{}) return;
    for (char* p = buffer.data(); p != end; ++p) {
        if (*p == 'e') *p = 'E';  // "%G" writes a capital exponent letter
    }
    out.append(buffer.data(), end);
}

std::string formatNumber(double value) {
    std::string text;
    appendNumber(text, value);
    return text;
}

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

double parseLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < n && isDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    std::size_t end = i;
    bool negativeExponent = false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j])) ++j;
            end = j;
        }
    }
    const char* first = text.data() + mantissaStart;
    const char* last = text.data() + end;
    double value = 0.0;
    auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small reads as 0; too large as infinity, which the first step using it rejects.
        value = negativeExponent ? 0.0 : HUGE_VAL;
    } else if (result.ec != std::errc{}) {
        return 0.0;
    }
    return negative ? -value : value;
}

bool isBlank(std::string_view text) {
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return true;
}

}  // namespace kelvorad
