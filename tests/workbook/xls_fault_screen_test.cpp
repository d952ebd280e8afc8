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
