#pragma once
// The spreadsheet component: an application object holding open workbooks in memory, with the
// operations the windows drive it by (the shape of a spreadsheet application's automation
// interface): create or attach, Visible, Workbooks.Open, ActiveSheet, Worksheets(n),
// Cells(r, c).Value get and put, Quit, and a global quit reaching every live application.
//
// Nothing is shown while the application is hidden. Making it visible saves every workbook it
// changed (atomically, as .xlsx) and hands each open workbook to the desktop's spreadsheet
// program through the Shell. Quit discards what was not saved.
//
// Handles (SpreadsheetApplication, Workbooks, Workbook, Worksheet, Cell) are cheap values that
// share the state they point to. A default-constructed handle is an empty reference; every
// operation through it, or through a handle whose application has quit, fails with a message
// and changes nothing. All calls belong to one thread (the user-interface thread).

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "desktop_services.h"
#include "file_stamp.h"
#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

namespace detail {
struct ApplicationState;
struct WorkbookState;
}  // namespace detail

class Worksheet;

// One cell of a worksheet, rows and columns from 1.
class Cell {
  public:
    // The cell's text: a number in general format, "TRUE"/"FALSE", a date as in date_text.h;
    // an empty cell gives the empty text. Fails for an empty or stale reference or a cell
    // outside the sheet.
    Result<std::string> value() const;
    // Puts a text into the cell: a text that reads wholly as a number becomes a number cell,
    // the empty text empties the cell. Fails (and changes nothing) as value() does, and for a
    // text longer than 32767 characters.
    Status setValue(std::string_view text);
    // What the cell holds (and how it is saved).
    Result<CellKind> kind() const;
    // The cell's background fill, 0xRRGGBB (0: none). Putting a value keeps the fill, as in a
    // spreadsheet; the fill is saved with the workbook. Fails as value() does.
    Status setFill(std::uint32_t rgb);
    Result<std::uint32_t> fill() const;

  private:
    friend class Worksheet;
    Cell(const Worksheet& sheet, int row, int column);
    std::shared_ptr<detail::ApplicationState> application_;
    std::weak_ptr<detail::WorkbookState> workbook_;
    std::size_t sheet_ = 0;
    int row_ = 0;
    int column_ = 0;
};

class Worksheet {
  public:
    Worksheet() = default;
    bool isSet() const { return application_ != nullptr; }

    // The cell at (row, column), both from 1. Never fails itself; its operations do.
    Cell cell(int row, int column) const { return Cell(*this, row, column); }
    // The sheet's tab name.
    Result<std::string> name() const;
    // Empties every cell of the sheet, fills included.
    Status clear();

  private:
    friend class Workbook;
    friend class Cell;
    Worksheet(std::shared_ptr<detail::ApplicationState> application,
              std::weak_ptr<detail::WorkbookState> workbook, std::size_t sheet)
        : application_(std::move(application)), workbook_(std::move(workbook)), sheet_(sheet) {}
    std::shared_ptr<detail::ApplicationState> application_;
    std::weak_ptr<detail::WorkbookState> workbook_;
    std::size_t sheet_ = 0;
};

class Workbook {
  public:
    Workbook() = default;
    bool isSet() const { return application_ != nullptr; }

    // The sheet the workbook opened on: its active tab (the first sheet if none was recorded).
    Result<Worksheet> activeSheet() const;
    // Worksheet `index`, from 1 in tab order; fails for an index outside 1 to worksheetCount().
    Result<Worksheet> worksheet(int index) const;
    Result<int> worksheetCount() const;
    // The worksheet named `name` (ignoring case), added after the last one when there is none.
    Result<Worksheet> worksheetNamed(std::string_view name);
    // The file the workbook was opened from (or is to be created at).
    Result<std::filesystem::path> path() const;
    // Where saving writes: the file itself for an .xlsx file (or a new one named .xlsx), else
    // the file's name with ".xlsx" appended beside it ("Kelvorad.xls" is saved as
    // "Kelvorad.xls.xlsx"), so that saving never overwrites an original in another format
    // nor writes .xlsx content under another extension.
    Result<std::filesystem::path> savePath() const;
    // True when cells were put since the workbook was read or last saved, or when it was
    // created and is not yet on disk.
    Result<bool> isChanged() const;
    // Saves the workbook as .xlsx at savePath(), atomically. If that file was changed by
    // another program since the workbook last read or wrote it, the file is read again and
    // the cells put here since then are laid over it, so that edits made there survive;
    // if it cannot be read, nothing is written. (A copy saved from an .xls or .ods file in an
    // earlier session is simply replaced.) Fails with a message naming the file.
    Status save();

