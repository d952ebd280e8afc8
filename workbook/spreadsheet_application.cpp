#include "spreadsheet_application.h"

#include <algorithm>
#include <cctype>

#include "application_registry.h"
#include "cell_entry.h"
#include "workbook_reader.h"
#include "workbook_state.h"

namespace kelvorad {

namespace fs = std::filesystem;
using detail::ApplicationState;
using detail::WorkbookState;

namespace {

const Failure kNoApplication{"object required: there is no spreadsheet application"};
const Failure kQuit{"the spreadsheet application has quit"};
const Failure kClosed{"the workbook is no longer open"};

// The application behind a handle, when it can still be used.
Result<ApplicationState*> usable(const std::shared_ptr<ApplicationState>& application) {
    if (!application) return kNoApplication;
    if (application->quit) return kQuit;
    return application.get();
}

Result<WorkbookState*> usable(const std::shared_ptr<ApplicationState>& application,
                              const std::weak_ptr<WorkbookState>& workbook) {
    if (auto app = usable(application); !app) return Failure{app.error()};
    const auto state = workbook.lock();
    if (!state) return kClosed;
    // Held by the application while it lives, so the raw pointer stays valid for the call.
    return state.get();
}

Result<SheetData*> usableSheet(const std::shared_ptr<ApplicationState>& application,
                               const std::weak_ptr<WorkbookState>& workbook, std::size_t sheet) {
    auto state = usable(application, workbook);
    if (!state) return Failure{state.error()};
    auto& sheets = state.value()->data.sheets;
    if (sheet >= sheets.size()) return Failure{"the worksheet is no longer in the workbook"};
    return &sheets[sheet];
}

Failure outsideSheet(int row, int column) {
    return Failure{"there is no cell at row " + std::to_string(row) + ", column " +
                   std::to_string(column)};
}

bool hasXlsxExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".xlsx";
}

// The path made absolute and free of "." and ".." and links, so that one file opened under two
// names is one workbook; the path as given when that cannot be worked out.
fs::path absolutePath(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    if (error) return path;
    const fs::path canonical = fs::weakly_canonical(absolute, error);
    return error ? absolute : canonical;
}

std::shared_ptr<WorkbookState> findOpen(ApplicationState& application, const fs::path& source) {
    for (const auto& workbook : application.workbooks) {
        if (workbook->source == source) return workbook;
    }
    return nullptr;
}

// Ends an application: what was not saved is dropped with the workbooks.
void endApplication(ApplicationState& application) {
    application.quit = true;
    application.visible = false;
    application.workbooks.clear();  // every workbook handle now finds it closed
}

}  // namespace

// --- Cell ---

Cell::Cell(const Worksheet& sheet, int row, int column)
    : application_(sheet.application_),
      workbook_(sheet.workbook_),
      sheet_(sheet.sheet_),
      row_(row),
      column_(column) {}

Result<std::string> Cell::value() const {
    auto sheet = usableSheet(application_, workbook_, sheet_);
    if (!sheet) return Failure{sheet.error()};
    if (!isInsideSheet(row_, column_)) return outsideSheet(row_, column_);
    const auto& cells = sheet.value()->cells;
    const auto found = cells.find(CellAddress{row_, column_});
    return found == cells.end() ? std::string() : found->second.text;
}

Result<CellKind> Cell::kind() const {
    auto sheet = usableSheet(application_, workbook_, sheet_);
    if (!sheet) return Failure{sheet.error()};
    if (!isInsideSheet(row_, column_)) return outsideSheet(row_, column_);
    const auto& cells = sheet.value()->cells;
    const auto found = cells.find(CellAddress{row_, column_});
    return found == cells.end() ? CellKind::Empty : found->second.kind;
}

Status Cell::setValue(std::string_view text) {
    auto sheet = usableSheet(application_, workbook_, sheet_);
    if (!sheet) return Failure{sheet.error()};
    if (!isInsideSheet(row_, column_)) return outsideSheet(row_, column_);
    auto cell = enteredCell(text);
    if (!cell) return Failure{cell.error()};
    const CellAddress address{row_, column_};
    auto& cells = sheet.value()->cells;
    const auto existing = cells.find(address);
    cell->fillRgb = existing == cells.end() ? 0 : existing->second.fillRgb;
    if (cell->kind == CellKind::Empty && cell->fillRgb == 0) {
        cells.erase(address);
    } else {
        cells.insert_or_assign(address, std::move(cell.value()));
    }
    WorkbookState* workbook = usable(application_, workbook_).value();
    workbook->changed = true;
    workbook->putSinceSync.emplace(sheet_, address);
    return {};
}

