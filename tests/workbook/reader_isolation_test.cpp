// Workbooks are read by the workbook reader, a program of its own started with posix_spawn: a
// crash, an abort, a hang or a flood there must come back as one failure naming the file, within
// the limits, also while other threads of the program hold the locks a fork would inherit; and
// the cells must cross over unchanged.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <iconv.h>
#include <signal.h>
#include <sys/stat.h>

#include <atomic>
#include <thread>

#include "analysis_table.h"
#include "grid_transfer.h"
#include "helper_process.h"
#include "workbook_bytes.h"
#include "workbook_reader.h"
#include "workbook_test_support.h"

namespace kelvorad {
namespace {

using namespace std::chrono_literals;
using Ending = HelperOutcome::Ending;
using testing::ScratchFolder;

HelperOutcome runShell(const std::string& script, HelperLimits limits = {10s, 1 << 24},
                       std::stop_token stop = {}) {
    return runHelperProgram("/bin/sh", {"-c", script}, limits, std::move(stop));
}

TEST(HelperProgram, GivesBackWhatItWritesAndHowItEnded) {
    const auto large = runShell("head -c 1048576 /dev/zero");  // more than a pipe holds at once
    EXPECT_EQ(large.ending, Ending::Exited);
    EXPECT_EQ(large.status, 0);
    EXPECT_EQ(large.output, std::string(1 << 20, '\0'));

    const auto failed = runShell("printf partial; exit 7");
    EXPECT_EQ(failed.ending, Ending::Exited);
    EXPECT_EQ(failed.status, 7);
    EXPECT_EQ(failed.output, "partial");

    const auto missing = runHelperProgram("/nonexistent/reader", {}, {1s, 100});
    EXPECT_EQ(missing.ending, Ending::NotStarted);
    EXPECT_FALSE(missing.problem.empty());
}

TEST(HelperProgram, CrashHangFloodAndCancelEndInBoundedTime) {
    const auto crashed = runShell("kill -SEGV $$");
    EXPECT_EQ(crashed.ending, Ending::Signalled);
    EXPECT_EQ(crashed.status, SIGSEGV);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(runShell("sleep 30", {300ms, 100}).ending, Ending::TimedOut);
    // Closing its output does not end the wait for it.
    EXPECT_EQ(runShell("exec >&-; sleep 30", {300ms, 100}).ending, Ending::TimedOut);
    EXPECT_EQ(runShell("yes", {10s, 100'000}).ending, Ending::OutputTooLarge);
    std::stop_source stop;
    std::thread canceller([&] {
        std::this_thread::sleep_for(200ms);
        stop.request_stop();
    });
    EXPECT_EQ(runShell("sleep 30", {10s, 100}, stop.get_token()).ending, Ending::Cancelled);
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(HelperProgram, ItsStandardErrorReachesOurs) {
    ::testing::internal::CaptureStderr();
    const auto outcome = runShell("echo 'reader note' >&2");
    const std::string stderrText = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(outcome.ending, Ending::Exited);
    EXPECT_NE(stderrText.find("reader note"), std::string::npos);
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

    // The reply around it: exactly one, of the length it says.
    const std::string reply = encodeReaderReply(ReaderReply{true, bytes});
    const auto back = decodeReaderReply(reply);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->succeeded);
    EXPECT_EQ(back->content, bytes);
    EXPECT_EQ(decodeReaderReply(encodeReaderReply(ReaderReply{false, "no sheet"}))->content,
              "no sheet");
    EXPECT_FALSE(decodeReaderReply(reply.substr(0, reply.size() - 1)));
    EXPECT_FALSE(decodeReaderReply(reply + "x"));
    EXPECT_FALSE(decodeReaderReply("?" + reply.substr(1)));
}

// A reader program of the test's own, a shell script, stands for one that misbehaves.
class MisbehavingReader : public ::testing::Test {
  protected:
    std::string readWith(const std::string& script, WorkbookReadLimits limits = {}) {
        const auto reader = folder / "reader";
        testing::writeFile(reader, "#!/bin/sh\n" + script + "\n");
        chmod(reader.c_str(), 0755);
        const auto read = readWorkbookFileWith(reader, folder / "pairs.xlsx", limits);
        EXPECT_FALSE(read.ok());
        return read.error();
    }
    std::string stopped(const std::string& what) {
        return (folder / "pairs.xlsx").string() + ": the workbook reader stopped (" + what +
               "); the file may be damaged";
    }
    ScratchFolder folder;
};

TEST_F(MisbehavingReader, EachWayOfStoppingGivesOneMessageNamingTheFile) {
    EXPECT_EQ(readWith("kill -ABRT $$"), stopped("it aborted"));
    EXPECT_EQ(readWith("kill -SEGV $$"), stopped("it crashed: segmentation fault"));
    EXPECT_EQ(readWith("exit 3"), stopped("out of memory"));
    EXPECT_EQ(readWith("exit 1"), stopped("it failed, exit status 1"));
    EXPECT_EQ(readWith("printf 'not a reply'"), stopped("its reply is damaged"));
    EXPECT_EQ(readWith("printf '+\\0\\0\\0\\0\\0\\0\\0\\0'; exit 1"),
              (folder / "pairs.xlsx").string() + ": the workbook reader gave back damaged data")
        << "a whole reply counts, whatever the exit";
    WorkbookReadLimits quick;
    quick.time = 500ms;
    EXPECT_EQ(readWith("sleep 30", quick), stopped("it took longer than 0.5 s"));
    WorkbookReadLimits small;
    small.resultBytes = 1000;
    EXPECT_EQ(readWith("head -c 100000 /dev/zero", small),
              stopped("its result is larger than 1000 bytes"));
    EXPECT_EQ(readWorkbookFileWith("", folder / "pairs.xlsx", {}).error(),
              (folder / "pairs.xlsx").string() +
                  ": the workbook reader (kelvorad-read-workbook) is not installed");
}

TEST(WorkbookReader, ReadsEveryFormatWithinItsLimits) {
    ASSERT_FALSE(workbookReaderProgram().empty());
    for (const char* name : {"pairs.xlsx", "pairs.xls", "pairs.ods"}) {
        const auto read = readWorkbookFile(testing::fixture(name));
        ASSERT_TRUE(read.ok()) << read.error();
        EXPECT_EQ(read->sheets.at(1).cells.at(CellAddress{2, 2}).text, "MT-1 core");
    }
#if !defined(__SANITIZE_ADDRESS__)  // where the reader's address space is not limited
    WorkbookReadLimits tiny;
    tiny.memoryBytes = 1 << 20;  // far less than reading a package takes
    const auto starved = readWorkbookFile(testing::fixture("pairs.xlsx"), tiny);
    ASSERT_FALSE(starved.ok());
    EXPECT_EQ(starved.error(), testing::fixture("pairs.xlsx").string() +
                                   ": the workbook reader stopped (out of memory); the file "
                                   "may be damaged");
#endif
    WorkbookReadLimits narrow;
    narrow.resultBytes = 100;
    const auto tooLarge = readWorkbookFile(testing::fixture("pairs.ods"), narrow);
    ASSERT_FALSE(tooLarge.ok());
    EXPECT_NE(tooLarge.error().find("pairs.ods: the workbook is too large"), std::string::npos)
        << tooLarge.error();
}

// While another thread of the program loops on `busy`, which takes a lock of the C library
// (iconv's, the dynamic loader's), good workbooks are read each time, in bounded time: a child
// made by fork() alone could inherit the lock held and wait for ever.
void readWhileAnotherThreadLoops(void (*busy)()) {
    std::atomic<bool> done{false};
    std::thread other([&] {
        while (!done) busy();
    });
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < 20; ++round) {
        AnalysisTable table;
        const Status read = copyActiveSheetIntoGrid(testing::fixture("pairs.xls"), table);
        ASSERT_TRUE(read.ok()) << read.error();
        ASSERT_EQ(table.text(1, 1), "MT-1 core");
    }
    done = true;
    other.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 15s);
}

TEST(WorkbookReader, ReadsWhileAnotherThreadOpensCharacterConverters) {
    readWhileAnotherThreadLoops([] {
        const iconv_t converter = iconv_open("UTF-16LE", "CP1252");
        if (converter != reinterpret_cast<iconv_t>(-1)) iconv_close(converter);
    });
}

TEST(WorkbookReader, ReadsWhileAnotherThreadLoadsLibraries) {
    readWhileAnotherThreadLoops([] {
        if (void* library = dlopen("libz.so.1", RTLD_NOW | RTLD_LOCAL)) dlclose(library);
    });
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
