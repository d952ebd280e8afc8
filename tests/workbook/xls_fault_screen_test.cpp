// The .xls files the .xls library does not survive are refused, each with the damage it holds,
// before the library sees them; good workbooks pass.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "workbook_test_support.h"
#include "xls_fault_screen.h"

namespace kelvorad {
namespace {

using testing::fixture;
using testing::readFile;

std::string reasonFor(const std::filesystem::path& file) {
    return xlsDamageTheLibraryCannotRead(readFile(file)).value_or("(passes)");
}

std::filesystem::path knownFault(const char* name) {
    return std::filesystem::path(KELVORAD_TEST_DATA_DIR).parent_path() / "fuzz" / "known" / name;
}

std::filesystem::path hostile(const char* name) {
    return std::filesystem::path(KELVORAD_TEST_DATA_DIR) / "hostile" / name;
}

TEST(XlsFaultScreen, EachKnownFaultIsRefusedWithItsDamage) {
    const std::string text = "the file is damaged (a record's text runs past its end)";
    const std::string size = "the file is damaged (a sheet states its size twice)";
    const std::string directory =
        "the file is damaged (its directory holds an entry that is no directory entry)";
    EXPECT_EQ(reasonFor(knownFault("freexl-format-count-heap-overread.xls")), text);
    EXPECT_EQ(reasonFor(knownFault("freexl-sst-count-heap-overread.xls")), text);
    EXPECT_EQ(reasonFor(hostile("xls-label-length-heap-overflow.xls")), text);
    EXPECT_EQ(reasonFor(knownFault("freexl-second-dimensions-broken-chain.xls")), size);
    EXPECT_EQ(reasonFor(knownFault("freexl-second-dimensions-fat-count-0.xls")), size);
    EXPECT_EQ(reasonFor(hostile("xls-number-as-dimensions-segv.xls")), size);
    EXPECT_EQ(reasonFor(knownFault("freexl-directory-sector-past-4gib.xls")), directory);
    EXPECT_EQ(reasonFor(hostile("xls-dirstart-iconv.xls")), directory);
    EXPECT_EQ(reasonFor(knownFault("freexl-endless-read.xls")),
              "the file is damaged (its workbook stream's sectors loop)");
}

// A stream below the cutoff belongs in the mini stream; with no mini stream to hold it, the
// library reads it from the file's sectors, records and all.
TEST(XlsFaultScreen, SmallStreamsAreCheckedWhereTheLibraryReadsThem) {
    EXPECT_EQ(reasonFor(knownFault("freexl-small-stream-label-heap-overflow.xls")),
              "the file is damaged (a record's text runs past its end)");
    EXPECT_EQ(reasonFor(knownFault("freexl-small-stream-second-dimensions.xls")),
              "the file is damaged (a sheet states its size twice)");
    EXPECT_EQ(reasonFor(knownFault("freexl-small-stream-heap-overflow.xls")),
              "the file is damaged (a record's text runs past its end)");
}

TEST(XlsFaultScreen, ClaimsBeyondTheFileAreRefused) {
    EXPECT_EQ(reasonFor(knownFault("freexl-allocates-2gib.xls")),
              "the file is damaged (its header counts more sectors than the file holds)");
    EXPECT_EQ(reasonFor(knownFault("freexl-allocates-4gib.xls")),
              "the file is damaged (a stream claims more bytes than the file holds)");
    std::string file = readFile(fixture("pairs.xls"));
    file[0x43] = 0x01;  // the mini FAT's sector count, 16,777,216 sectors
    EXPECT_EQ(xlsDamageTheLibraryCannotRead(file),
              "the file is damaged (its header counts more sectors than the file holds)");
}

TEST(XlsFaultScreen, MiniStreamCutoffOtherThan4096IsRefused) {
    std::string file = readFile(fixture("pairs.xls"));
    file[0x39] = 0x08;  // 2048
    EXPECT_EQ(xlsDamageTheLibraryCannotRead(file),
              "the file is damaged (its mini stream cutoff is not 4096 bytes)");
}

TEST(XlsFaultScreen, GoodWorkbooksPass) {
    for (const char* name : {"pairs.xls", "types.xls"}) {
        EXPECT_EQ(reasonFor(fixture(name)), "(passes)") << name;
    }
    EXPECT_EQ(reasonFor(std::filesystem::path(KELVORAD_SHARE_DIR) / "workbooks" / "Kelvorad.xls"),
              "(passes)");
}

}  // namespace
}  // namespace kelvorad
