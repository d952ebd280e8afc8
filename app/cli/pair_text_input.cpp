#include "pair_text_input.h"

#include "analysis_pair.h"

namespace kelvorad {

PairTextInput::PairTextInput(std::string text, char separator)
    : text_(std::move(text)), separator_(separator) {
    const std::string_view all(text_);
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = all.size();
        const std::string_view line = all.substr(start, end - start);
        if (!line.empty()) lines_.push_back(line);
        start = end + 1;
    }
    if (separator_ == 0) {
        separator_ =
            (!lines_.empty() && lines_.front().find('\t') != std::string_view::npos) ? '\t' : ',';
    }
    if (!lines_.empty() && lines_.front().substr(0, 6) == "Sample") lines_.erase(lines_.begin());
}

void PairTextInput::cells(std::size_t index, std::vector<std::string>& out) const {
    out.assign(kPairCellCount, std::string());
    const std::string_view line = lines_[index];
    std::size_t cell = 0;
    std::size_t i = 0;
    while (i <= line.size() && cell < out.size()) {
        std::string& value = out[cell];
        if (separator_ == ',' && i < line.size() && line[i] == '"') {
            ++i;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        value.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value.push_back(line[i++]);
            }
            while (i < line.size() && line[i] != separator_) value.push_back(line[i++]);
        } else {
            std::size_t end = line.find(separator_, i);
            if (end == std::string_view::npos) end = line.size();
            value.assign(line.substr(i, end - i));
            i = end;
        }
        ++i;  // past the separator
        ++cell;
    }
}

}  // namespace kelvorad
