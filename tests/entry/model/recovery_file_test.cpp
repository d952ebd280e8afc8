#include "recovery_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

using namespace kelvorad;
namespace fs = std::filesystem;

namespace {
fs::path freshFolder(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("kelvorad_recovery_test_" + std::to_string(::getpid())) / name;
    fs::remove_all(dir);
    return dir;
}
}  // namespace

TEST(RecoveryFile, ContentGivesBackEveryCellExactly) {
    AnalysisTable table;
    table.insertRow(3);  // 352 rows
    table.setText(0, 2, "SiO2 renamed");
    table.setText(1, 1, "MT \"a\"\tb\\c\rd\ne");
    table.setText(2, 18, "spacer");
    table.setText(351, 35, "0.5");
    table.setText(5, 0, "");
    const std::string content = recoveryFileContent(table, "/data/run 1\t.mi", 1796843400);
    const auto recovered = parseRecoveryFileContent(content);
    ASSERT_TRUE(recovered);
    ASSERT_EQ(recovered->table.rowCount(), 352);
    for (int r = 0; r < 352; ++r) {
        for (int c = 0; c < 36; ++c) ASSERT_EQ(recovered->table.text(r, c), table.text(r, c));
    }
    EXPECT_EQ(recovered->originalFile, "/data/run 1\t.mi");
    EXPECT_EQ(recovered->savedAt, 1796843400);
    EXPECT_EQ(recovered->pairCount(), 3) << "rows 1, 2 and 351 hold text besides the number";

    // A file cut short, or with a cell broken, is not taken for a table.
    EXPECT_FALSE(parseRecoveryFileContent(content.substr(0, content.size() / 2)));
    EXPECT_FALSE(parseRecoveryFileContent(content.substr(0, content.size() - 4)));
    std::string broken = content;
    broken.replace(broken.find("\\\\"), 2, "\\x");
    EXPECT_FALSE(parseRecoveryFileContent(broken));
    EXPECT_FALSE(parseRecoveryFileContent(""));
}

// Two Kelvorads at once: separate files, and neither offers the other's while it runs.
TEST(RecoveryFile, RunningFilesAreLeftAloneAndEndedOnesOffered) {
    const fs::path folder = freshFolder("two");
    AnalysisTable table;
    table.setText(1, 1, "first");
    auto first = std::make_unique<RecoveryFile>(folder);
    RecoveryFile second(folder);
    EXPECT_NE(first->path(), second.path());
    ASSERT_TRUE(first->write(table, "/a.mi").ok());
    table.setText(1, 1, "second");
    ASSERT_TRUE(second.write(table, "").ok());
    EXPECT_TRUE(claimAbandonedRecoveries(folder, nullptr).empty());

    const fs::path firstPath = first->path();
    first.reset();  // ends without removing its file, as a crash would
    auto found = claimAbandonedRecoveries(folder, nullptr);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, firstPath);
    EXPECT_EQ(found[0].recovered.table.text(1, 1), "first");
    EXPECT_EQ(found[0].recovered.originalFile, "/a.mi");
    EXPECT_TRUE(claimAbandonedRecoveries(folder, nullptr).empty())
        << "a file being offered is offered nowhere else";
    found[0].discard();
    EXPECT_FALSE(fs::exists(firstPath));
    EXPECT_TRUE(claimAbandonedRecoveries(folder, nullptr).empty());

    second.remove();
    EXPECT_TRUE(fs::is_empty(folder)) << "no file and no lock file left";
}

TEST(RecoveryFile, DamagedFileIsSetAsideAndNamed) {
    const fs::path folder = freshFolder("damaged");
    fs::create_directories(folder);
    std::ofstream(folder / "kelvorad-1-2-3.recovery") << "Kelvorad recovery file 1\nsaved 1\n";
    std::vector<fs::path> damaged;
    EXPECT_TRUE(claimAbandonedRecoveries(folder, &damaged).empty());
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(damaged[0], folder / "kelvorad-1-2-3.recovery.damaged");
    EXPECT_TRUE(fs::exists(damaged[0]));
    damaged.clear();
    claimAbandonedRecoveries(folder, &damaged);
    EXPECT_TRUE(damaged.empty()) << "named once";
}

TEST(RecoveryFile, FolderFollowsXdgStateHome) {
    const char* saved = std::getenv("XDG_STATE_HOME");
    const std::string previous = saved ? saved : "";
    ::setenv("XDG_STATE_HOME", "/tmp/state", 1);
    EXPECT_EQ(defaultRecoveryFolder(), fs::path("/tmp/state/kelvorad"));
    ::setenv("XDG_STATE_HOME", "relative", 1);
    EXPECT_EQ(defaultRecoveryFolder().filename(), "kelvorad");
    EXPECT_EQ(defaultRecoveryFolder().parent_path().filename(), "state");
    if (saved) {
        ::setenv("XDG_STATE_HOME", previous.c_str(), 1);
    } else {
        ::unsetenv("XDG_STATE_HOME");
    }
}
