#pragma once
// A grid of text cells with a current cell and a selection, the data behind both windows'
// tables. Plain C++: the windows only display it and forward the user's actions to it.

#include <string>
#include <string_view>
#include <vector>

namespace kelvorad {

struct CellRect {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

class TextGrid {
  public:
    TextGrid(int rows, int columns);

    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }
    // Changes the counts; cells that stay inside keep their text, new cells are empty.
    void resize(int rows, int columns);

    // Out-of-range cells read as the empty text and ignore writes.
    const std::string& text(int row, int column) const;
    void setText(int row, int column, std::string text);
    bool contains(int row, int column) const;

    // The current cell; moving it collapses the selection onto it.
    int row() const { return row_; }
    int column() const { return column_; }
    void setCurrent(int row, int column);
    // The selection's opposite corner, on either side of the current cell.
    int selectionEndRow() const { return rowSel_; }
    int selectionEndColumn() const { return colSel_; }
    void setSelectionEnd(int row, int column);
    CellRect selection() const;

    // The selected cells in row order: cells of a row joined by TAB, rows by CR, no CR at the end.
    std::string selectionText() const;
    // Lays a TAB/CR text over the selection from its top-left cell. Only selected cells change;
    // text beyond the selection is dropped; cells the text does not reach keep their content.
    void putIntoSelection(std::string_view text);
    // Empties every selected cell.
    void emptySelection();

    // Empties every cell, headers and row numbers included.
    void clearAll();
    // Inserts an empty row at `at` (rows from `at` down move one down).
    void insertRow(int at);
    // Removes row `at`; the rows below move up with their texts.
    void removeRow(int at);

    // Appends one row whose cells are the TAB-separated fields of `fields` (extra fields dropped).
    void appendRow(std::string_view fields);
    // Makes room for `rows` more rows, so that appending them moves no cell.
    void reserveMoreRows(int rows);

    // Editing at the end of the current cell's text: Backspace (8) drops the last character,
    // other control codes are ignored, printable text is appended. Returns true if it changed.
    bool typeIntoCurrentCell(char32_t code);

  private:
    std::size_t index(int row, int column) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column);
    }
    int clampRow(int row) const;
    int clampColumn(int column) const;

    int rows_;
    int columns_;
    std::vector<std::string> cells_;
    int row_ = 0;
    int column_ = 0;
    int rowSel_ = 0;
    int colSel_ = 0;
};

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t code);
// Drops the last UTF-8 character of a text (a whole multi-byte sequence at once).
void dropLastUtf8Character(std::string& text);

}  // namespace kelvorad
