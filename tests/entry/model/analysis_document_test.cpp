#include "analysis_document.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "clipboard_text.h"
#include "error_report.h"
#include "fake_desktop_services.h"

using namespace kelvorad;
namespace fs = std::filesystem;

namespace {
fs::path scratchFile(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("kelvorad_document_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / name;
}

void select(AnalysisTable& table, int r1, int c1, int r2, int c2) {
    table.setCurrent(r1, c1);
    table.setSelectionEnd(r2, c2);
}
}  // namespace

TEST(AnalysisDocument, UnsavedChangesFollowTheDataAreaNotTheEditsMade) {
    AnalysisDocument document;
    EXPECT_FALSE(document.hasUnsavedChanges());
    document.table().setText(3, 18, "spacer note");
    EXPECT_TRUE(document.hasUnsavedChanges());
    document.table().setText(3, 18, "");
    EXPECT_FALSE(document.hasUnsavedChanges()) << "an edit undone again leaves nothing to lose";
    // Row numbers and headers are not stored, so changing them loses nothing.
    document.table().setText(4, 0, "4x");
    EXPECT_FALSE(document.hasUnsavedChanges());

    document.table().setCurrent(2, 1);
    ASSERT_TRUE(document.insertRowAtCurrent());
    EXPECT_TRUE(document.hasUnsavedChanges());

    const fs::path path = scratchFile("unsaved.mi");
    ASSERT_TRUE(document.save(path.string()).ok());
    EXPECT_FALSE(document.hasUnsavedChanges());
    document.table().setText(1, 1, "MT-9");
    EXPECT_TRUE(document.hasUnsavedChanges());
    ASSERT_TRUE(document.open(path.string()).ok());
    EXPECT_FALSE(document.hasUnsavedChanges());
    // A failed open changes neither the table nor what counts as saved.
    document.table().setText(1, 1, "MT-10");
    EXPECT_FALSE(document.open(scratchFile("absent.mi").string()).ok());
    EXPECT_EQ(document.table().text(1, 1), "MT-10");
    EXPECT_TRUE(document.hasUnsavedChanges());
}

TEST(AnalysisDocument, RemoveAndInsertRowWorkOnDataRowsOnly) {
    AnalysisDocument document;
    AnalysisTable& table = document.table();
    table.setText(5, 1, "five");
    table.setText(6, 1, "six");
    table.setCurrent(5, 3);
    ASSERT_TRUE(document.removeCurrentRow());
    EXPECT_EQ(table.rowCount(), 350);
    EXPECT_EQ(table.text(4, 0), "4");
    EXPECT_EQ(table.text(5, 0), "6");
    EXPECT_EQ(table.text(5, 1), "six");

    table.setCurrent(2, 1);
    ASSERT_TRUE(document.insertRowAtCurrent());
    EXPECT_EQ(table.rowCount(), 351);
    EXPECT_EQ(table.text(2, 0), "");
    EXPECT_EQ(table.text(3, 0), "2");

    // The header row is never removed or pushed down into the data (capCell leaves the
    // current cell on it).
    table.capCell();
    ASSERT_EQ(table.row(), 0);
    EXPECT_FALSE(document.removeCurrentRow());
    EXPECT_FALSE(document.insertRowAtCurrent());
    EXPECT_EQ(table.text(0, 1), "Sample [M]");
    EXPECT_EQ(table.rowCount(), 351);

    AnalysisDocument small;
    small.table().resize(2, 36);
    small.table().setCurrent(1, 1);
    EXPECT_FALSE(small.removeCurrentRow());
    EXPECT_EQ(small.table().rowCount(), 2);
}

TEST(AnalysisDocument, CopyCutPasteThroughTheClipboard) {
    fakes::FakeClipboard clipboard;
    AnalysisDocument document;
    AnalysisTable& table = document.table();
    const char* texts[2][3] = {{"a", "b", "c"}, {"d", "e", "f"}};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) table.setText(2 + r, 1 + c, texts[r][c]);
    }
    select(table, 2, 1, 3, 3);
    EXPECT_TRUE(document.copy(clipboard).ok());
    EXPECT_EQ(clipboard.content, "a\tb\tc\rd\te\tf");

    // Paste of the 3 by 2 block into a 5 by 5 selection fills only its top-left 3 by 2 cells.
    for (int r = 10; r <= 14; ++r) {
        for (int c = 1; c <= 5; ++c) table.setText(r, c, "old");
    }
    select(table, 14, 5, 10, 1);
    EXPECT_TRUE(document.paste(clipboard).ok());
    EXPECT_EQ(table.text(10, 1), "a");
    EXPECT_EQ(table.text(11, 3), "f");
    EXPECT_EQ(table.text(10, 4), "old");
    EXPECT_EQ(table.text(12, 1), "old");
    EXPECT_EQ(table.text(14, 5), "old");

    // Cut copies and empties; an empty clipboard pastes nothing.
    select(table, 3, 3, 2, 1);
    EXPECT_TRUE(document.cut(clipboard).ok());
    EXPECT_EQ(clipboard.content, "a\tb\tc\rd\te\tf");
    EXPECT_EQ(table.text(2, 1), "");
    EXPECT_EQ(table.text(3, 3), "");
    clipboard.content.clear();
    table.setText(20, 1, "kept");
    select(table, 20, 1, 20, 1);
    EXPECT_TRUE(document.paste(clipboard).ok());
    EXPECT_EQ(table.text(20, 1), "kept");
}

