#include "text_grid.h"

#include <algorithm>

namespace kelvorad {

namespace {
const std::string kEmpty;
}

TextGrid::TextGrid(int rows, int columns)
    : rows_(std::max(rows, 0)),
      columns_(std::max(columns, 0)),
      cells_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_)) {}

void TextGrid::resize(int rows, int columns) {
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    if (rows == rows_ && columns == columns_) return;
    std::vector<std::string> cells(static_cast<std::size_t>(rows) *
                                   static_cast<std::size_t>(columns));
    const int keepRows = std::min(rows, rows_);
    const int keepColumns = std::min(columns, columns_);
    for (int r = 0; r < keepRows; ++r) {
        for (int c = 0; c < keepColumns; ++c) {
            cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                  static_cast<std::size_t>(c)] = std::move(cells_[index(r, c)]);
        }
    }
    cells_ = std::move(cells);
    rows_ = rows;
    columns_ = columns;
    row_ = clampRow(row_);
    column_ = clampColumn(column_);
    rowSel_ = clampRow(rowSel_);
    colSel_ = clampColumn(colSel_);
}

bool TextGrid::contains(int row, int column) const {
    return row >= 0 && row < rows_ && column >= 0 && column < columns_;
}

const std::string& TextGrid::text(int row, int column) const {
    return contains(row, column) ? cells_[index(row, column)] : kEmpty;
}

void TextGrid::setText(int row, int column, std::string text) {
    if (contains(row, column)) cells_[index(row, column)] = std::move(text);
}

int TextGrid::clampRow(int row) const {
    return std::clamp(row, 0, std::max(rows_ - 1, 0));
}
int TextGrid::clampColumn(int column) const {
    return std::clamp(column, 0, std::max(columns_ - 1, 0));
}

void TextGrid::setCurrent(int row, int column) {
    row_ = rowSel_ = clampRow(row);
    column_ = colSel_ = clampColumn(column);
}

void TextGrid::setSelectionEnd(int row, int column) {
    rowSel_ = clampRow(row);
    colSel_ = clampColumn(column);
}

CellRect TextGrid::selection() const {
    return {std::min(row_, rowSel_), std::min(column_, colSel_), std::max(row_, rowSel_),
            std::max(column_, colSel_)};
}

std::string TextGrid::selectionText() const {
    std::string out;
    if (rows_ == 0 || columns_ == 0) return out;
    const CellRect s = selection();
    for (int r = s.top; r <= s.bottom; ++r) {
        if (r > s.top) out.push_back('\r');
        for (int c = s.left; c <= s.right; ++c) {
            if (c > s.left) out.push_back('\t');
            out += cells_[index(r, c)];
        }
    }
    return out;
}

void TextGrid::putIntoSelection(std::string_view text) {
    if (rows_ == 0 || columns_ == 0) return;
    const CellRect s = selection();
    int r = s.top;
    int c = s.left;
    // The next TAB and CR are looked up once each (memchr) rather than testing every
    // character: a loaded file is some 12,000 cells, most of them empty.
    const auto next = [&text](char ch, std::size_t from) {
        const std::size_t at = text.find(ch, from);
        return at == std::string_view::npos ? text.size() : at;
    };
    std::size_t nextTab = next('\t', 0);
    std::size_t nextCr = next('\r', 0);
    std::size_t cellStart = 0;
    while (true) {
        const std::size_t cellEnd = std::min(nextTab, nextCr);
        if (r <= s.bottom && c <= s.right) {
            std::string& cell = cells_[index(r, c)];
            if (cellEnd == cellStart) {
                cell.clear();
            } else {
                cell.assign(text.data() + cellStart, cellEnd - cellStart);
            }
        }
        if (cellEnd == text.size()) break;
        cellStart = cellEnd + 1;
        if (cellEnd == nextTab) {
            ++c;
            nextTab = next('\t', cellStart);
        } else {
            ++r;
            c = s.left;
            if (r > s.bottom) break;
            nextCr = next('\r', cellStart);
        }
    }
}

void TextGrid::emptySelection() {
    if (rows_ == 0 || columns_ == 0) return;
    const CellRect s = selection();
    for (int r = s.top; r <= s.bottom; ++r) {
        for (int c = s.left; c <= s.right; ++c) cells_[index(r, c)].clear();
    }
}

void TextGrid::clearAll() {
    for (auto& cell : cells_) cell.clear();
}

void TextGrid::insertRow(int at) {
    at = std::clamp(at, 0, rows_);
    cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(index(at, 0)),
                  static_cast<std::size_t>(columns_), std::string());
    ++rows_;
}

void TextGrid::removeRow(int at) {
    if (at < 0 || at >= rows_) return;
    const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(index(at, 0));
    cells_.erase(first, first + columns_);
    --rows_;
    row_ = clampRow(row_);
    rowSel_ = clampRow(rowSel_);
}

void TextGrid::reserveMoreRows(int rows) {
    cells_.reserve(cells_.size() + static_cast<std::size_t>(std::max(rows, 0)) *
                                       static_cast<std::size_t>(columns_));
}

void TextGrid::appendRow(std::string_view fields) {
    cells_.resize(cells_.size() + static_cast<std::size_t>(columns_));
    ++rows_;
    int c = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= fields.size() && c < columns_; ++i) {
        if (i == fields.size() || fields[i] == '\t') {
            cells_[index(rows_ - 1, c++)] = std::string(fields.substr(start, i - start));
            start = i + 1;
        }
    }
}

bool TextGrid::typeIntoCurrentCell(char32_t code) {
    if (!contains(row_, column_)) return false;
    std::string& cell = cells_[index(row_, column_)];
    if (code == 8) {
        if (cell.empty()) return false;
        dropLastUtf8Character(cell);
        return true;
    }
    if (code < 32 || code == 127) return false;
    appendUtf8(cell, code);
    return true;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

void dropLastUtf8Character(std::string& text) {
    if (text.empty()) return;
    std::size_t end = text.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.erase(end);
}

}  // namespace kelvorad
