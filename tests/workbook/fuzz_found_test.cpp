// Inputs the fuzz harnesses (tests/fuzz) found to break a reader, kept in
// tests/data/workbooks/fuzz/: each is now refused with a message, quickly and in little memory.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "workbook_reader.h"
#include "workbook_test_support.h"
#include "zip_guard.h"

namespace kelvorad {
namespace {

using testing::fixture;
using testing::readFile;

// Two bytes of a good .ods swapped: content.xml's central directory entry claims 4,009,755,101
// packed bytes, which the unpacker allocated (4 GB) before it failed.
TEST(FuzzFoundInputs, EntryClaimingMorePackedBytesThanTheFileHoldsIsRefusedAtOnce) {
    const auto file = fixture("fuzz/ods-packed-size-beyond-directory.ods");
    const auto guard = unpackZipPackage(readFile(file));
    ASSERT_FALSE(guard.ok());
    EXPECT_NE(guard.error().find("damaged"), std::string::npos) << guard.error();

    const auto start = std::chrono::steady_clock::now();
    const auto workbook = readWorkbookFile(file);
    ASSERT_FALSE(workbook.ok());
    EXPECT_NE(workbook.error().find("ods-packed-size-beyond-directory.ods"), std::string::npos);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// The .xls inputs the fuzzer found to reach faults of the .xls library (tests/fuzz/KNOWN.md),
// kept in tests/fuzz/known/: the workbook reader contains each, and the program gets one
// message naming the file.
std::filesystem::path knownLibraryFault(const char* name) {
    return std::filesystem::path(KELVORAD_TEST_DATA_DIR).parent_path() / "fuzz" / "known" / name;
}

// A Workbook stream whose sector chain loops (sector 1 links back to 0) and whose directory
// entry claims 4,278,194,176 bytes: the library reads the loop until it has that many.
TEST(FuzzFoundInputs, XlsStreamChainThatLoopsStopsAtTheTimeLimit) {
    const auto file = knownLibraryFault("freexl-endless-read.xls");
    WorkbookReadLimits limits;
    limits.time = std::chrono::milliseconds(1500);
    const auto start = std::chrono::steady_clock::now();
    const auto workbook = readWorkbookFile(file, limits);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ASSERT_FALSE(workbook.ok());
    EXPECT_EQ(workbook.error(), file.string() +
                                    ": the workbook reader stopped (it took longer than 1.5 s); "
                                    "the file may be damaged");
}

// A second DIMENSIONS record in the sheet (a NUMBER record's type changed to 0x0200), with a
// link of the stream's chain after it leading out of the file: the library writes outside its
// cells, and fails there or when it frees them.
TEST(FuzzFoundInputs, XlsSecondDimensionsBeforeABrokenChainStopsTheReaderOnly) {
    const auto file = knownLibraryFault("freexl-second-dimensions-broken-chain.xls");
    const auto start = std::chrono::steady_clock::now();
    const auto workbook = readWorkbookFile(file);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    ASSERT_FALSE(workbook.ok());
    const std::string stopped = file.string() + ": the workbook reader stopped (";
    EXPECT_EQ(workbook.error().substr(0, stopped.size()), stopped) << workbook.error();
    EXPECT_TRUE(workbook.error().ends_with("); the file may be damaged")) << workbook.error();
}

TEST(FuzzFoundInputs, GoodPackagesStillPassTheZipGuard) {
    for (const char* name : {"pairs.xlsx", "pairs.ods", "types.xlsx", "types.ods"}) {
        EXPECT_TRUE(unpackZipPackage(readFile(fixture(name))).ok()) << name;
    }
    for (const char* shipped : {"Kelvorad.xlsx"}) {
        const auto path = std::filesystem::path(KELVORAD_SHARE_DIR) / "workbooks" / shipped;
        EXPECT_TRUE(unpackZipPackage(readFile(path)).ok()) << shipped;
    }
}

}  // namespace
}  // namespace kelvorad
