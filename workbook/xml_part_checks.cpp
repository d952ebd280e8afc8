#include "xml_part_checks.h"

#include <orcus/sax_parser.hpp>

#include <exception>

namespace kelvorad {

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr std::string_view kReplacementReference = "&#xFFFD;";

bool isAllowedCodePoint(char32_t code) {
    return code != 0 && (code < 0xD800 || code > 0xDFFF) && code <= kLastCodePoint;
}

int digitValue(char c, bool hexadecimal) {
    if (c >= '0' && c <= '9') return c - '0';
    if (!hexadecimal) return -1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The length of the numeric character reference "&#...;" at `at` whose code point XML does not
// allow, or 0 when there is none there. Values too large to count are beyond U+10FFFF too.
std::size_t forbiddenReferenceAt(std::string_view xml, std::size_t at) {
    std::size_t i = at + 2;
    const bool hexadecimal = i < xml.size() && (xml[i] == 'x' || xml[i] == 'X');
    if (hexadecimal) ++i;
    const std::size_t digitsStart = i;
    char32_t code = 0;
    for (; i < xml.size(); ++i) {
        const int digit = digitValue(xml[i], hexadecimal);
        if (digit < 0) break;
        code = code * (hexadecimal ? 16 : 10) + static_cast<char32_t>(digit);
        if (code > kLastCodePoint) code = kLastCodePoint + 1;  // stays beyond
    }
    if (i == digitsStart || i >= xml.size() || xml[i] != ';') return 0;
    return isAllowedCodePoint(code) ? 0 : i + 1 - at;
}

// Follows the nesting of elements.
class NestingCounter : public orcus::sax_handler {
  public:
    void start_element(const orcus::sax::parser_element&) {
        ++depth_;
        ++elements_;
    }
    void end_element(const orcus::sax::parser_element&) {
        if (--depth_ < 0) balanced_ = false;
    }
    bool complete() const { return balanced_ && depth_ == 0 && elements_ > 0; }

  private:
    long depth_ = 0;
    long elements_ = 0;
    bool balanced_ = true;
};

}  // namespace

std::size_t replaceForbiddenCharacterReferences(std::string& xml) {
    std::size_t replaced = 0;
    for (std::size_t at = xml.find("&#"); at != std::string::npos; at = xml.find("&#", at + 1)) {
        const std::size_t length = forbiddenReferenceAt(xml, at);
        if (length == 0) continue;
        xml.replace(at, length, kReplacementReference);
        ++replaced;
    }
    return replaced;
}

Status checkXmlPartComplete(std::string_view xml, std::string_view partName) {
    NestingCounter counter;
    try {
        orcus::sax_parser<NestingCounter> parser(xml.data(), xml.size(), counter);
        parser.parse();
    } catch (const std::exception& e) {
        return Failure{"the part " + std::string(partName) + " is damaged (" + e.what() + ")"};
    }
    if (!counter.complete()) {
        return Failure{"the part " + std::string(partName) + " ends early; the file is damaged"};
    }
    return {};
}

}  // namespace kelvorad
