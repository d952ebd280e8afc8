// The Help command: the manual's path in the data folder handed to the shell, and nothing else.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "data_folder.h"
#include "fake_desktop_services.h"
#include "help_file.h"

namespace kelvorad {
namespace {

namespace fs = std::filesystem;

class HelpFile : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kelvorad-help-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        setDataFolder(folder);
    }
    void TearDown() override {
        setDataFolder({});
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    fs::path folder;
    fakes::FakeShell shell;
};

TEST_F(HelpFile, HandsTheManualInTheDataFolderToTheShell) {
    fs::create_directories(folder / "help");
    std::ofstream(folder / "help" / "kelvorad.html") << "<html></html>\n";
    const std::string expected = (folder / "help" / "kelvorad.html").string();
    EXPECT_EQ(helpFilePath().string(), expected);

    showHelp(shell);
    showHelp(shell);
    EXPECT_EQ(shell.opened, (std::vector<std::string>{expected, expected}));
    EXPECT_TRUE(shell.started.empty());
}

TEST_F(HelpFile, MissingManualIsStillHandedOverAndAFailingShellIsIgnored) {
    shell.succeed = false;
    showHelp(shell);
    EXPECT_EQ(shell.opened,
              (std::vector<std::string>{(folder / "help" / "kelvorad.html").string()}));
    EXPECT_FALSE(fs::exists(folder / "help"));
}

TEST_F(HelpFile, ShippedDataFolderHoldsTheManual) {
    setDataFolder({});
    EXPECT_TRUE(fs::is_regular_file(helpFilePath())) << helpFilePath();
}

}  // namespace
}  // namespace kelvorad
