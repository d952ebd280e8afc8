// The workbook commands on the main window: loading a workbook's active sheet into the table,
// the safeguards around it (dialog first, the unsaved-change question, unreadable workbooks),
// opening a copy of the template for editing, and every spreadsheet application quitting on
// Exit.
#include "workbook_commands.h"

#include <QPushButton>
#include <QUndoStack>
#include <chrono>
#include <sstream>

#include "cell_entry.h"

#include "data_folder.h"
#include "hostile_workbooks.h"
#include "main_window_fixture.h"

namespace kelvorad::fakes {
namespace {

namespace fs = std::filesystem;
using Answer = MessageBoxes::Answer;

fs::path fixture(const std::string& name) {
    return fs::path(KELVORAD_TEST_DATA_DIR) / "workbooks" / name;
}

// Dialogs and a shell that also note the screen title (and the questions asked so far) at the
// moment they are used, so that the tests see what the window showed during a command.
class NotingDialogs : public FakeFileDialogs {
  public:
    std::function<std::string()> note;
    std::vector<std::string> notes;
    std::string askOpenFileName(const std::string& title, const std::string& filter) override {
        notes.push_back(note());
        return FakeFileDialogs::askOpenFileName(title, filter);
    }
};
class NotingShell : public FakeShell {
  public:
    std::function<std::string()> note;
    std::vector<std::string> notes;
    bool openDocument(const std::string& path) override {
        notes.push_back(note());
        return FakeShell::openDocument(path);
    }
};

// How a command is started: a menu item, a toolbar position or a hidden button.
struct Trigger {
    const char* name;
    int toolbar;
    const char* detail;  // the dialog filter, or the template workbook
    bool setsTitle = true;
};
void PrintTo(const Trigger& trigger, std::ostream* out) {
    *out << (trigger.toolbar ? "toolbar " + std::to_string(trigger.toolbar) : trigger.name);
}

class WorkbookCommandsTest : public MainWindowTest {
  protected:
    void SetUp() override {
        quitAllApplications();  // none left over from another test
        root = fs::current_path() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(root);
        fs::create_directories(root / "work");
        fs::create_directories(root / "share" / "workbooks");
        for (const char* name : {kXlsTemplate, kXlsxTemplate}) {
            const fs::path installed = root / "share" / "workbooks" / name;
            fs::copy_file(fs::path(KELVORAD_SHARE_DIR) / "workbooks" / name, installed);
            fs::permissions(installed, fs::perms::owner_read | fs::perms::group_read);
        }
        setDataFolder(root / "share");
        previousFolder = fs::current_path();
        fs::current_path(root / "work");
        MainWindowTest::SetUp();
        dialogs.note = [this] {
            return title().toStdString() + "|" + std::to_string(desktop.messages.questionCount());
        };
        shell.note = [this] { return title().toStdString(); };
        commands = std::make_unique<WorkbookCommands>(
            *window, DesktopServices{dialogs, desktop.messages, desktop.clipboard, shell});
    }
    void TearDown() override {
        commands.reset();
        window.reset();
        setDataFolder({});
        fs::current_path(previousFolder);
        fs::remove_all(root);
    }

    void typeCell(int row, int column, const char* text) {
        clickCell(row, column);
        type(text);
    }
    // The pairs of the fixtures' source, typed into a new table one field after another.
    void typeFixturePairs() {
        std::ifstream in(fixture("fixture_pairs.tsv"));
        std::string line;
        std::getline(in, line);  // the header row, which the table has already
        for (int row = 1; std::getline(in, line); ++row) {
            clickCell(row, 1);
            std::istringstream fields(line.substr(line.find('\t') + 1));
            for (std::string field; std::getline(fields, field, '\t');) {
                type(field.c_str());
                key(Qt::Key_Tab);
            }
        }
    }
    void expectTable(const AnalysisTable& expected) {
        ASSERT_EQ(table().rowCount(), 351);
        ASSERT_EQ(table().columnCount(), 36);
        for (int r = 0; r < 351; ++r) {
            for (int c = 0; c < 36; ++c)
                ASSERT_EQ(table().text(r, c), expected.text(r, c)) << r << "," << c;
        }
    }
    void start(const Trigger& trigger) {
        if (trigger.toolbar) return window->runToolbarButton(trigger.toolbar);
        if (auto* button = window->findChild<QPushButton*>(trigger.name)) return button->click();
        action(trigger.name).trigger();
    }
    bool anyApplicationRunning() { return SpreadsheetApplication::attach().ok(); }

