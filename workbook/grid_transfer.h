#pragma once
// Moving whole tables between the program's text grids and workbooks: loading the active
// sheet of a workbook into the analysis table, and writing the results table into a workbook.

#include <filesystem>
#include <functional>

#include "result.h"
#include "spreadsheet_application.h"
#include "text_grid.h"
#include "workbook_data.h"

namespace kelvorad {

// The block of a worksheet the analysis table mirrors: worksheet cells (r + 1, c + 1) for
// table rows r = 0 to 350 and columns c = 0 to 35.
inline constexpr int kImportRows = 351;
inline constexpr int kImportColumns = 36;

// Sets `grid` to 351 rows by 36 columns and copies worksheet cell (r + 1, c + 1) into grid
// cell (r, c), every one of them (headers and row numbers too, empty cells as empty texts);
// data beyond the block is ignored. If any cell cannot be read, the grid is left as it was and
// the failure is returned.
Status copySheetIntoGrid(const Worksheet& sheet, TextGrid& grid);

// What a copy of a sheet into the analysis table left behind or mended.
struct SheetCopyReport {
    // Rows below row 351, and columns right of column 36, that hold cells: those were not read.
    int rowsBeyond = 0;
    int columnsBeyond = 0;
    // Cells of the block holding a character that could not be read, shown as U+FFFD.
    int cellsWithUnreadableCharacters = 0;
};

// What the active sheet of `workbook` holds outside the block, and how many cells of the block
// show U+FFFD.
SheetCopyReport reportSheetCopy(const WorkbookData& workbook);

// The same for the active sheet of a workbook file (.xlsx, .xls or .ods), read without an
// application. A file that cannot be read leaves the grid as it was; the message names the
// file and the reason. When `report` is given, it receives the report of the copy.
Status copyActiveSheetIntoGrid(const std::filesystem::path& workbookFile, TextGrid& grid,
                               SheetCopyReport* report = nullptr);

// Puts every cell of `grid`, empty ones included, into worksheet 1 of `sheet`'s workbook:
// grid cell (r, c) goes to worksheet cell (r + 1, c + 1), a text that reads wholly as a
// number as a number. Returns the first failure, after trying every cell.
Status putGridIntoSheet(const TextGrid& grid, Worksheet& sheet);

// Writes `grid` into worksheet 1 of the workbook at `workbookFile` (created when absent, its
// other cells and sheets kept when present) and saves it atomically as .xlsx at the
// workbook's save path (see Workbook::savePath: `workbookFile` itself when it is named .xlsx). A
// workbook that cannot be read or saved gives a message naming the file and the reason; the file is
// then left as it was. `alsoPut`, when given, puts more into the workbook (worksheet 1 is
// passed) before it is saved; its failure is returned and nothing is saved.
Status writeGridToWorkbookFile(
    const TextGrid& grid, const std::filesystem::path& workbookFile,
    const std::function<Status(Workbook& workbook, Worksheet& sheet)>& alsoPut = {});

// Saves `grid` as a new one-sheet .xlsx workbook at `workbookFile`, replacing whatever file was
// there (no cells of an older workbook survive), atomically. Cells are entered as
// putGridIntoSheet enters them. A failure gives a message naming `workbookFile` and the reason.
Status writeGridAsNewWorkbookFile(const TextGrid& grid, const std::filesystem::path& workbookFile);

}  // namespace kelvorad
