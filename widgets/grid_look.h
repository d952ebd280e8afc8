#pragma once
// How a table view shows and edits its text grid: the alignment of each cell, the width of
// each column, and what a key typed into the table does. The main window's analysis table and
// the results window's results table differ only in these.

#include <Qt>
#include <cstdint>
#include <functional>
#include <string>

#include "cell_alignment.h"

namespace kelvorad {

struct GridLook {
    // A typed code (Enter 13, Tab 9, Backspace 8 or a character) applied to the grid; true
    // when a cell's text changed. The grid's current cell may move.
    std::function<bool(char32_t code)> typeKey;
    // The alignment of a cell's text.
    std::function<Qt::Alignment(int row, int column)> alignment;
    // A column's width in twips (1/1440 inch); 0 keeps the view's default width.
    std::function<int(int column)> widthTwips;
    // Optional. What a cell shows of its text (the text itself when unset); editing and
    // copying always use the text.
    std::function<std::string(int row, int column, const std::string& text)> displayText;
    // Optional. A cell's tooltip; empty for none.
    std::function<std::string(int row, int column)> toolTip;
    // Optional. A cell's background tint as 0xRRGGBB; 0 for the view's own background.
    std::function<std::uint32_t(int row, int column)> backgroundRgb;
};

// The Qt form of a cell alignment of the plain tables.
Qt::Alignment qtAlignment(CellAlignment alignment);

}  // namespace kelvorad