Status Cell::setFill(std::uint32_t rgb) {
    auto sheet = usableSheet(application_, workbook_, sheet_);
    if (!sheet) return Failure{sheet.error()};
    if (!isInsideSheet(row_, column_)) return outsideSheet(row_, column_);
    const CellAddress address{row_, column_};
    auto& cells = sheet.value()->cells;
    const auto existing = cells.find(address);
    if (existing == cells.end()) {
        if (rgb == 0) return {};
        cells[address].fillRgb = rgb;
    } else if (rgb == 0 && existing->second.kind == CellKind::Empty) {
        cells.erase(existing);
    } else {
        existing->second.fillRgb = rgb;
    }
    WorkbookState* workbook = usable(application_, workbook_).value();
    workbook->changed = true;
    workbook->putSinceSync.emplace(sheet_, address);
    return {};
}

Result<std::uint32_t> Cell::fill() const {
    auto sheet = usableSheet(application_, workbook_, sheet_);
    if (!sheet) return Failure{sheet.error()};
    if (!isInsideSheet(row_, column_)) return outsideSheet(row_, column_);
    const auto& cells = sheet.value()->cells;
    const auto found = cells.find(CellAddress{row_, column_});
    return found == cells.end() ? 0u : found->second.fillRgb;
}

// --- Worksheet ---

Result<std::string> Worksheet::name() const {
    auto sheet = usableSheet(application_, workbook_, sheet_);
    if (!sheet) return Failure{sheet.error()};
    return sheet.value()->name;
}

Status Worksheet::clear() {
    auto sheet = usableSheet(application_, workbook_, sheet_);
    if (!sheet) return Failure{sheet.error()};
    WorkbookState* workbook = usable(application_, workbook_).value();
    for (const auto& [address, cell] : sheet.value()->cells) {
        workbook->putSinceSync.emplace(sheet_, address);
    }
    sheet.value()->cells.clear();
    workbook->changed = true;
    return {};
}

// --- Workbook ---

Result<Worksheet> Workbook::activeSheet() const {
    auto state = usable(application_, workbook_);
    if (!state) return Failure{state.error()};
    const WorkbookData& data = state.value()->data;
    const std::size_t active = data.activeSheet < data.sheets.size() ? data.activeSheet : 0;
    return Worksheet(application_, workbook_, active);
}

Result<Worksheet> Workbook::worksheet(int index) const {
    auto state = usable(application_, workbook_);
    if (!state) return Failure{state.error()};
    const auto count = state.value()->data.sheets.size();
    if (index < 1 || static_cast<std::size_t>(index) > count) {
        return Failure{"the workbook has no worksheet " + std::to_string(index)};
    }
    return Worksheet(application_, workbook_, static_cast<std::size_t>(index - 1));
}

Result<int> Workbook::worksheetCount() const {
    auto state = usable(application_, workbook_);
    if (!state) return Failure{state.error()};
    return static_cast<int>(state.value()->data.sheets.size());
}

Result<Worksheet> Workbook::worksheetNamed(std::string_view name) {
    auto state = usable(application_, workbook_);
    if (!state) return Failure{state.error()};
    const auto lowered = [](std::string_view text) {
        std::string lower(text);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return lower;
    };
    auto& sheets = state.value()->data.sheets;
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        if (lowered(sheets[k].name) == lowered(name)) return Worksheet(application_, workbook_, k);
    }
    sheets.push_back(SheetData{std::string(name), {}});
    state.value()->changed = true;
    return Worksheet(application_, workbook_, sheets.size() - 1);
}

Result<fs::path> Workbook::path() const {
    auto state = usable(application_, workbook_);
    if (!state) return Failure{state.error()};
    return state.value()->source;
}

Result<fs::path> Workbook::savePath() const {
    auto state = usable(application_, workbook_);
    if (!state) return Failure{state.error()};
    return state.value()->target;
}

Result<bool> Workbook::isChanged() const {
    auto state = usable(application_, workbook_);
    if (!state) return Failure{state.error()};
    return state.value()->changed;
}

Status Workbook::save() {
    auto state = usable(application_, workbook_);
    if (!state) return Failure{state.error()};
    return detail::saveWorkbookState(*state.value());
}

// --- Workbooks ---