    fs::path root;
    fs::path previousFolder;
    NotingDialogs dialogs;
    NotingShell shell;
    std::unique_ptr<WorkbookCommands> commands;
};

class Loading : public WorkbookCommandsTest,
                public ::testing::WithParamInterface<std::pair<const char*, Trigger>> {};

TEST_P(Loading, ActiveSheetReplacesTheTypedTableAfterTheQuestion) {
    const auto& [file, trigger] = GetParam();
    action("mnuNewFile").trigger();
    typeFixturePairs();
    const AnalysisTable typed = table();
    ASSERT_EQ(typed.text(3, 1), "Ti-mag \"rim\" & <core>");
    table().setText(5, 5, "typed only");  // the load must replace it
    window->showTableChanges();

    const std::string path = fixture(file).string();
    dialogs.answers = {path};
    desktop.messages.answers = {Answer::No};
    start(trigger);

    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].filter, trigger.detail);
    EXPECT_EQ(dialogs.notes[0], "Open Excel File|0") << "the dialog comes before the question";
    ASSERT_EQ(desktop.messages.shown.size(), 1u) << desktop.messages.shown.back().text;
    EXPECT_TRUE(desktop.messages.shown[0].question);
    // Data below row 351 and right of column 36 in the fixtures is not taken.
    expectTable(typed);
    EXPECT_EQ(title(), "Data Entry Screen");
    EXPECT_EQ(window->currentFileName(), path);
    EXPECT_EQ(panel1(), QString::fromStdString(path));
    EXPECT_TRUE(grid().isVisible());
    EXPECT_TRUE(window->document().hasUnsavedChanges()) << "a workbook is not a saved table";
    auto application = SpreadsheetApplication::attach();
    ASSERT_TRUE(application.ok()) << "the workbook stays open";
    EXPECT_EQ(application->workbooks().count().value(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, Loading,
    ::testing::Values(std::pair{"pairs.xlsx", Trigger{"mnu07Later", 0, kXlsxWorkbookFilter}},
                      std::pair{"pairs.xls", Trigger{"mnu9703", 0, kXlsWorkbookFilter}},
                      std::pair{"pairs.ods", Trigger{"", 16, kXlsxWorkbookFilter}},
                      std::pair{"inline-strings.xlsx", Trigger{"", 16, kXlsxWorkbookFilter}}));

// The reading runs while the window waits, and a quick one shows no box.
TEST_F(WorkbookCommandsTest, ReadingIsWaitedForWithABoxToCancelIt) {
    action("mnuNewFile").trigger();
    const std::string path = fixture("pairs.xlsx").string();
    dialogs.answers = {path};
    desktop.messages.answers = {Answer::No};
    action("mnu07Later").trigger();
    ASSERT_EQ(desktop.messages.waits.size(), 1u);
    EXPECT_EQ(desktop.messages.waits[0].title, "Kelvorad");
    EXPECT_EQ(desktop.messages.waits[0].text, "Reading the workbook \"" + path + "\" ...");
    EXPECT_FALSE(desktop.messages.waits[0].boxShown);
    EXPECT_EQ(table().text(1, 1), "MT-1 core");
}

TEST_F(WorkbookCommandsTest, CancelledReadingChangesNothing) {
    action("mnuNewFile").trigger();
    typeCell(1, 1, "MT-1");
    desktop.messages.cancelWaits = true;
    dialogs.answers = {fixture("pairs.xlsx").string()};
    action("mnu07Later").trigger();
    EXPECT_EQ(desktop.messages.waits.size(), 1u);
    EXPECT_TRUE(desktop.messages.shown.empty()) << "no message, no question";
    EXPECT_EQ(table().text(1, 1), "MT-1");
    EXPECT_EQ(title(), "New  File");
    EXPECT_EQ(window->currentFileName(), "");
    EXPECT_EQ(panel1(), "New File");
    auto application = SpreadsheetApplication::attach();
    EXPECT_TRUE(!application.ok() || application->workbooks().count().value() == 0);
}

// New File, which the load runs, empties the history; the load itself is one step that goes
// back to the typed table.
TEST_F(WorkbookCommandsTest, LoadIsUndoneToTheTableBefore) {
    action("mnuNewFile").trigger();
    typeCell(1, 1, "MT-1");
    typeCell(2, 5, "0.25");
    const AnalysisTable typed = table();
    dialogs.answers = {fixture("pairs.xlsx").string()};
    desktop.messages.answers = {Answer::No};
    action("mnu07Later").trigger();
    const AnalysisTable loaded = table();
    ASSERT_NE(loaded.text(1, 1), "MT-1");
    EXPECT_EQ(window->undoStack().count(), 1);
    key(Qt::Key_Z, Qt::ControlModifier);
    expectTable(typed);
    EXPECT_TRUE(window->document().hasUnsavedChanges()) << "the typed pairs are not saved";
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    expectTable(loaded);
}

TEST_F(WorkbookCommandsTest, CancelledDialogChangesNothing) {
    action("mnuNewFile").trigger();
    typeCell(1, 1, "MT-1");
    const std::vector<Trigger> triggers = {{"mnu9703", 0, kXlsWorkbookFilter},
                                           {"", 15, kXlsWorkbookFilter},
                                           {"Command2", 0, kXlsWorkbookFilter},
                                           {"mnu07Later", 0, kXlsxWorkbookFilter},
                                           {"", 16, kXlsxWorkbookFilter}};
    for (std::size_t k = 0; k < triggers.size(); ++k) {
        start(triggers[k]);
        ASSERT_EQ(dialogs.calls.size(), k + 1);
        EXPECT_FALSE(dialogs.calls[k].save);
        EXPECT_EQ(dialogs.calls[k].filter, triggers[k].detail) << k;
        EXPECT_EQ(dialogs.notes[k], "Open Excel File|0");
        EXPECT_EQ(title(), "New  File") << k;
        EXPECT_EQ(table().text(1, 1), "MT-1");
        EXPECT_TRUE(grid().isVisible()) << "no Close";
        EXPECT_EQ(window->currentFileName(), "");
    }
    EXPECT_TRUE(desktop.messages.shown.empty());
    EXPECT_FALSE(anyApplicationRunning());
}

TEST_F(WorkbookCommandsTest, CancelToTheQuestionKeepsTheTable) {
    action("mnuNewFile").trigger();
    typeCell(1, 1, "MT-1");
    dialogs.answers = {fixture("pairs.xlsx").string()};
    desktop.messages.answers = {Answer::Cancel};
    action("mnu07Later").trigger();
    EXPECT_EQ(desktop.messages.questionCount(), 1);
    EXPECT_EQ(table().text(1, 1), "MT-1");
    EXPECT_EQ(table().text(2, 1), "");
    EXPECT_EQ(title(), "New  File");
    EXPECT_EQ(window->currentFileName(), "");
    EXPECT_EQ(panel1(), "New File");
    EXPECT_TRUE(window->document().hasUnsavedChanges());
}

TEST_F(WorkbookCommandsTest, UnreadableWorkbookIsNamedAndChangesNothing) {
    action("mnuNewFile").trigger();
    typeCell(1, 1, "MT-1");
    const std::string whole = readBytes(fixture("pairs.xlsx").string());
    const std::string truncated = (root / "truncated.xlsx").string();
    std::ofstream(truncated, std::ios::binary) << whole.substr(0, whole.size() / 2);
    for (const std::string& path : {truncated, fixture("damaged-stream-name.xls").string(),
                                    (root / "missing.xls").string()}) {
        desktop.messages.shown.clear();
        dialogs.answers = {path};
        action("mnu9703").trigger();
        ASSERT_EQ(desktop.messages.shown.size(), 1u) << path;
        EXPECT_FALSE(desktop.messages.shown[0].question) << "read before asking anything";
        EXPECT_NE(desktop.messages.shown[0].text.find(path), std::string::npos);
        EXPECT_EQ(table().text(1, 1), "MT-1");
        EXPECT_EQ(title(), "New  File");
        EXPECT_EQ(window->currentFileName(), "");
        EXPECT_EQ(panel1(), "New File");
    }
}

// The file is read again each time: what the user saved from the desktop's spreadsheet program
// since the last load is what the table shows, not the copy an application still holds.
TEST_F(WorkbookCommandsTest, LoadingAgainShowsWhatWasSavedSince) {
    const fs::path file = root / "work" / "pairs.xlsx";
    fs::copy_file(fixture("pairs.xlsx"), file);
    dialogs.answers = {file.string(), file.string()};
    action("mnu07Later").trigger();
    ASSERT_EQ(table().text(1, 1), "MT-1 core");
    {
        SpreadsheetApplication other = SpreadsheetApplication::create(shell);
        auto workbook = other.workbooks().open(file);
        ASSERT_TRUE(workbook.ok());
        ASSERT_TRUE(workbook->activeSheet()->cell(2, 2).setValue("MT-1 rim").ok());
        ASSERT_TRUE(workbook->save().ok());
        other.quit();
    }
    desktop.messages.answers = {Answer::No};
    action("mnu07Later").trigger();
    EXPECT_EQ(table().text(1, 1), "MT-1 rim");
}

class Editing : public WorkbookCommandsTest, public ::testing::WithParamInterface<Trigger> {};

TEST_P(Editing, BlankCellEditorLeavesACopyOfTheTemplateOpen) {
    const Trigger& trigger = GetParam();
    action("mnuNewFile").trigger();
    widget<QLineEdit>("Text1").setText("   ");
    start(trigger);

    const fs::path copy = root / "work" / trigger.detail;
    const fs::path installed = root / "share" / "workbooks" / trigger.detail;
    ASSERT_TRUE(fs::exists(copy));
    EXPECT_EQ(readBytes(copy.string()), readBytes(installed.string()));
    EXPECT_NE(fs::status(copy).permissions() & fs::perms::owner_write, fs::perms::none)
        << "the user's copy takes changes though the installed template is read-only";
    ASSERT_EQ(shell.opened, std::vector<std::string>{copy.string()});
    EXPECT_EQ(shell.notes[0], trigger.setsTitle ? "Edit Excel File" : "New  File");
    EXPECT_EQ(title(), "Data Entry Screen");
    EXPECT_TRUE(desktop.messages.shown.empty());

    auto application = SpreadsheetApplication::attach();
    ASSERT_TRUE(application.ok()) << "the application stays open";
    EXPECT_TRUE(application->isVisible().value());
    auto workbook = application->workbooks().open(copy);
    EXPECT_EQ(workbook->worksheet(1)->cell(123, 1).value().value(), " ");
}

INSTANTIATE_TEST_SUITE_P(EveryStart, Editing,
                         ::testing::Values(Trigger{"mnu9703e", 0, kXlsTemplate, false},
                                           Trigger{"", 17, kXlsTemplate},
                                           Trigger{"Command3", 0, kXlsTemplate},
                                           Trigger{"mnu07Latere", 0, kXlsxTemplate},
                                           Trigger{"", 18, kXlsxTemplate}));

TEST_F(WorkbookCommandsTest, TextInTheCellEditorQuitsTheApplicationAfterShowing) {
    action("mnuNewFile").trigger();
    widget<QLineEdit>("Text1").setText(" MT-1 ");
    window->runToolbarButton(18);
    EXPECT_EQ(shell.opened.size(), 1u);
    EXPECT_FALSE(anyApplicationRunning());
    EXPECT_TRUE(desktop.messages.shown.empty());
    EXPECT_EQ(title(), "Data Entry Screen");
}

TEST_F(WorkbookCommandsTest, ExistingCopyIsUsedAsItIs) {
    const fs::path copy = root / "work" / kXlsxTemplate;
    fs::copy_file(fixture("pairs.xlsx"), copy);
    action("mnu07Latere").trigger();
    EXPECT_EQ(readBytes(copy.string()), readBytes(fixture("pairs.xlsx").string()));
    ASSERT_EQ(shell.opened, std::vector<std::string>{copy.string()});
    auto workbook = SpreadsheetApplication::attach()->workbooks().open(copy);
    EXPECT_EQ(workbook->worksheet(2)->cell(2, 2).value().value(), "MT-1 core");
}

TEST_F(WorkbookCommandsTest, CopyOrTemplateThatFailsIsNamed) {
    fs::remove(root / "share" / "workbooks" / kXlsTemplate);
    action("mnu9703e").trigger();
    ASSERT_EQ(desktop.messages.shown.size(), 1u);
    const std::string& missing = desktop.messages.shown[0].text;
    EXPECT_NE(missing.find((root / "share" / "workbooks" / kXlsTemplate).string()),
              std::string::npos);
    EXPECT_NE(missing.find("No such file"), std::string::npos) << missing;

    const fs::path damaged = root / "work" / kXlsxTemplate;
    std::ofstream(damaged) << "not a workbook";
    action("mnu07Latere").trigger();
    ASSERT_EQ(desktop.messages.shown.size(), 2u);
    EXPECT_NE(desktop.messages.shown[1].text.find(damaged.string()), std::string::npos);

    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(anyApplicationRunning());
    EXPECT_EQ(title(), "Data Entry Screen");
}

TEST_F(WorkbookCommandsTest, ExitQuitsEveryApplication) {
    action("mnuNewFile").trigger();
    dialogs.answers = {fixture("pairs.xlsx").string()};
    action("mnu07Later").trigger();
    auto loading = SpreadsheetApplication::attach();
    ASSERT_TRUE(loading.ok());
    action("mnu07Latere").trigger();
    auto editing = SpreadsheetApplication::attach();
    SpreadsheetApplication elsewhere = SpreadsheetApplication::create(shell);
    ASSERT_FALSE(editing->hasQuit());

    desktop.messages.defaultAnswer = Answer::No;
    action("mnuExit").trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(loading->hasQuit());
    EXPECT_TRUE(editing->hasQuit());
    EXPECT_TRUE(elsewhere.hasQuit());
}

// Damaged workbooks a user can meet: through the load commands each gives its pairs, or one
// message naming it with the table as it was, in bounded time; none ends the window.
class HostileWorkbooks : public WorkbookCommandsTest,
                         public ::testing::WithParamInterface<testing::HostileWorkbook> {};

TEST_P(HostileWorkbooks, GiveTheirPairsOrOneMessageAndLeaveTheTable) {
    const testing::HostileWorkbook& hostile = GetParam();
    const std::string path = hostile.path().string();
    action("mnuNewFile").trigger();
    typeCell(1, 1, "MT-1");
    dialogs.answers = {path};
    desktop.messages.answers = {Answer::No};
    const auto start = std::chrono::steady_clock::now();
    action(path.ends_with(".xls") ? "mnu9703" : "mnu07Later").trigger();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    EXPECT_EQ(desktop.messages.waits.size(), 1u);
    ASSERT_EQ(desktop.messages.shown.size(), 1u);
    if (hostile.pairs < 0) {
        const std::string opening = "Can't load the workbook \"" + path + "\" into the table.\n\n";
        std::string reason = hostile.reason;
#if defined(KELVORAD_SANITIZED_BUILD)
        if (hostile.memoryError) {  // the sanitizer may stop the reader at the memory error
            reason = desktop.messages.shown[0].text.substr(
                std::min(desktop.messages.shown[0].text.size(), (opening + path).size()));
        }
#endif
        EXPECT_FALSE(desktop.messages.shown[0].question);
        EXPECT_EQ(desktop.messages.shown[0].text, opening + path + reason);
        EXPECT_EQ(table().text(1, 1), "MT-1");
        EXPECT_EQ(title(), "New  File");
        EXPECT_EQ(window->currentFileName(), "");
        return;
    }
    EXPECT_TRUE(desktop.messages.shown[0].question);
    int pairs = 0;
    int unreadable = 0;
    for (int r = 1; r <= 350; ++r) {
        pairs += table().text(r, 1).empty() ? 0 : 1;
        for (int c = 0; c < 36; ++c) {
            const std::string& text = table().text(r, c);
            ASSERT_EQ(text.find('\0'), std::string::npos) << r << "," << c;
            ASSERT_EQ(validUtf8(text), text) << r << "," << c;
            unreadable += text.find(kReplacementCharacter) != std::string::npos ? 1 : 0;
        }
    }
    EXPECT_EQ(pairs, hostile.pairs);
    EXPECT_EQ(unreadable, hostile.unreadableCells);
    EXPECT_EQ(title(), "Data Entry Screen");
    EXPECT_EQ(window->currentFileName(), path);
}

INSTANTIATE_TEST_SUITE_P(EveryFile, HostileWorkbooks,
                         ::testing::ValuesIn(testing::kHostileWorkbooks));

TEST_F(WorkbookCommandsTest, UnreadableCharacterReachesTheTableAsTheReplacementCharacter) {
    action("mnuNewFile").trigger();
    dialogs.answers = {
        (fs::path(KELVORAD_TEST_DATA_DIR) / "hostile" / "entity-x110000.xlsx").string()};
    action("mnu07Later").trigger();
    EXPECT_EQ(table().text(2, 1), "KV-02 Mt\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kelvorad::fakes
