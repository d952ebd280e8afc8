#include "workbook_commands.h"

#include <atomic>
#include <exception>
#include <system_error>
#include <thread>

#include "data_folder.h"
#include "error_report.h"
#include "grid_transfer.h"
#include "main_window.h"
#include "main_window_actions.h"

namespace kelvorad {

namespace fs = std::filesystem;

namespace {
constexpr const char* kLoadTitle = "Open Excel File";
constexpr const char* kWaitTitle = "Wait  Please";
constexpr const char* kEditTitle = "Edit Excel File";
constexpr const char* kDataEntryTitle = "Data Entry Screen";
// The cell the edit commands put a blank into when the cell editor is empty.
constexpr int kBlankRow = 123;
constexpr int kBlankColumn = 1;
}  // namespace

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

Result<fs::path> workingCopyOfTemplate(const std::string& name, const fs::path& dataFolder,
                                       const fs::path& workingFolder) {
    const fs::path copy = workingFolder / name;
    const fs::path source = dataFolder / "workbooks" / name;
    const auto failure = [&](const std::error_code& error) {
        return Failure{"Can't copy the workbook template \"" + source.string() + "\" to \"" +
                       copy.string() + "\": " + error.message()};
    };
    std::error_code error;
    if (fs::exists(copy, error)) return copy;
    if (error) return failure(error);
    if (!fs::copy_file(source, copy, fs::copy_options::none, error)) return failure(error);
    // An installed template may be read-only; the user's copy must take the user's changes.
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    error);
    if (error) return failure(error);
    return copy;
}

WorkbookCommands::WorkbookCommands(MainWindow& window, DesktopServices desktop)
    : window_(window), desktop_(desktop) {
    window_.setHook(WindowHook::LoadXlsFromMenu, [this] { loadWorkbook(kXlsWorkbookFilter); });
    window_.setHook(WindowHook::LoadXlsFromButton, [this] { loadWorkbook(kXlsWorkbookFilter); });
    window_.setHook(WindowHook::LoadXlsx, [this] { loadWorkbook(kXlsxWorkbookFilter); });
    window_.setHook(WindowHook::EditXlsFromMenu, [this] { editTemplate(kXlsTemplate, false); });
    window_.setHook(WindowHook::EditXlsFromButton, [this] { editTemplate(kXlsTemplate, true); });
    window_.setHook(WindowHook::EditXlsx, [this] { editTemplate(kXlsxTemplate, true); });
    window_.setHook(WindowHook::QuitSpreadsheet, [this] { quitSpreadsheet(); });
}

WorkbookCommands::~WorkbookCommands() {
    for (WindowHook hook :
         {WindowHook::LoadXlsFromMenu, WindowHook::LoadXlsFromButton, WindowHook::LoadXlsx,
          WindowHook::EditXlsFromMenu, WindowHook::EditXlsFromButton, WindowHook::EditXlsx,
          WindowHook::QuitSpreadsheet}) {
        window_.setHook(hook, {});
    }
    for (SpreadsheetApplication& application : started_) {
        if (!application.hasQuit()) application.quit();
    }
}

// The dialog comes first and the table is cleared last: nothing the user typed is lost to a
// cancelled dialog, a workbook that cannot be read, or Cancel to the unsaved-change question.
void WorkbookCommands::loadWorkbook(const char* filter) {
    const std::string previousTitle = window_.screenTitle();
    window_.setScreenTitle(kLoadTitle);
    const std::string path = desktop_.dialogs.askOpenFileName(kLoadTitle, filter);
    if (path.empty()) {
        window_.setScreenTitle(previousTitle);
        return;
    }

    SpreadsheetApplication application = runningOrNewApplication();
    if (!application.isSet()) showMessage("Can't open Excel.");
    window_.setScreenTitle(kWaitTitle);
    std::optional<WorkbookFileRead> read = readWithoutBlocking(path);
    if (!read) {  // the user cancelled the reading
        window_.setScreenTitle(previousTitle);
        return;
    }
    TextGrid loaded(kImportRows, kImportColumns);
    if (const Status opened = openActiveSheet(application, std::move(*read), loaded); !opened) {
        showMessage("Can't load the workbook \"" + path + "\" into the table.\n\n" +
                    opened.error());
        window_.setScreenTitle(previousTitle);
        return;
    }
    if (!window_.askToSaveChanges()) {
        window_.setScreenTitle(previousTitle);
        return;
    }
    // The user has answered the question; New File must not ask it a second time. New File
    // empties the undo history; the load is its one step, and undoing it gives back the table
    // as it was before.
    const AnalysisTable before = window_.analysisTable();
    window_.document().markClean();
    window_.newFile();

    // Every cell, headers and row numbers too. The table now differs from what New File left,
    // so it counts as unsaved: a workbook is not an analysis file, and closing asks first.
    AnalysisTable& table = window_.analysisTable();
    table.resize(kImportRows, kImportColumns);
    for (int r = 0; r < kImportRows; ++r) {
        for (int c = 0; c < kImportColumns; ++c) table.setText(r, c, loaded.text(r, c));
    }
    window_.recordTableChange("Load Workbook", before);
    window_.setCurrentFileName(path);
    window_.setFileStatus(path);
    window_.setScreenTitle(kDataEntryTitle);
}