WorkbookFileRead readWorkbookAhead(const fs::path& path, std::stop_token stop) {
    const fs::path source = absolutePath(path);
    auto stamp = detail::stampOf(source);  // taken first: a later change is noticed
    auto data = readWorkbookFile(source, {}, std::move(stop));
    return WorkbookFileRead{source, std::move(data), stamp};
}

Result<Workbook> Workbooks::open(const fs::path& path) {
    auto application = usable(application_);
    if (!application) return Failure{application.error()};
    const fs::path source = absolutePath(path);
    if (auto open = findOpen(*application.value(), source)) return Workbook(application_, open);
    return this->open(readWorkbookAhead(source));
}

Result<Workbook> Workbooks::open(WorkbookFileRead read) {
    auto application = usable(application_);
    if (!application) return Failure{application.error()};
    if (auto open = findOpen(*application.value(), read.source)) {
        return Workbook(application_, open);
    }
    if (!read.data) return Failure{read.data.error()};
    auto state = std::make_shared<WorkbookState>();
    state->source = read.source;
    const bool xlsxFile =
        read.data->format == WorkbookFormat::Xlsx && hasXlsxExtension(read.source);
    state->target = xlsxFile ? read.source : fs::path(read.source.string() + ".xlsx");
    if (xlsxFile) state->syncedStamp = read.stamp;
    state->data = std::move(read.data.value());
    application.value()->workbooks.push_back(state);
    return Workbook(application_, state);
}

Result<bool> Workbooks::holds(const fs::path& path) const {
    auto application = usable(application_);
    if (!application) return Failure{application.error()};
    return findOpen(*application.value(), absolutePath(path)) != nullptr;
}

Result<Workbook> Workbooks::openOrCreate(const fs::path& path) {
    auto application = usable(application_);
    if (!application) return Failure{application.error()};
    const fs::path source = absolutePath(path);
    if (auto open = findOpen(*application.value(), source)) return Workbook(application_, open);
    std::error_code error;
    if (fs::exists(source, error) || error) return this->open(path);

    auto state = std::make_shared<WorkbookState>();
    state->source = source;
    state->target = hasXlsxExtension(source) ? source : fs::path(source.string() + ".xlsx");
    state->data.sheets.push_back(SheetData{"Sheet1", {}});
    state->changed = true;  // not on disk yet
    application.value()->workbooks.push_back(state);
    return Workbook(application_, state);
}

Result<int> Workbooks::count() const {
    auto application = usable(application_);
    if (!application) return Failure{application.error()};
    return static_cast<int>(application.value()->workbooks.size());
}

// --- SpreadsheetApplication ---

SpreadsheetApplication SpreadsheetApplication::create(Shell& shell) {
    auto state = std::make_shared<ApplicationState>(shell);
    detail::registerApplication(state);
    return SpreadsheetApplication(std::move(state));
}

Result<SpreadsheetApplication> SpreadsheetApplication::attach() {
    auto live = detail::liveApplications();
    if (live.empty()) return Failure{"no spreadsheet application is running"};
    return SpreadsheetApplication(live.back());
}

bool SpreadsheetApplication::hasQuit() const {
    return state_ && state_->quit;
}

Status SpreadsheetApplication::setVisible(bool visible) {
    auto application = usable(state_);
    if (!application) return Failure{application.error()};
    ApplicationState& app = *application.value();
    app.visible = visible;
    if (!visible) return {};

    std::string problems;
    auto note = [&problems](const std::string& problem) {
        if (!problems.empty()) problems += "\n";
        problems += problem;
    };
    for (const auto& workbook : app.workbooks) {
        if (workbook->changed) {
            if (const Status saved = detail::saveWorkbookState(*workbook); !saved) {
                note(saved.error());
                continue;
            }
        }
        const fs::path& file = workbook->fileOnDisk();
        if (!app.shell->openDocument(file.string())) {
            note(file.string() + ": the desktop could not open it");
        }
    }
    if (!problems.empty()) return Failure{problems};
    return {};
}

Result<bool> SpreadsheetApplication::isVisible() const {
    auto application = usable(state_);
    if (!application) return Failure{application.error()};
    return application.value()->visible;
}

Status SpreadsheetApplication::quit() {
    auto application = usable(state_);
    if (!application) return Failure{application.error()};
    endApplication(*application.value());
    return {};
}

Status quitAllApplications() {
    for (const auto& application : detail::liveApplications()) {
        endApplication(*application);
    }
    return {};
}

}  // namespace kelvorad