  private:
    friend class Workbooks;
    Workbook(std::shared_ptr<detail::ApplicationState> application,
             std::weak_ptr<detail::WorkbookState> workbook)
        : application_(std::move(application)), workbook_(std::move(workbook)) {}
    std::shared_ptr<detail::ApplicationState> application_;
    std::weak_ptr<detail::WorkbookState> workbook_;
};

// A workbook file read ahead of opening it, so that the reading, which runs the workbook reader
// and can take seconds, can be done on another thread (see readWorkbookAhead).
struct WorkbookFileRead {
    std::filesystem::path source;  // absolute, as Workbooks::open keeps it
    Result<WorkbookData> data;
    std::optional<detail::FileStamp> stamp;  // of the file before it was read
};

// Reads the workbook file at `path` (see readWorkbookFile), touching no application: safe on any
// thread. A `stop` request ends the reading with a failure.
WorkbookFileRead readWorkbookAhead(const std::filesystem::path& path, std::stop_token stop = {});

class Workbooks {
  public:
    Workbooks() = default;

    // Reads a workbook file (.xlsx, .ods or .xls, told by content) into memory. Opening a file
    // this application already holds gives that workbook again. A missing, unreadable or
    // malformed file gives a failure naming the file and the reason.
    Result<Workbook> open(const std::filesystem::path& path);
    // As open(), with the file read ahead: a workbook this application already holds is given
    // again as it is, else the read is taken (its failure is the failure of the call).
    Result<Workbook> open(WorkbookFileRead read);
    // True when the application holds the workbook opened from `path`.
    Result<bool> holds(const std::filesystem::path& path) const;
    // As open(), but when no file exists at `path`, an empty workbook of that name (one sheet,
    // "Sheet1") is created in memory; it is written on the first save or when the application
    // is made visible. An existing file that cannot be read is a failure, never overwritten.
    Result<Workbook> openOrCreate(const std::filesystem::path& path);
    Result<int> count() const;

  private:
    friend class SpreadsheetApplication;
    explicit Workbooks(std::shared_ptr<detail::ApplicationState> application)
        : application_(std::move(application)) {}
    std::shared_ptr<detail::ApplicationState> application_;
};

class SpreadsheetApplication {
  public:
    // An empty reference.
    SpreadsheetApplication() = default;

    // A new, hidden application that shows workbooks through `shell`, which must outlive it.
    static SpreadsheetApplication create(Shell& shell);
    // The most recently created application that has not quit; fails when none is running.
    static Result<SpreadsheetApplication> attach();

    bool isSet() const { return state_ != nullptr; }
    bool hasQuit() const;

    // Showing saves every changed workbook (see Workbook::save) and then asks the shell to
    // open each open workbook's file, every time it is called. Failures of single workbooks
    // are gathered into one message; the other workbooks are still saved and shown. Hiding
    // only records the state: the desktop program's windows are its own.
    Status setVisible(bool visible);
    Result<bool> isVisible() const;

    // The collection of open workbooks.
    Workbooks workbooks() const { return Workbooks(state_); }

    // Ends the application: unsaved changes are discarded and every workbook is released, so
    // that every handle into it fails from now on. Fails when it has already quit.
    Status quit();

  private:
    explicit SpreadsheetApplication(std::shared_ptr<detail::ApplicationState> state)
        : state_(std::move(state)) {}
    std::shared_ptr<detail::ApplicationState> state_;
};

// The global quit: every live application that has not quit yet quits (see quit()). Succeeds
// also when no application is running, so that the program's Exit is never held up by it.
Status quitAllApplications();

}  // namespace kelvorad
