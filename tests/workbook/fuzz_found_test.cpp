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
