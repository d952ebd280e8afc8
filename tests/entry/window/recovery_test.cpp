// The recovery file of the main window: written while the table has unsaved changes, removed
// when nothing is left to lose, and offered at the next start after a crash. One test runs a
// second copy of this program that types analyses and is killed with SIGKILL.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "main_window_fixture.h"
#include "recovery_file.h"

extern char** environ;

namespace kelvorad::fakes {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Answer = MessageBoxes::Answer;

// The child run of the kill test finds its folder here.
constexpr const char* kChildVariable = "KELVORAD_RECOVERY_TEST_CHILD";

// What the child types: (row, column, keys), Tab between the fields of one row.
struct Typed {
    int row;
    int column;
    std::vector<const char*> fields;
};
const std::vector<Typed> kTyped = {
    {1, 1, {"MT-1", "0.12", "7.5"}},
    {2, 19, {"IL-2", "0.03", "45.1"}},
    {3, 1, {"rim \"x\"", "1e-2"}},
};

// Waits, letting the window's timers run, until `done` or `limit` has passed.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        QTest::qWait(10);
    }
    return true;
}

class Recovery : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        folder = fs::current_path() / "recovery" /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder);
        window->keepRecoveryFile(folder, {100ms, 400ms});
        action("mnuNewFile").trigger();
    }
    void typeAll() {
        for (const Typed& typed : kTyped) {
            clickCell(typed.row, typed.column);
            for (const char* field : typed.fields) {
                type(field);
                key(Qt::Key_Tab);
            }
        }
    }
    bool fileExists() { return fs::exists(window->recoveryFilePath()); }
    std::optional<RecoveredTable> fileContent() {
        std::string bytes;
        std::string error;
        if (!readWholeFile(window->recoveryFilePath().string(), bytes, error)) return std::nullopt;
        return parseRecoveryFileContent(bytes);
    }
    // A new window over the same folder, as at the next start.
    std::unique_ptr<MainWindow> nextStart() {
        auto next = std::make_unique<MainWindow>(desktop.services());
        next->keepRecoveryFile(folder, {100ms, 400ms});
        return next;
    }

    fs::path folder;
};

TEST_F(Recovery, WrittenAfterAQuietTimeAndRemovedWhenNothingIsUnsaved) {
    EXPECT_FALSE(fileExists()) << "nothing unsaved, nothing kept";
    typeAll();
    EXPECT_FALSE(fileExists()) << "not at once";
    ASSERT_TRUE(waitFor([&] { return fileExists(); }, 2s));
    auto kept = fileContent();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->table.text(2, 21), "45.1");
    EXPECT_EQ(kept->pairCount(), 3);

    // A clean save removes it, at once.
    saveAs(scratchPath("recovery.mi"));
    EXPECT_FALSE(fileExists());
    // So does undoing back to nothing unsaved, and New File with No.
    type("z");
    ASSERT_TRUE(waitFor([&] { return fileExists(); }, 2s));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(fileExists());
    type("z");
    ASSERT_TRUE(waitFor([&] { return fileExists(); }, 2s));
    EXPECT_EQ(fileContent()->originalFile, scratchPath("recovery.mi"));
    desktop.messages.answers = {Answer::No};
    action("mnuNewFile").trigger();
    EXPECT_FALSE(fileExists());
    // And a normal end of the window.
    type("y");
    ASSERT_TRUE(waitFor([&] { return fileExists(); }, 2s));
    desktop.messages.answers = {Answer::No};
    window->close();
    EXPECT_FALSE(fileExists());
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(Recovery, LongTypingIsWrittenWithinTheLongestTime) {
    // A quiet time longer than the longest time: only the longest time can write.
    window->keepRecoveryFile(folder, {1500ms, 300ms});
    clickCell(1, 1);
    const auto start = std::chrono::steady_clock::now();
    while (!fileExists() && std::chrono::steady_clock::now() - start < 3s) {
        type("1");
        QTest::qWait(50);
    }
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(fileExists());
    EXPECT_GE(took, 250ms);
    EXPECT_LT(took, 1400ms) << "written before any quiet time passed";
}

