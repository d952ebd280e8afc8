#pragma once
// The main window's document: the analysis table, the current file name, and what the table
// held when it was last created, opened or saved (so the window can ask before losing
// changes). The table commands of the Edit menu live here, free of any window.

#include <string>
#include <string_view>

#include "analysis_file.h"
#include "analysis_table.h"
#include "desktop_services.h"
#include "result.h"

namespace kelvorad {

class AnalysisDocument {
  public:
    AnalysisDocument();

    AnalysisTable& table() { return table_; }
    const AnalysisTable& table() const { return table_; }

    // The file name last chosen in Open File (or by a workbook import); empty at start.
    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string name) { fileName_ = std::move(name); }

    // True when the data area differs from what it held when the table was last created,
    // opened or saved; edits that were undone again do not count.
    bool hasUnsavedChanges() const;
    // Takes the table as it is now as the state there is nothing to lose from.
    void markClean();

    // Reads an analysis file into the data area (see readAnalysisFile); the table counts as
    // unchanged afterwards. On failure the table is untouched and the result says why.
    FileResult open(const std::string& path);
    // Writes the data area to `path` atomically; on success the table counts as unchanged.
    FileResult save(const std::string& path);

    // Remove Row: removes the current data row when the table has more than 2 rows; the rows
    // below move up with their numbers. Nothing happens on the header row. True if removed.
    bool removeCurrentRow();
    // Insert Row: an empty row (number cell empty too) at the current data row. Nothing
    // happens on the header row. True if inserted.
    bool insertRowAtCurrent();

    // Copy: the selection text (cells joined by TAB, rows by CR) onto the clipboard.
    // Fails with ClipboardUnavailable when the clipboard cannot be opened.
    Status copy(Clipboard& clipboard) const;
    // Cut: Copy, then empty the selection. When the copy fails nothing is emptied, so the
    // cells are never lost.
    Status cut(Clipboard& clipboard);
    // Paste: the clipboard's plain text laid over the selection from its top-left cell; an
    // empty clipboard changes nothing. Fails as Copy does.
    Status paste(Clipboard& clipboard);
    // Delete: empties the selection; the clipboard is not touched.
    void deleteSelection() { table_.emptySelection(); }
    // Select All: the data area, (1, 1) to (row count - 1, column count - 1).
    void selectAll() { table_.selectDataArea(); }

    // The cell editor's text written into the current cell. True if the cell changed.
    bool setCurrentCellText(std::string_view text);

  private:
    AnalysisTable table_;
    std::string fileName_;
    std::string cleanContent_;
};

}  // namespace kelvorad
