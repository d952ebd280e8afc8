#include "dialog_filter.h"

#include <vector>

namespace kelvorad {

namespace {
std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::string patternList(std::string_view patterns) {
    std::string out;
    for (std::string_view pattern : split(patterns, ';')) {
        pattern = trimmed(pattern);
        if (pattern.empty()) continue;
        if (!out.empty()) out += ' ';
        out += pattern;
    }
    return out;
}
}  // namespace

std::string qtDialogFilter(std::string_view programFilter) {
    const std::vector<std::string_view> parts = split(programFilter, '|');
    if (parts.size() == 1) {
        const std::string patterns = patternList(parts[0]);
        return patterns.empty() ? std::string() : "(" + patterns + ")";
    }
    std::string out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string_view description = trimmed(parts[i]);
        const std::string patterns = patternList(parts[i + 1]);
        const std::string shown = "(" + patterns + ")";
        if (description.size() >= shown.size() &&
            description.substr(description.size() - shown.size()) == shown) {
            description = trimmed(description.substr(0, description.size() - shown.size()));
        }
        if (!out.empty()) out += ";;";
        out += std::string(description) + (description.empty() ? "" : " ") + shown;
    }
    return out;
}

std::string defaultSuffix(std::string_view programFilter) {
    const std::vector<std::string_view> parts = split(programFilter, '|');
    const std::string_view patterns = parts.size() == 1 ? parts[0] : parts[1];
    const std::string_view first = trimmed(split(patterns, ';').front());
    if (first.size() < 3 || first.substr(0, 2) != "*.") return {};
    const std::string_view suffix = first.substr(2);
    if (suffix.find_first_of("*?[") != std::string_view::npos) return {};
    return std::string(suffix);
}

}  // namespace kelvorad