TEST(AnalysisDocument, ClipboardThatCannotBeOpenedLosesNothing) {
    fakes::FakeClipboard clipboard;
    clipboard.available = false;
    AnalysisDocument document;
    AnalysisTable& table = document.table();
    table.setText(1, 1, "MT-1");
    select(table, 1, 1, 1, 2);
    EXPECT_EQ(document.copy(clipboard).kind(), ErrorKind::ClipboardUnavailable);
    EXPECT_EQ(document.cut(clipboard).kind(), ErrorKind::ClipboardUnavailable);
    EXPECT_EQ(table.text(1, 1), "MT-1") << "a failed Cut must not empty the cells";
    EXPECT_EQ(document.paste(clipboard).kind(), ErrorKind::ClipboardUnavailable);
    EXPECT_EQ(table.text(1, 1), "MT-1");
}

TEST(AnalysisDocument, SpreadsheetLineBreaksBecomeRowBreaks) {
    EXPECT_EQ(clipboardTextForTable("a\tb\r\nc\td\r\n"), "a\tb\rc\td");
    EXPECT_EQ(clipboardTextForTable("a\nb\n"), "a\rb");
    EXPECT_EQ(clipboardTextForTable("a\rb"), "a\rb");
    EXPECT_EQ(clipboardTextForTable("a\r\n\r\n"), "a\r");  // only one final break is dropped
    EXPECT_EQ(clipboardTextForTable(""), "");

    // A block copied from a spreadsheet does not empty the row below it.
    fakes::FakeClipboard clipboard;
    clipboard.content = "1.5\t2.5\r\n";
    AnalysisDocument document;
    document.table().setText(2, 1, "below");
    select(document.table(), 1, 1, 3, 3);
    ASSERT_TRUE(document.paste(clipboard).ok());
    EXPECT_EQ(document.table().text(1, 2), "2.5");
    EXPECT_EQ(document.table().text(2, 1), "below");
}

TEST(AnalysisDocument, CellEditorTextGoesIntoTheCurrentCell) {
    AnalysisDocument document;
    document.table().setCurrent(7, 19);
    EXPECT_TRUE(document.setCurrentCellText("ILM-7"));
    EXPECT_EQ(document.table().text(7, 19), "ILM-7");
    EXPECT_FALSE(document.setCurrentCellText("ILM-7"));
}

TEST(ErrorReport, MessagesForReportedKindsOnly) {
    EXPECT_EQ(errorReportMessage(ErrorKind::Overflow), "Overflow");
    EXPECT_EQ(errorReportMessage(ErrorKind::DivisionByZero), "Division by zero");
    EXPECT_EQ(errorReportMessage(ErrorKind::DivisionByZero, false), std::nullopt);
    EXPECT_EQ(errorReportMessage(ErrorKind::UserInterrupt), "User interrupt occured");
    EXPECT_EQ(errorReportMessage(ErrorKind::ObjectRequired),
              "Object required. Possibly [Output.Xls]");
    EXPECT_EQ(errorReportMessage(ErrorKind::ClipboardUnavailable), "Can't open clipboard");
    EXPECT_EQ(errorReportMessage(ErrorKind::OutOfMemory), "Out of memory");
    EXPECT_EQ(errorReportMessage(Status{}), std::nullopt);
    EXPECT_EQ(errorReportMessage(ErrorKind::Failed), std::nullopt);
    EXPECT_EQ(errorReportMessage(Status(Failure{"Cannot open \"x.mi\""})), std::nullopt)
        << "a failure the command reported itself shows nothing more";
    EXPECT_EQ(errorReportMessage(Status(reportedFailure(ErrorKind::ObjectRequired))),
              "Object required. Possibly [Output.Xls]");
    EXPECT_EQ(reportedFailure(ErrorKind::ClipboardUnavailable).message, "Can't open clipboard");
}

TEST(ErrorReport, FileFailuresCarryTheirKind) {
    EXPECT_EQ(errorKindForFileFailure(ENOENT, false), ErrorKind::FileNotFound);
    EXPECT_EQ(errorKindForFileFailure(ENOENT, true), ErrorKind::PathNotFound);
    EXPECT_EQ(errorKindForFileFailure(ENOSPC, true), ErrorKind::DiskFull);
    EXPECT_EQ(errorKindForFileFailure(EACCES, true), ErrorKind::FileAccessDenied);

    AnalysisTable table;
    const FileResult missing = readAnalysisFile(table, scratchFile("nothing.mi").string());
    EXPECT_EQ(missing.status.kind(), ErrorKind::FileNotFound);
    const FileResult noFolder =
        writeAnalysisFile(table, (scratchFile("no-folder") / "x.mi").string());
    EXPECT_FALSE(noFolder.ok());
    EXPECT_EQ(noFolder.status.kind(), ErrorKind::PathNotFound);
    EXPECT_NE(noFolder.error().find("x.mi"), std::string::npos);
    EXPECT_NE(noFolder.error().find("No such file or directory"), std::string::npos);
}
