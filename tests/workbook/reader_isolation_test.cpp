// The .xls reader runs in a child process: a crash or a hang there must come back as a
// failure, and the cells must cross over unchanged.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cmath>
#include <thread>

#include "analysis_table.h"
#include "child_process.h"
#include "grid_transfer.h"
#include "workbook_bytes.h"
#include "workbook_test_support.h"

namespace kelvorad {
namespace {

using namespace std::chrono_literals;

TEST(ChildProcess, GivesBackTheWorksTextOrFailure) {
    const std::string large(1 << 20, 'x');  // more than a pipe holds at once
    auto text = runInChildProcess([&]() -> Result<std::string> { return large; }, 10s);
    ASSERT_TRUE(text.ok()) << text.error();
    EXPECT_EQ(text.value(), large);

    auto failure =
        runInChildProcess([]() -> Result<std::string> { return Failure{"no sheet"}; }, 10s);
    ASSERT_FALSE(failure.ok());
    EXPECT_EQ(failure.error(), "no sheet");
}

TEST(ChildProcess, CrashOrHangInTheChildIsAFailureOfTheCall) {
    auto crashed = runInChildProcess(
        []() -> Result<std::string> {
            raise(SIGSEGV);
            return std::string("unreachable");
        },
        10s);
    ASSERT_FALSE(crashed.ok());
    EXPECT_NE(crashed.error().find("damaged"), std::string::npos);

    const auto start = std::chrono::steady_clock::now();
    auto hung = runInChildProcess(
        []() -> Result<std::string> {
            for (;;) pause();
        },
        300ms);
    ASSERT_FALSE(hung.ok());
    EXPECT_NE(hung.error().find("too long"), std::string::npos);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

TEST(WorkbookBytes, CarryEveryCellAndRefuseDamagedBytes) {
    WorkbookData workbook;
    workbook.format = WorkbookFormat::Xls;
    workbook.sheets.push_back(SheetData{"Notes", {}});
    workbook.sheets.push_back(SheetData{"Pairs \xC3\xA9", {}});
    workbook.activeSheet = 1;
    workbook.sheets[1].cells[{1, 1}] = CellValue{CellKind::Text, "Row No", 0.0};
    workbook.sheets[1].cells[{2, 3}] = CellValue{CellKind::Number, "0.1", 0.1};
    workbook.sheets[1].cells[{3, 1}] = CellValue{CellKind::Date, "2024-03-15", 45366};
    workbook.sheets[1].cells[{kMaxSheetRows, kMaxSheetColumns}] =
        CellValue{CellKind::Text, std::string("a\0b", 3), 0.0};

    const std::string bytes = encodeWorkbook(workbook);
    auto decoded = decodeWorkbook(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->format, WorkbookFormat::Xls);
    EXPECT_EQ(decoded->activeSheet, 1u);
    ASSERT_EQ(decoded->sheets.size(), 2u);
    EXPECT_EQ(decoded->sheets[1].name, "Pairs \xC3\xA9");
    ASSERT_EQ(decoded->sheets[1].cells.size(), 4u);
    for (const auto& [address, cell] : workbook.sheets[1].cells) {
        const auto& copy = decoded->sheets[1].cells.at(address);
        EXPECT_EQ(copy.text, cell.text);
        EXPECT_EQ(copy.kind, cell.kind);
        EXPECT_EQ(copy.number, cell.number);
    }
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
        EXPECT_FALSE(decodeWorkbook(bytes.substr(0, cut))) << cut;
    }
    EXPECT_FALSE(decodeWorkbook(bytes + "x"));
}

TEST(XlsReading, FileThatBreaksTheXlsLibraryFailsWithoutHarm) {
    // Opening this file makes the .xls library overrun a stack buffer; in its own process
    // that cannot reach the program, which may then get a failure or whatever was read.
    AnalysisTable table;
    table.setText(1, 1, "typed");
    const Status status =
        copyActiveSheetIntoGrid(testing::fixture("damaged-stream-name.xls"), table);
    if (!status.ok()) {
        EXPECT_NE(status.error().find("damaged-stream-name.xls"), std::string::npos);
        EXPECT_EQ(table.text(1, 1), "typed");
    }
}

}  // namespace
}  // namespace kelvorad
