// Where the program finds its data and private binaries: relative to an installed executable,
// never in a source or build tree unless it runs from that build tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "program_folders.h"

namespace kelvorad {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolders, InsideAFolderIsComparedFolderByFolder) {
    EXPECT_TRUE(isInsideFolder("/work/build/app", "/work/build"));
    EXPECT_TRUE(isInsideFolder("/work/build", "/work/build"));
    EXPECT_TRUE(isInsideFolder("/work/build/app", "/work/build/"));
    EXPECT_TRUE(isInsideFolder("/work/build/tests/../app", "/work/build"));
    // A sibling whose name starts with the build tree's is not inside it.
    EXPECT_FALSE(isInsideFolder("/work/build2/app", "/work/build"));
    EXPECT_FALSE(isInsideFolder("/work", "/work/build"));
    EXPECT_FALSE(isInsideFolder("/opt/kelvorad/bin", "/work/build"));
    EXPECT_FALSE(isInsideFolder("", "/work/build"));
    EXPECT_FALSE(isInsideFolder("/work/build/app", ""));
}

TEST(ProgramFolders, InsideAFolderSeesThroughLinks) {
    std::string pattern = (fs::temp_directory_path() / "kelvorad-folders-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path root = pattern;
    fs::create_directories(root / "build" / "app");
    fs::create_directory_symlink(root / "build", root / "link-to-build");
    // The executable's folder comes resolved; the build tree may be named through a link.
    EXPECT_TRUE(isInsideFolder(root / "build" / "app", root / "link-to-build"));
    EXPECT_FALSE(isInsideFolder(root / "link-to-build", root / "build" / "app"));
    fs::remove_all(root);
}

TEST(ProgramFolders, InstalledProgramUsesTheShareFolderBesideItsBinFolder) {
    EXPECT_EQ(dataFolderFor("/opt/kelvorad/bin", "/work/build", "/work/src/share"),
              fs::path("/opt/kelvorad/share/kelvorad"));
    EXPECT_EQ(dataFolderFor("/usr/bin", "/work/build", "/work/src/share"),
              fs::path("/usr/share/kelvorad"));
    // Even when that folder is missing: the program then reports files missing there rather
    // than silently reading a source tree that may be gone or of another version.
    EXPECT_EQ(dataFolderFor("/nowhere/bin", "/work/build", "/work/src/share"),
              fs::path("/nowhere/share/kelvorad"));
}

TEST(ProgramFolders, BuildTreeProgramUsesTheSourceTree) {
    EXPECT_EQ(dataFolderFor("/work/build/app", "/work/build", "/work/src/share"),
              fs::path("/work/src/share"));
    EXPECT_EQ(dataFolderFor("/work/build/tests/desktop", "/work/build", "/work/src/share"),
              fs::path("/work/src/share"));
    // An executable whose place cannot be told has nothing else to go by.
    EXPECT_EQ(dataFolderFor("", "/work/build", "/work/src/share"), fs::path("/work/src/share"));
}

TEST(ProgramFolders, TestsRunFromTheBuildTreeAndUseItsLibraries) {
    EXPECT_TRUE(runsFromBuildTree());
    EXPECT_EQ(programLibraryFile("libx.so", "/work/build/libx.so"),
              fs::path("/work/build/libx.so"));
}

}  // namespace
}  // namespace kelvorad