void WorkbookCommands::editTemplate(const char* templateName, bool showTitle) {
    if (showTitle) window_.setScreenTitle(kEditTitle);
    openTemplateCopy(templateName);
    window_.setScreenTitle(kDataEntryTitle);
}

void WorkbookCommands::quitSpreadsheet() {
    quitAllApplications();
    started_.clear();
    loadApplication_ = {};
}

SpreadsheetApplication WorkbookCommands::runningOrNewApplication() {
    auto running = SpreadsheetApplication::attach();
    return running ? running.value() : newApplication();
}

SpreadsheetApplication WorkbookCommands::newApplication() {
    std::erase_if(started_, [](const SpreadsheetApplication& a) { return a.hasQuit(); });
    started_.push_back(SpreadsheetApplication::create(desktop_.shell));
    return started_.back();
}

// Reads the workbook on another thread, through the workbook reader, while the window keeps
// handling its events; after half a second a box lets the user cancel, which stops the reader.
// nullopt when the user cancelled.
std::optional<WorkbookFileRead> WorkbookCommands::readWithoutBlocking(const std::string& path) {
    std::stop_source stop;
    std::optional<WorkbookFileRead> read;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        try {
            read = readWorkbookAhead(path, stop.get_token());
        } catch (const std::exception& e) {
            read = WorkbookFileRead{path, Failure{path + ": " + e.what()}, std::nullopt};
        }
        done = true;
    });
    const bool waited = desktop_.messages.waitUntil(
        kMessageTitle, "Reading the workbook \"" + path + "\" ...", [&] { return done.load(); });
    if (!waited) stop.request_stop();
    reader.join();
    if (!waited) return std::nullopt;
    return read;
}

// Opens the workbook read ahead and copies its active sheet into `grid`; the workbook stays
// open in the application. An application that already held the workbook would give its own
// copy back, which misses what was saved to the file since (by the desktop's spreadsheet
// program, after an edit command): the fresh reading then goes to a new application.
Status WorkbookCommands::openActiveSheet(SpreadsheetApplication& application, WorkbookFileRead read,
                                         TextGrid& grid) {
    if (const auto held = application.workbooks().holds(read.source); held && held.value()) {
        application = newApplication();
    }
    auto workbook = application.workbooks().open(std::move(read));
    if (!workbook) return Failure{workbook.error()};
    auto sheet = workbook->activeSheet();
    if (!sheet) return Failure{sheet.error()};
    if (Status copied = copySheetIntoGrid(sheet.value(), grid); !copied) return copied;
    loadApplication_ = application;
    return {};
}

// Each failing step reports itself, naming the file, and ends the command, so no error is
// left for the error report afterwards.
void WorkbookCommands::openTemplateCopy(const char* templateName) {
    std::error_code noFolder;
    fs::path workingFolder = fs::current_path(noFolder);
    if (noFolder) workingFolder = ".";
    const auto copy = workingCopyOfTemplate(templateName, dataFolder(), workingFolder);
    if (!copy) {
        showMessage(copy.error());
        return;
    }

    SpreadsheetApplication application = newApplication();
    const auto cantOpen = [&](const std::string& reason) {
        showMessage("Can't open the workbook \"" + copy->string() + "\".\n\n" + reason);
        application.quit();
    };
    auto workbook = application.workbooks().open(copy.value());
    if (!workbook) return cantOpen(workbook.error());
    // The workbook is shown even if the desktop could not open it: the message says so.
    if (const Status shown = application.setVisible(true); !shown) showMessage(shown.error());
    auto sheet = workbook->worksheet(1);
    if (!sheet) return cantOpen(sheet.error());

    if (trimBlanks(window_.cellEditorText()).empty()) {
        // The workbook stays open, visible, for the user to fill in.
        const Status put = sheet->cell(kBlankRow, kBlankColumn).setValue(" ");
        if (!put) showMessage(put.error());
    } else {
        application.quit();
    }
}

void WorkbookCommands::showMessage(const std::string& text) {
    desktop_.messages.showMessage(kMessageTitle, text);
}

}  // namespace kelvorad
