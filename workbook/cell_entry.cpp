#include "cell_entry.h"

#include <charconv>
#include <cmath>

#include "number_text.h"
#include "text_grid.h"

namespace kelvorad {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlankCharacter(char c) {
    return c == ' ' || c == '\t';
}

// The length of the valid UTF-8 sequence at the start of `text`, or 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF) return 0;
    return length;
}

std::size_t countCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

}  // namespace

std::optional<double> wholeNumberValue(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlankCharacter(text[begin])) ++begin;
    while (end > begin && isBlankCharacter(text[end - 1])) --end;
    const std::string_view number = text.substr(begin, end - begin);
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < number.size() && isDigit(number[i])) ++i, ++digits;
    if (i < number.size() && number[i] == '.') {
        ++i;
        while (i < number.size() && isDigit(number[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < number.size() && isDigit(number[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != number.size()) return std::nullopt;
    // from_chars takes no leading '+'.
    const std::size_t skip = number[0] == '+' ? 1 : 0;
    double value = 0.0;
    const auto [ptr, ec] =
        std::from_chars(number.data() + skip, number.data() + number.size(), value);
    // A number beyond what a double holds ("1E+400", "1E-400") stays text: kept as typed
    // rather than stored as something else.
    if (ec != std::errc{} || ptr != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string validUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0) {
            appendUtf8(out, static_cast<unsigned char>(text[0]));  // Latin-1 byte
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return out;
}

std::string readableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0 || text[0] == '\0') {
            out += kReplacementCharacter;
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return out;
}

Result<CellValue> enteredCell(std::string_view text) {
    if (text.empty()) return CellValue{};
    if (const auto number = wholeNumberValue(text)) {
        return CellValue{CellKind::Number, formatNumber(*number), *number};
    }
    std::string stored = validUtf8(text);
    std::erase(stored, '\0');  // no workbook format can hold it
    if (countCharacters(stored) > kMaxCellCharacters) {
        return Failure{"a cell holds at most 32767 characters"};
    }
    return CellValue{CellKind::Text, std::move(stored), 0.0};
}

}  // namespace kelvorad
