#include "pair_text_input.h"

#include "analysis_file.h"

namespace kelvorad {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

char detectSeparator(std::string_view line) {
    bool quoted = false;
    bool semicolon = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;  // a doubled quote inside toggles twice
        if (quoted) continue;
        if (c == '\t') return '\t';
        if (c == ';') semicolon = true;
    }
    return semicolon ? ';' : ',';
}

void splitFields(std::string_view line, char separator, std::vector<std::string>& fields) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (true) {
        if (count == fields.size()) fields.emplace_back();
        std::string& value = fields[count++];
        value.clear();
        if (i < line.size() && line[i] == '"') {
            for (++i; i < line.size(); ++i) {
                if (line[i] != '"') {
                    value.push_back(line[i]);
                } else if (i + 1 < line.size() && line[i + 1] == '"') {
                    value.push_back('"');
                    ++i;
                } else {
                    ++i;  // the closing quote
                    break;
                }
            }
        }
        std::size_t end = line.find(separator, i);
        if (end == std::string_view::npos) end = line.size();
        value.append(line.substr(i, end - i));
        if (end == line.size()) break;
        i = end + 1;
    }
    fields.resize(count);
}

PairTextInput::PairTextInput(std::istream& in, TextEncoding encoding)
    : in_(in), encoding_(encoding) {
    std::string line;
    while (nextLine(line)) {
        if (line.empty()) continue;
        separator_ = detectSeparator(line);
        splitFields(line, separator_, fields_);
        if (isHeaderLine(fields_)) {
            hasHeader_ = true;
            columns_ = columnsFromHeader(fields_);
        } else {
            pendingFirst_ = true;
            firstLine_ = std::move(line);
        }
        return;
    }
}

bool PairTextInput::nextLine(std::string& line) {
    if (blockAt_ == std::string::npos) {
        if (!std::getline(in_, block_)) return false;
        blockAt_ = 0;
        if (lineNumber_ == 0 && block_.starts_with(kByteOrderMark)) blockAt_ = 3;
    }
    const std::size_t end = block_.find('\r', blockAt_);
    if (end == std::string::npos) {
        line.assign(block_, blockAt_);
        blockAt_ = std::string::npos;
    } else {
        line.assign(block_, blockAt_, end - blockAt_);
        blockAt_ = end + 1 == block_.size() ? std::string::npos : end + 1;
    }
    if (encoding_ == TextEncoding::Windows1252) line = decodeWindows1252(line);
    ++lineNumber_;
    return true;
}

bool PairTextInput::next(std::vector<std::string>& cells) {
    if (pendingFirst_) {
        pendingFirst_ = false;
        splitFields(firstLine_, separator_, fields_);
        columns_.place(fields_, cells);
        return true;
    }
    do {
        if (!nextLine(line_)) return false;
    } while (line_.empty());
    splitFields(line_, separator_, fields_);
    columns_.place(fields_, cells);
    return true;
}

}  // namespace kelvorad
