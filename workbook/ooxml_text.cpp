#include "ooxml_text.h"

#include <cctype>

#include "text_grid.h"

namespace kelvorad {

namespace {

constexpr std::size_t kEscapeLength = 7;  // "_x" + four digits + "_"

// The code of the escape starting at `at`, or -1 when there is none there.
long escapeAt(std::string_view text, std::size_t at) {
    if (at + kEscapeLength > text.size() || text[at] != '_' || text[at + 1] != 'x' ||
        text[at + 6] != '_') {
        return -1;
    }
    long code = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!std::isxdigit(c)) return -1;
        code = code * 16 + (std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    return code;
}

}  // namespace

std::string decodeOoxmlEscapes(std::string_view text) {
    if (text.find("_x") == std::string_view::npos) return std::string(text);
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const long code = escapeAt(text, i);
        if (code < 0 || (code >= 0xD800 && code <= 0xDFFF)) {
            out += text[i++];
        } else {
            appendUtf8(out, static_cast<char32_t>(code));
            i += kEscapeLength;
        }
    }
    return out;
}

std::string protectLiteralOoxmlEscapes(std::string_view text) {
    if (text.find("_x") == std::string_view::npos) return std::string(text);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (escapeAt(text, i) >= 0) out += "_x005F";
        out += text[i];
    }
    return out;
}

}  // namespace kelvorad
