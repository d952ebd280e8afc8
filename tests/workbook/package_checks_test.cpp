// The checks a zip workbook passes before any XML reader sees it: a directory that lies about
// sizes, places or checksums is refused at once; character references that name no character
// become U+FFFD; a part that ends early is damage; texts that are not UTF-8 never reach a cell.
#include <gtest/gtest.h>

#include <chrono>

#include "cell_entry.h"
#include "little_endian.h"
#include "ods_settings.h"
#include "workbook_reader.h"
#include "workbook_test_support.h"
#include "xml_part_checks.h"
#include "zip_guard.h"

namespace kelvorad {
namespace {

using namespace std::chrono_literals;
using testing::fixture;
using testing::readFile;

void put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

// The central directory record of entry `name` in the zip file `zip`.
std::size_t directoryEntry(const std::string& zip, std::string_view name) {
    for (std::size_t at = zip.find("PK\x01\x02"); at != std::string::npos;
         at = zip.find("PK\x01\x02", at + 4)) {
        if (zip.compare(at + 46, name.size(), name) == 0) return at;
    }
    ADD_FAILURE() << "no entry " << name;
    return 0;
}

// pairs.xlsx with one field of the directory record of its sheet changed.
std::string withSheetField(std::size_t offset, std::uint32_t value) {
    std::string zip = readFile(fixture("pairs.xlsx"));
    put32(zip, directoryEntry(zip, "xl/worksheets/sheet2.xml") + offset, value);
    return zip;
}

std::string unpackFailure(const std::string& zip) {
    const auto start = std::chrono::steady_clock::now();
    const auto package = unpackZipPackage(zip);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_FALSE(package.ok());
    return package.error();
}

TEST(ZipGuard, UnpacksEveryEntryAndStoresThemAgainUnchanged) {
    const auto package = unpackZipPackage(readFile(fixture("pairs.xlsx")));
    ASSERT_TRUE(package.ok()) << package.error();
    const std::string* workbook = package->find("xl/workbook.xml");
    ASSERT_NE(workbook, nullptr);
    EXPECT_NE(workbook->find("<sheet "), std::string::npos);
    EXPECT_EQ(package->find("no/such/part.xml"), nullptr);

    const auto again = unpackZipPackage(storedZipFile(package.value()));
    ASSERT_TRUE(again.ok()) << again.error();
    ASSERT_EQ(again->entries.size(), package->entries.size());
    for (std::size_t i = 0; i < package->entries.size(); ++i) {
        EXPECT_EQ(again->entries[i].name, package->entries[i].name);
        EXPECT_EQ(again->entries[i].content, package->entries[i].content);
    }
}

TEST(ZipGuard, DirectoryThatLiesAboutSizesOrPlacesIsRefusedAtOnce) {
    constexpr std::size_t kFlags = 8, kMethod = 10, kChecksum = 16, kPacked = 20, kUnpacked = 24,
                          kLocalHeader = 42;
    const std::string damaged = "the zip package is truncated or damaged";
    // Compressed sizes of 2 GiB and 4 GiB, and a local header past the end of the data.
    EXPECT_EQ(unpackFailure(withSheetField(kPacked, 0x80000000u)), damaged);
    EXPECT_EQ(unpackFailure(withSheetField(kPacked, 0xfffffffeu)), damaged);
    EXPECT_EQ(unpackFailure(withSheetField(kLocalHeader, 0x7fffffffu)), damaged);
    // An entry that inflates to more, or less, than it claims, or to another checksum.
    const std::string zip = readFile(fixture("pairs.xlsx"));
    const std::size_t sheet = directoryEntry(zip, "xl/worksheets/sheet2.xml");
    const std::uint32_t size = read32(zip, sheet + kUnpacked);
    EXPECT_EQ(unpackFailure(withSheetField(kUnpacked, size - 1)), damaged);
    EXPECT_EQ(unpackFailure(withSheetField(kUnpacked, size + 1)), damaged);
    EXPECT_EQ(unpackFailure(withSheetField(kChecksum, read32(zip, sheet + kChecksum) ^ 1)),
              damaged);
    // A size no deflated data of that length can give: refused before anything is allocated.
    EXPECT_EQ(unpackFailure(withSheetField(kUnpacked, 400u << 20)), damaged);
    EXPECT_EQ(unpackFailure(withSheetField(kFlags, 1)), "the zip package is encrypted");
    EXPECT_EQ(unpackFailure(withSheetField(kMethod, 12)),
              "the zip package uses a compression this program cannot unpack");
    EXPECT_EQ(unpackFailure(zip.substr(0, zip.size() - 30)), damaged);
}

TEST(XmlPartChecks, ReferencesToNoCharacterBecomeTheReplacementCharacter) {
    for (const char* reference : {"&#0;", "&#x0;", "&#xD800;", "&#xdfff;", "&#x110000;",
                                  "&#1114112;", "&#99999999999999999999;", "&#xFFFFFFFFFFFF;"}) {
        std::string xml = std::string("<t>a") + reference + "b</t>";
        EXPECT_EQ(replaceForbiddenCharacterReferences(xml), 1u) << reference;
        EXPECT_EQ(xml, "<t>a&#xFFFD;b</t>") << reference;
    }
    for (const char* kept : {"&#x41;", "&#65;", "&#x10FFFF;", "&#xD7FF;", "&#xE000;", "&#;", "&#x;",
                             "&amp;", "&#x110000", "&#12a;"}) {
        std::string xml = std::string("<t>") + kept + "</t>";
        EXPECT_EQ(replaceForbiddenCharacterReferences(xml), 0u) << kept;
        EXPECT_EQ(xml, std::string("<t>") + kept + "</t>");
    }
    std::string attributes = "<c v=\"&#0;\" w=\"&#xD800;&#x41;\"/>";
    EXPECT_EQ(replaceForbiddenCharacterReferences(attributes), 2u);
    EXPECT_EQ(attributes, "<c v=\"&#xFFFD;\" w=\"&#xFFFD;&#x41;\"/>");
}

TEST(XmlPartChecks, PartThatEndsEarlyIsDamage) {
    const std::string whole =
        "<?xml version=\"1.0\"?>\n<sheet><row r=\"1\"><c/></row><row r=\"2\"/></sheet>\n";
    EXPECT_TRUE(checkXmlPartComplete(whole, "sheet.xml").ok());
    const Status early = checkXmlPartComplete(whole.substr(0, whole.find("<row r=\"2\"")), "s.xml");
    ASSERT_FALSE(early.ok());
    EXPECT_EQ(early.error(), "the part s.xml ends early; the file is damaged");
    EXPECT_FALSE(checkXmlPartComplete("", "empty.xml").ok());
    EXPECT_FALSE(checkXmlPartComplete("<?xml version=\"1.0\"?>", "bare.xml").ok());
    const Status broken = checkXmlPartComplete("<sheet><row <c/></sheet>", "broken.xml");
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.error().rfind("the part broken.xml is damaged (", 0), 0u) << broken.error();
}

TEST(ReadableText, NulAndBytesThatAreNotUtf8ShowTheReplacementCharacter) {
    const std::string replacement(kReplacementCharacter);
    EXPECT_EQ(readableText(std::string("Fe\0O", 4)), "Fe" + replacement + "O");
    EXPECT_EQ(readableText("\xED\xA0\x80"), replacement + replacement + replacement);  // surrogate
    EXPECT_EQ(readableText("\xF4\x90\x80\x80").size(), 4 * replacement.size());        // > U+10FFFF
    EXPECT_EQ(readableText("MT\xC3"), "MT" + replacement);                             // cut short
    EXPECT_EQ(readableText("Ti-mag \xC3\xA9 \xF0\x9F\x98\x80"), "Ti-mag \xC3\xA9 \xF0\x9F\x98\x80");
}

// A workbook whose shared strings hold references to no character: the cells show U+FFFD, never
// a NUL byte or an encoded surrogate.
TEST(ReadableText, CharacterReferencesToNoCharacterReachNoCell) {
    auto package = unpackZipPackage(readFile(fixture("pairs.xlsx")));
    ASSERT_TRUE(package.ok());
    for (ZipEntry& entry : package->entries) {
        if (entry.name != "xl/sharedStrings.xml") continue;
        const auto at = entry.content.find("MT-1 core");
        ASSERT_NE(at, std::string::npos);
        entry.content.replace(at, 9, "MT&#0;1 &#xD800;core");
    }
    testing::ScratchFolder folder;
    testing::writeFile(folder / "refs.xlsx", storedZipFile(package.value()));
    const auto workbook = readWorkbookFile(folder / "refs.xlsx");
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    const std::string replacement(kReplacementCharacter);
    EXPECT_EQ(workbook->sheets[1].cells.at(CellAddress{2, 2}).text,
              "MT" + replacement + "1 " + replacement + "core");
}

TEST(OdsSettings, ActiveTableIsFoundWhateverThePrefixAndWithItsReferences) {
    const std::string settings =
        "<?xml version=\"1.0\"?><office:document-settings "
        "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:cfg=\"urn:oasis:names:tc:opendocument:xmlns:config:1.0\"><office:settings>"
        "<cfg:config-item-set cfg:name=\"ooo:view-settings\">"
        "<cfg:config-item cfg:name=\"VisibleAreaTop\" cfg:type=\"int\">0</cfg:config-item>"
        "<cfg:config-item cfg:name=\"ActiveTable\" cfg:type=\"string\">Pairs &#x26; "
        "&lt;rims&gt;</cfg:config-item>"
        "<cfg:config-item cfg:name=\"ActiveTable\" cfg:type=\"string\">Later</cfg:config-item>"
        "</cfg:config-item-set></office:settings></office:document-settings>";
    EXPECT_EQ(activeTableOfOpenDocument(settings), "Pairs & <rims>");
    // The name in another namespace is not the setting.
    std::string foreign = settings;
    foreign.replace(foreign.find("xmlns:config:1.0"), 16, "xmlns:other:1.0");
    EXPECT_EQ(activeTableOfOpenDocument(foreign), std::nullopt);
    EXPECT_EQ(activeTableOfOpenDocument("<a><b>"), std::nullopt);
}

}  // namespace
}  // namespace kelvorad