TEST_F(Recovery, OfferNamesTimePairsAndFileAndAnswersAreKept) {
    typeAll();
    std::optional<RecoveryFile> left(std::in_place, folder);
    ASSERT_TRUE(left->write(table(), "/data/old run.mi").ok());
    std::optional<RecoveryFile> other(std::in_place, folder);
    AnalysisTable one;
    one.setText(7, 3, "0.7");
    ASSERT_TRUE(other->write(one, "").ok());
    EXPECT_FALSE(nextStart()->offerRecovery()) << "both Kelvorads still run";
    const AnalysisTable typed = table();
    const fs::path leftPath = left->path();
    const fs::path otherPath = other->path();
    left.reset();  // both end without removing their files
    other.reset();

    desktop.messages.shown.clear();
    desktop.messages.answers = {Answer::Cancel};
    EXPECT_FALSE(nextStart()->offerRecovery());
    EXPECT_EQ(desktop.messages.questionCount(), 1) << "Cancel ends the offers";
    EXPECT_TRUE(fs::exists(leftPath) && fs::exists(otherPath)) << "and keeps the files";

    desktop.messages.shown.clear();
    desktop.messages.answers = {Answer::No, Answer::Yes};
    auto next = nextStart();
    next->show();
    EXPECT_TRUE(next->offerRecovery());
    ASSERT_EQ(desktop.messages.questionCount(), 2);
    const std::string& offered = desktop.messages.shown[1].text;
    EXPECT_NE(offered.find("3 analysis pairs"), std::string::npos) << offered;
    EXPECT_NE(offered.find("\"/data/old run.mi\""), std::string::npos) << offered;
    EXPECT_NE(offered.find(QDate::currentDate().toString("yyyy-MM-dd").toStdString()),
              std::string::npos)
        << offered;
    EXPECT_FALSE(fs::exists(leftPath));
    EXPECT_FALSE(fs::exists(otherPath)) << "No discarded the other copy";
    for (int r = 1; r <= 350; ++r) {
        for (int c = 1; c <= 35; ++c) ASSERT_EQ(next->analysisTable().text(r, c), typed.text(r, c));
    }
    EXPECT_TRUE(next->document().hasUnsavedChanges());
    EXPECT_EQ(next->currentFileName(), "/data/old run.mi");
    EXPECT_TRUE(fs::exists(next->recoveryFilePath())) << "the restored table is kept at once";
    desktop.messages.answers = {Answer::No};
}

// The child of the kill test: types the analyses, waits until the recovery file holds them,
// says so and waits to be killed. Skipped in a normal run.
TEST_F(Recovery, ChildTypesAndWaitsToBeKilled) {
    const char* childFolder = std::getenv(kChildVariable);
    if (!childFolder) GTEST_SKIP() << "run by KilledWhileTypingIsRestoredExactly";
    window->keepRecoveryFile(childFolder, {100ms, 400ms});
    typeAll();
    const AnalysisTable typed = table();
    ASSERT_TRUE(waitFor(
        [&] {
            const auto kept = fileContent();
            return kept && kept->table.text(3, 2) == typed.text(3, 2) &&
                   kept->table.text(3, 1) == typed.text(3, 1);
        },
        10s));
    std::ofstream(fs::path(childFolder) / "ready") << "ready\n";
    QTest::qWait(60000);
}

TEST_F(Recovery, KilledWhileTypingIsRestoredExactly) {
    if (std::getenv(kChildVariable)) GTEST_SKIP();
    fs::create_directories(folder);
    const std::string variable = std::string(kChildVariable) + "=" + folder.string();
    std::vector<char*> environment;
    for (char** e = environ; *e; ++e) environment.push_back(*e);
    environment.push_back(const_cast<char*>(variable.c_str()));
    environment.push_back(nullptr);
    std::string filter = "--gtest_filter=Recovery.ChildTypesAndWaitsToBeKilled";
    char* arguments[] = {const_cast<char*>("main_window_tests"), filter.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(
        posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, arguments, environment.data()), 0);
    const bool ready = waitFor([&] { return fs::exists(folder / "ready"); }, 30s);
    EXPECT_TRUE(nextStart()->offerRecovery() == false) << "the running child's file is left";
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(ready) << "the child did not keep its table";
    ASSERT_TRUE(WIFSIGNALED(status));

    AnalysisTable expected;
    for (const Typed& typed : kTyped) {
        for (std::size_t k = 0; k < typed.fields.size(); ++k) {
            expected.setText(typed.row, typed.column + static_cast<int>(k), typed.fields[k]);
        }
    }
    desktop.messages.shown.clear();
    desktop.messages.answers = {Answer::Yes};
    auto next = nextStart();
    next->show();
    ASSERT_TRUE(next->offerRecovery());
    EXPECT_NE(desktop.messages.shown[0].text.find("3 analysis pairs"), std::string::npos);
    EXPECT_NE(desktop.messages.shown[0].text.find("had not been saved"), std::string::npos);
    for (int r = 0; r <= 350; ++r) {
        for (int c = 0; c <= 35; ++c) {
            ASSERT_EQ(next->analysisTable().text(r, c), expected.text(r, c)) << r << "," << c;
        }
    }
    desktop.messages.answers = {Answer::No};
}

}  // namespace
}  // namespace kelvorad::fakes
