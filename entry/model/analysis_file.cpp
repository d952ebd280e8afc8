#include "analysis_file.h"

#include "atomic_file.h"
#include "error_report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

namespace kelvorad {

namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0 if it is not valid.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80) return 1;
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// Windows-1252 code points of bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

// Marks `result` failed with a message naming the file and the reason given by `savedErrno`.
void fail(FileResult& result, const char* what, const std::string& path, int savedErrno,
          bool writing) {
    std::string message = what;
    message.append(" \"").append(path).append("\": ").append(std::strerror(savedErrno));
    result.status = Failure{std::move(message), errorKindForFileFailure(savedErrno, writing)};
}

// Reads a whole file; on failure `result` says why.
bool readBytes(const std::string& path, std::string& bytes, FileResult& result) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail(result, "Cannot open", path, errno ? errno : ENOENT, false);
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        fail(result, "Cannot read", path, errno ? errno : EIO, false);
        return false;
    }
    bytes = std::move(buffer).str();
    return true;
}

// Rows of an analysis file's item (rows joined by CR) from index `firstRow` on that hold
// anything besides blanks and TABs.
int rowsWithTextFrom(std::string_view item, int firstRow) {
    int rows = 0;
    int row = 0;
    std::size_t start = 0;
    while (start <= item.size()) {
        std::size_t end = item.find('\r', start);
        if (end == std::string_view::npos) end = item.size();
        const std::string_view text = item.substr(start, end - start);
        if (row >= firstRow && text.find_first_not_of(" \t") != std::string_view::npos) ++rows;
        ++row;
        start = end + 1;
    }
    return rows;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string decodeAnalysisText(std::string_view bytes) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    return decodeWindows1252(bytes);
}

std::string decodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (unsigned char b : bytes) {
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
        } else if (b < 0xA0) {
            appendUtf8(out, kWindows1252High[b - 0x80]);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

std::string firstAnalysisItem(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string_view item;
    if (i < text.size() && text[i] == '"') {
        const std::size_t close = text.find('"', i + 1);
        item = text.substr(
            i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1);
    } else {
        const std::size_t end = text.find_first_of(",\r\n", i);
        item = text.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
    }
    // Rows end in CR; a LF or CR LF written by another editor becomes a CR. Runs between
    // line feeds are copied whole: the item is a whole table.
    std::string out;
    out.reserve(item.size());
    std::size_t from = 0;
    while (from < item.size()) {
        std::size_t lineFeed = item.find('\n', from);
        if (lineFeed == std::string_view::npos) lineFeed = item.size();
        std::size_t runEnd = lineFeed;
        if (lineFeed < item.size() && runEnd > from && item[runEnd - 1] == '\r') --runEnd;
        out.append(item.substr(from, runEnd - from));
        if (lineFeed < item.size()) out.push_back('\r');
        from = lineFeed + 1;
    }
    return out;
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    FileResult result;
    if (readBytes(path, bytes, result)) return true;
    error = result.error();
    return false;
}

FileResult readAnalysisFile(AnalysisTable& table, const std::string& path) {
    FileResult result;
    std::string bytes;
    if (!readBytes(path, bytes, result)) return result;
    return readAnalysisBytes(table, bytes);
}

FileResult readAnalysisBytes(AnalysisTable& table, std::string_view bytes) {
    FileResult result;
    table.selectDataArea();
    const std::string item = firstAnalysisItem(decodeAnalysisText(bytes));
    table.putIntoSelection(item);
    result.rowsDropped = rowsWithTextFrom(item, table.rowCount() - 1);
    return result;
}

std::string analysisFileContent(const TextGrid& table, int* cellsChanged) {
    int changed = 0;
    std::string out = "\"";
    for (int r = 1; r < table.rowCount(); ++r) {
        if (r > 1) out.push_back('\r');
        for (int c = 1; c < table.columnCount(); ++c) {
            if (c > 1) out.push_back('\t');
            const std::string& cell = table.text(r, c);
            bool altered = false;
            for (char ch : cell) {
                if (ch == '"') {
                    out += "''";
                    altered = true;
                } else if (ch == '\t' || ch == '\r' || ch == '\n') {
                    out.push_back(' ');
                    altered = true;
                } else {
                    out.push_back(ch);
                }
            }
            changed += altered ? 1 : 0;
        }
    }
    out += "\"\r\n";
    if (cellsChanged) *cellsChanged = changed;
    return out;
}

FileResult writeFileAtomically(const std::string& path, std::string_view content) {
    FileResult result;
    AtomicFile file;
    if (!(file.open(path) && file.write(content) && file.commit())) {
        std::string message = "Cannot write \"";
        message.append(path).append("\": ").append(file.reason());
        result.status =
            Failure{std::move(message), errorKindForFileFailure(file.errorNumber(), true)};
    }
    return result;
}

FileResult writeAnalysisFile(AnalysisTable& table, const std::string& path) {
    table.selectDataArea();
    int changed = 0;
    const std::string content = analysisFileContent(table, &changed);
    FileResult result = writeFileAtomically(path, content);
    result.cellsChanged = changed;
    return result;
}

}  // namespace kelvorad
