#include "graph_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "plot_data_files.h"

using namespace kelvorad;

namespace {

std::vector<GraphMenuItem> templateEntries() {
    std::vector<GraphMenuItem> entries;
    for (const GraphMenuItem& item : graphMenu()) {
        if (item.kind == GraphMenuKind::Template) entries.push_back(item);
    }
    return entries;
}

}  // namespace

// The table names files other parts of the program write and ship: a misspelt name would make
// a menu entry open nothing or plot nothing.
TEST(GraphMenu, EveryEntryNamesAShippedTemplateAndAFileTheRunWrites) {
    const std::vector<GraphMenuItem> entries = templateEntries();
    ASSERT_EQ(entries.size(), 10u);
    std::set<std::string_view> runFiles;
    for (const PlotFileSpec& file : plotFiles()) runFiles.insert(file.fileName);
    std::set<std::string_view> templates;
    for (const GraphMenuItem& entry : entries) {
        templates.insert(entry.templateFile);
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(KELVORAD_SHARE_DIR) /
                                                     "templates" / entry.templateFile))
            << entry.templateFile;
        EXPECT_TRUE(runFiles.count(entry.plotDataFile)) << entry.plotDataFile;
    }
    EXPECT_EQ(templates.size(), 10u) << "two entries open the same template";
}

// Each submenu begins and ends with a separator, the first also has one between its groups,
// and the captions keep their doubled and trailing blanks.
TEST(GraphMenu, LayoutAndExactCaptions) {
    std::string shape;
    for (const GraphMenuItem& item : graphMenu()) {
        shape += item.kind == GraphMenuKind::Submenu     ? 'M'
                 : item.kind == GraphMenuKind::Separator ? '-'
                                                         : 't';
    }
    EXPECT_EQ(shape, "M-ttt-tt-M-tt-M-ttt-");

    EXPECT_EQ(findGraphMenuItem("mnuTlogfO2")->caption, "T (oC) - log fO2  Plots");
    EXPECT_EQ(findGraphMenuItem("mnuTiR2R3")->caption, "[3]   Ti - R2+ - R3+ Plot  ");
    EXPECT_EQ(findGraphMenuItem("mnuTlogfO2SL82")->templateFile, "TfO2SL81.grf");
    EXPECT_EQ(findGraphMenuItem("mnuTNNO")->plotDataFile, "TDeltaNNO.dat");
    EXPECT_EQ(findGraphMenuItem("cizc")->kind, GraphMenuKind::Separator);
    EXPECT_FALSE(findGraphMenuItem("mnuNoSuchGraph"));
}
