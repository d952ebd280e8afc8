#include "analysis_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kelvorad;
namespace fs = std::filesystem;

namespace {
fs::path scratchDir() {
    fs::path dir = fs::temp_directory_path() / ("kelvorad_file_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
}  // namespace

TEST(AnalysisFileWrite, FreshTableIs350RowsOf34TabsQuotedWithCrLf) {
    AnalysisTable table;
    const fs::path path = scratchDir() / "fresh.mi";
    ASSERT_TRUE(writeAnalysisFile(table, path).ok());
    std::string expected = "\"";
    for (int r = 0; r < 350; ++r) {
        if (r) expected += '\r';
        expected += std::string(34, '\t');
    }
    expected += "\"\r\n";
    EXPECT_EQ(readBytes(path), expected);
    // The data area stays selected.
    EXPECT_EQ(table.selection().top, 1);
    EXPECT_EQ(table.selection().bottom, 350);
    EXPECT_EQ(table.selection().right, 35);
}

TEST(AnalysisFileWrite, SaveThenOpenRestoresEveryCellIncludingTheSpacer) {
    AnalysisTable table;
    table.setText(1, 1, "MT-1");
    table.setText(1, 9, "80.5");
    table.setText(1, 18, "note");
    table.setText(350, 35, "0.01");
    table.setText(200, 19, "Ilm \xC3\xB6");
    const fs::path path = scratchDir() / "roundtrip.mi";
    ASSERT_TRUE(writeAnalysisFile(table, path).ok());
    AnalysisTable reopened;
    ASSERT_TRUE(readAnalysisFile(reopened, path).ok());
    for (int r = 1; r <= 350; ++r) {
        for (int c = 1; c <= 35; ++c)
            ASSERT_EQ(reopened.text(r, c), table.text(r, c)) << r << "," << c;
    }
}

TEST(AnalysisFileWrite, InsertedRowWrites351RowsAndReopeningDropsTheLast) {
    AnalysisTable table;
    table.setCurrent(1, 1);
    table.insertRow(1);
    table.setText(351, 1, "last");
    table.setText(350, 1, "kept");
    const fs::path path = scratchDir() / "inserted.mi";
    ASSERT_TRUE(writeAnalysisFile(table, path).ok());
    const std::string bytes = readBytes(path);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 351);  // 350 separators + CR LF
    AnalysisTable reopened;
    ASSERT_TRUE(readAnalysisFile(reopened, path).ok());
    EXPECT_EQ(reopened.text(350, 1), "kept");
    EXPECT_EQ(reopened.rowCount(), 351);
}

TEST(AnalysisFileWrite, CellsTheFormatCannotHoldAreMendedAndCounted) {
    AnalysisTable table;
    table.setText(1, 1, "say \"hi\"");
    table.setText(2, 2, "a\tb");
    table.setText(3, 3, "line\nbreak");
    const fs::path path = scratchDir() / "mended.mi";
    const FileResult result = writeAnalysisFile(table, path);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.cellsChanged, 3);
    AnalysisTable reopened;
    ASSERT_TRUE(readAnalysisFile(reopened, path).ok());
    EXPECT_EQ(reopened.text(1, 1), "say ''hi''");
    EXPECT_EQ(reopened.text(2, 2), "a b");
    EXPECT_EQ(reopened.text(2, 3), "");
    EXPECT_EQ(reopened.text(3, 3), "line break");
    EXPECT_EQ(reopened.text(4, 1), "");
}

TEST(AnalysisFileWrite, FailedSaveKeepsThePreviousFile) {
    const fs::path dir = scratchDir() / "readonly";
    fs::create_directories(dir);
    const fs::path path = dir / "keep.mi";
    writeBytes(path, "\"old\"\r\n");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    AnalysisTable table;
    const FileResult result = writeAnalysisFile(table, path);
    fs::permissions(dir, fs::perms::owner_all);
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error().find("keep.mi"), std::string::npos);
    EXPECT_EQ(readBytes(path), "\"old\"\r\n");
}

TEST(AnalysisFileRead, ShortTextReplacesOnlyTheCellsItReaches) {
    AnalysisTable table;
    table.setText(1, 3, "old13");
    table.setText(3, 1, "old31");
    const fs::path path = scratchDir() / "short.mi";
    writeBytes(path, "\"a\tb\rc\"\r\n");
    ASSERT_TRUE(readAnalysisFile(table, path).ok());
    EXPECT_EQ(table.text(1, 1), "a");
    EXPECT_EQ(table.text(1, 2), "b");
    EXPECT_EQ(table.text(1, 3), "old13");
    EXPECT_EQ(table.text(2, 1), "c");
    EXPECT_EQ(table.text(3, 1), "old31");
}

TEST(AnalysisFileRead, AcceptsLfAndCrLfBetweenRows) {
    AnalysisTable table;
    const fs::path path = scratchDir() / "lf.mi";
    writeBytes(path, "\"r1\tx\nr2\r\nr3\rr4\"\n");
    ASSERT_TRUE(readAnalysisFile(table, path).ok());
    EXPECT_EQ(table.text(1, 1), "r1");
    EXPECT_EQ(table.text(2, 1), "r2");
    EXPECT_EQ(table.text(3, 1), "r3");
    EXPECT_EQ(table.text(4, 1), "r4");
    EXPECT_EQ(table.text(5, 1), "");
}

TEST(AnalysisFileRead, DecodesWindows1252WhenNotUtf8) {
    EXPECT_EQ(decodeAnalysisText("Ulv\xF6spinel \x80"), "Ulv\xC3\xB6spinel \xE2\x82\xAC");
    EXPECT_EQ(decodeAnalysisText("Ulv\xC3\xB6spinel"), "Ulv\xC3\xB6spinel");
}

TEST(AnalysisFileRead, UnquotedItemEndsAtCommaOrLineEnd) {
    EXPECT_EQ(firstAnalysisItem("  abc\tdef,ghi"), "abc\tdef");
    EXPECT_EQ(firstAnalysisItem("abc\r\ndef"), "abc");
    EXPECT_EQ(firstAnalysisItem("\"unterminated\tcell"), "unterminated\tcell");
    EXPECT_EQ(firstAnalysisItem(""), "");
}

TEST(AnalysisFileRead, TextBeyondTheDataAreaIsDropped) {
    std::string text = "\"";
    for (int r = 0; r < 360; ++r) {
        if (r) text += '\r';
        for (int c = 0; c < 40; ++c) {
            if (c) text += '\t';
            text += std::to_string(r + 1);
        }
    }
    text += "\"\r\n";
    const fs::path path = scratchDir() / "wide.mi";
    writeBytes(path, text);
    AnalysisTable table;
    ASSERT_TRUE(readAnalysisFile(table, path).ok());
    EXPECT_EQ(table.rowCount(), 351);
    EXPECT_EQ(table.columnCount(), 36);
    EXPECT_EQ(table.text(350, 35), "350");
    EXPECT_EQ(table.text(0, 35), "BaO [I]");
}

TEST(AnalysisFileRead, MissingFileIsAnErrorAndChangesNothing) {
    AnalysisTable table;
    table.setText(1, 1, "kept");
    const FileResult result = readAnalysisFile(table, (scratchDir() / "absent.mi").string());
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error().find("absent.mi"), std::string::npos);
    EXPECT_EQ(table.text(1, 1), "kept");
}
