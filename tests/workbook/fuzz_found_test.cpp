// Inputs the fuzz harnesses (tests/fuzz) found to break a reader, kept in
// tests/data/workbooks/fuzz/: each is now refused with a message, quickly and in little memory.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>

#include "workbook_reader.h"
#include "workbook_test_support.h"
#include "xls_import.h"
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

// A NUMBER record at column 33,281 (two bytes of its address changed): the library reports a
// sheet that wide, and the .xls reader gave back a cell beyond the sheet's last column (16,384),
// which the program then refused as damaged data. Cells beyond the sheet are not read.
TEST(FuzzFoundInputs, XlsCellBeyondTheLastColumnIsNotRead) {
    const auto workbook = readWorkbookFile(fixture("fuzz/xls-cell-beyond-column-16384.xls"));
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    ASSERT_EQ(workbook.value().sheets.size(), 1u);
    const SheetData& sheet = workbook.value().sheets[0];
    EXPECT_FALSE(sheet.cells.empty());
    for (const auto& [address, cell] : sheet.cells) {
        EXPECT_TRUE(isInsideSheet(address.row, address.column))
            << address.row << "," << address.column;
    }
}

// The .xls inputs the fuzzer found to reach faults of the .xls library (tests/fuzz/KNOWN.md),
// kept in tests/fuzz/known/.
std::filesystem::path knownLibraryFault(const char* name) {
    return std::filesystem::path(KELVORAD_TEST_DATA_DIR).parent_path() / "fuzz" / "known" / name;
}

// Inputs on which the .xls library reads or writes outside its buffers, or reads on for minutes:
// a second DIMENSIONS record in the sheet (a NUMBER record's type changed to 0x0200) before a
// link of the stream's chain that leaves the file, or with a header whose FAT sector count is 0;
// a directory whose sector number (0x800000) puts it past 4 GiB, which the library wraps to
// sector 0; a FORMAT record of 13 bytes claiming 65,535 UTF-16 characters, and a shared string of
// 65,285; a Workbook stream whose chain loops (sector 1 links back to 0) while its directory entry
// claims 4,278,194,176 bytes; a Workbook stream below the mini stream cutoff, with no mini
// stream, whose records (read from the file's sectors) hold a LABEL or FORMAT text longer than
// its record or a second DIMENSIONS record; a header counting 65,534 DIFAT and 2^30 - 1 mini FAT
// sectors, or a root entry claiming 4 GiB, which the library allocates. Each is refused at
// once, before the library sees it, with the damage it holds.
TEST(FuzzFoundInputs, XlsLibraryFaultsAreRefusedBeforeTheLibraryReadsThem) {
    const std::string text = "the file is damaged (a record's text runs past its end)";
    const std::string size = "the file is damaged (a sheet states its size twice)";
    const std::pair<const char*, std::string> refusals[] = {
        {"freexl-second-dimensions-broken-chain.xls", size},
        {"freexl-second-dimensions-fat-count-0.xls", size},
        {"freexl-directory-sector-past-4gib.xls",
         "the file is damaged (its directory holds an entry that is no directory entry)"},
        {"freexl-format-count-heap-overread.xls", text},
        {"freexl-sst-count-heap-overread.xls", text},
        {"freexl-endless-read.xls", "the file is damaged (its workbook stream's sectors loop)"},
        {"freexl-small-stream-heap-overflow.xls", text},
        {"freexl-small-stream-label-heap-overflow.xls", text},
        {"freexl-small-stream-second-dimensions.xls", size},
        {"freexl-allocates-2gib.xls",
         "the file is damaged (its header counts more sectors than the file holds)"},
        {"freexl-allocates-4gib.xls",
         "the file is damaged (a stream claims more bytes than the file holds)"},
    };
    for (const auto& [name, reason] : refusals) {
        const auto file = knownLibraryFault(name);
        const auto start = std::chrono::steady_clock::now();
        const auto workbook = readWorkbookFile(file);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << name;
        ASSERT_FALSE(workbook.ok()) << name;
        EXPECT_EQ(workbook.error(), file.string() + ": " + reason);
    }
}

// Bare BIFF record streams (a BIFF2 BOF, 0x0009, where a compound file's header belongs), on
// which the .xls library fails with a segmentation fault or allocates over 2 GB: the program
// never takes them for .xls files, and the .xls reader refuses them itself.
TEST(FuzzFoundInputs, BareBiffStreamsNeverReachTheXlsLibrary) {
    for (const char* name : {"freexl-bare-biff-segv.xls", "freexl-bare-biff-allocates.xls"}) {
        const auto file = knownLibraryFault(name);
        const auto workbook = readWorkbookFile(file);
        ASSERT_FALSE(workbook.ok()) << name;
        EXPECT_EQ(workbook.error(), file.string() + ": not an .xlsx, .xls or .ods workbook");
        const auto imported = importXlsWorkbook(file, readFile(file));
        ASSERT_FALSE(imported) << name;
        EXPECT_EQ(imported.error(), "not an .xls workbook");
    }
}

// An .xlsx whose xl/workbook.xml ends inside a tag, on which liborcus fails an assertion: the
// reader gives a reason or is stopped, never the program.
TEST(FuzzFoundInputs, LibraryFaultsGiveOneMessageNamingTheFile) {
    for (const char* name : {"orcus-parser-past-end-workbook.xlsx"}) {
        const auto file = knownLibraryFault(name);
        const auto start = std::chrono::steady_clock::now();
        const auto workbook = readWorkbookFile(file);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15)) << name;
        ASSERT_FALSE(workbook.ok()) << name;
        const std::string& message = workbook.error();
        EXPECT_EQ(message.substr(0, file.string().size() + 2), file.string() + ": ") << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
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
