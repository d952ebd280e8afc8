#include "recent_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

using namespace kelvorad;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> named(std::initializer_list<const char*> names) {
    std::vector<std::string> paths;
    for (const char* name : names) paths.push_back(std::string("/data/") + name);
    return paths;
}

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostEight) {
    RecentFiles recent;
    for (const char* name : {"a.mi", "b.mi", "c.mi"}) recent.add(std::string("/data/") + name);
    EXPECT_EQ(recent.paths(), named({"c.mi", "b.mi", "a.mi"}));

    // Opening a listed file again moves it to the top instead of listing it twice, also when
    // it is written another way.
    recent.add("/data/sub/../a.mi");
    EXPECT_EQ(recent.paths(), named({"a.mi", "c.mi", "b.mi"}));

    for (const char* name : {"d.mi", "e.mi", "f.mi", "g.mi", "h.mi", "i.mi"})
        recent.add(std::string("/data/") + name);
    EXPECT_EQ(recent.paths(),
              named({"i.mi", "h.mi", "g.mi", "f.mi", "e.mi", "d.mi", "a.mi", "c.mi"}))
        << "the oldest, b.mi, fell off";
    recent.add("");
    EXPECT_EQ(recent.paths().size(), RecentFiles::kMaximum);
}

TEST(RecentFiles, RelativePathsAreStoredAbsolute) {
    RecentFiles recent;
    recent.add("pairs.mi");
    ASSERT_EQ(recent.paths().size(), 1u);
    EXPECT_EQ(recent.paths()[0], (fs::current_path() / "pairs.mi").string());
}

TEST(RecentFiles, AStoredListIsCleanedAsItIsRead) {
    std::vector<std::string> stored = named({"a.mi", "b.mi", "a.mi"});
    stored.insert(stored.begin() + 1, "");
    for (const char* name : {"c.mi", "d.mi", "e.mi", "f.mi", "g.mi", "h.mi", "i.mi"})
        stored.push_back(std::string("/data/") + name);
    const RecentFiles recent(stored);
    EXPECT_EQ(recent.paths(),
              named({"a.mi", "b.mi", "c.mi", "d.mi", "e.mi", "f.mi", "g.mi", "h.mi"}));
}

TEST(RecentFiles, MissingFilesArePruned) {
    const fs::path folder =
        fs::temp_directory_path() / ("kelvorad_recent_" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "kept.mi") << "\"\"\r\n";
    RecentFiles recent;
    recent.add((folder / "gone.mi").string());
    recent.add((folder / "kept.mi").string());
    recent.add(folder.string());  // a folder is not an analysis file
    EXPECT_TRUE(recent.pruneMissing());
    EXPECT_EQ(recent.paths(), std::vector<std::string>{(folder / "kept.mi").string()});
    EXPECT_FALSE(recent.pruneMissing());

    const std::set<std::string> present{"/data/b.mi"};
    RecentFiles listed(named({"a.mi", "b.mi", "c.mi"}));
    EXPECT_TRUE(listed.pruneMissing([&](const std::string& path) { return present.count(path); }));
    EXPECT_EQ(listed.paths(), named({"b.mi"}));
    fs::remove_all(folder);
}

TEST(RecentFiles, CaptionsNumberTheEntriesAndShowAmpersands) {
    EXPECT_EQ(recentFileCaption(0, "/data/pairs.mi"), "&1 pairs.mi  (/data)");
    EXPECT_EQ(recentFileCaption(7, "/R&D/a&b.mi"), "&8 a&&b.mi  (/R&&D)");
}

}  // namespace
