#pragma once
// The main window's workbook commands: loading the active sheet of a workbook into the analysis
// table, opening a copy of the template workbook in the spreadsheet application for editing,
// and asking every spreadsheet application to quit on Exit. Installed on the window as its
// hooks; the spreadsheet applications the commands start live here as long as they are needed.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desktop_services.h"
#include "result.h"
#include "spreadsheet_application.h"
#include "text_grid.h"

namespace kelvorad {

class MainWindow;

// The dialog filters of the load commands, in the program's own form.
inline constexpr const char* kXlsWorkbookFilter = "Excel files (*.xls)|*.xls";
inline constexpr const char* kXlsxWorkbookFilter = "Excel files (*.xlsx)|*.xlsx";
// The template workbooks the edit commands open, in the data folder's workbooks/ folder.
inline constexpr const char* kXlsTemplate = "Kelvorad.xls";
inline constexpr const char* kXlsxTemplate = "Kelvorad.xlsx";

// The text with the blanks at both of its ends removed (other white space is kept).
std::string_view trimBlanks(std::string_view text);

// The copy of template workbook `name` the edit commands open: `workingFolder`/`name`. An
// existing copy is used as it is (it may hold the user's earlier work); otherwise the template
// is copied there from `dataFolder`/workbooks/, so that the installed template is never
// changed. A copy that cannot be made gives a message naming both files and the reason.
Result<std::filesystem::path> workingCopyOfTemplate(const std::string& name,
                                                    const std::filesystem::path& dataFolder,
                                                    const std::filesystem::path& workingFolder);

class WorkbookCommands {
  public:
    // Installs the load, edit and spreadsheet-quit hooks on `window`. The window and the
    // services must outlive this object.
    WorkbookCommands(MainWindow& window, DesktopServices desktop);
    // Removes the hooks and quits the applications these commands started, so that no handle
    // left anywhere can reach the desktop services after they are gone.
    ~WorkbookCommands();
    WorkbookCommands(const WorkbookCommands&) = delete;
    WorkbookCommands& operator=(const WorkbookCommands&) = delete;

    // Load: asks for a workbook with `filter`, reads its active sheet (351 rows by 36 columns)
    // and, after the unsaved-change question, puts it into a new table. The reading runs on
    // another thread while the window keeps handling its events, with a box to cancel it
    // after half a second. A cancelled dialog, an unreadable workbook (reported by name),
    // a cancelled reading or Cancel to the question change nothing. Failures are reported here.
    void loadWorkbook(const char* filter);
    // Edit: opens the working copy of template `templateName` in a new, visible spreadsheet
    // application. With an empty cell editor the workbook stays open there, a blank in cell
    // (123, 1); otherwise the application quits again. `showTitle` sets the screen title
    // "Edit Excel File" while it runs. Failures are reported here.
    void editTemplate(const char* templateName, bool showTitle);
    // Exit: every running spreadsheet application quits.
    void quitSpreadsheet();

  private:
    SpreadsheetApplication runningOrNewApplication();
    SpreadsheetApplication newApplication();
    std::optional<WorkbookFileRead> readWithoutBlocking(const std::string& path);
    Status openActiveSheet(SpreadsheetApplication& application, WorkbookFileRead read,
                           TextGrid& grid);
    void openTemplateCopy(const char* templateName);
    void showMessage(const std::string& text);

    MainWindow& window_;
    DesktopServices desktop_;
    // The application holding the workbook loaded last (kept open there, hidden).
    SpreadsheetApplication loadApplication_;
    // Every application these commands started and that has not quit yet.
    std::vector<SpreadsheetApplication> started_;
};

}  // namespace kelvorad
