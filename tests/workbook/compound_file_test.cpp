// The compound file reader behind an .xls file's active tab, on compound files built here: the
// paths the workbook fixtures do not take (4096-byte sectors, the mini stream, a DIFAT chain,
// an Excel 5 "Book" stream) and damaged chains.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "compound_file.h"
#include "xls_active_tab.h"

namespace kelvorad {
namespace {

constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::size_t kMiniCutoff = 4096;
constexpr std::size_t kMiniSector = 64;

void put16(std::string& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<char>(value & 0xff);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xff);
}
void put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    put16(bytes, at, value & 0xffff);
    put16(bytes, at + 2, value >> 16);
}

struct Stream {
    std::string name;
    std::string content;
};

// Lays out a compound file: the streams (small ones in the mini stream), the mini FAT, the
// directory, then the FAT, at least `fatSectors` sectors of it, and the DIFAT sectors that the
// FAT sectors beyond the header's 109 need.
class CompoundFileBuilder {
  public:
    explicit CompoundFileBuilder(int sectorShift) : sectorSize_(std::size_t{1} << sectorShift) {
        header_.assign(sectorSize_, '\0');
        header_.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
        put16(header_, 0x18, 0x3E);
        put16(header_, 0x1A, sectorShift == 12 ? 4 : 3);
        put16(header_, 0x1C, 0xFFFE);
        put16(header_, 0x1E, static_cast<std::uint32_t>(sectorShift));
        put16(header_, 0x20, 6);
        put32(header_, 0x38, kMiniCutoff);
        for (std::size_t i = 0; i < 109; ++i) put32(header_, 0x4C + 4 * i, kFree);
    }

    std::string build(const std::vector<Stream>& streams, std::size_t fatSectors = 1) {
        std::string miniStream;
        std::vector<std::uint32_t> miniFat;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> placed;  // start, size
        for (const Stream& stream : streams) {
            if (stream.content.size() < kMiniCutoff) {
                placed.emplace_back(miniChain(stream.content, miniStream, miniFat),
                                    static_cast<std::uint32_t>(stream.content.size()));
            } else {
                placed.emplace_back(chain(stream.content),
                                    static_cast<std::uint32_t>(stream.content.size()));
            }
        }
        const std::uint32_t miniStreamStart = miniStream.empty() ? kEndOfChain : chain(miniStream);
        std::string miniFatBytes(miniFat.size() * 4, '\0');
        for (std::size_t i = 0; i < miniFat.size(); ++i) put32(miniFatBytes, 4 * i, miniFat[i]);
        const std::uint32_t miniFatStart = miniFat.empty() ? kEndOfChain : chain(miniFatBytes);

        std::string directory(128 * (streams.size() + 1), '\0');
        entry(directory, 0, "Root Entry", 5, miniStreamStart,
              static_cast<std::uint32_t>(miniStream.size()));
        for (std::size_t i = 0; i < streams.size(); ++i) {
            entry(directory, i + 1, streams[i].name, 2, placed[i].first, placed[i].second);
        }
        const std::uint32_t directoryStart = chain(directory);

        // The FAT and DIFAT sectors come last; their count depends on the sectors there are.
        const std::size_t perSector = sectorSize_ / 4;
        std::size_t difatSectors = 0;
        for (;;) {
            const std::size_t total = sectors_.size() + fatSectors + difatSectors;
            if (fatSectors * perSector < total) {
                ++fatSectors;
                continue;
            }
            const std::size_t beyondHeader = fatSectors > 109 ? fatSectors - 109 : 0;
            const std::size_t needed = (beyondHeader + perSector - 2) / (perSector - 1);
            if (needed == difatSectors) break;
            difatSectors = needed;
        }
        const auto firstFat = static_cast<std::uint32_t>(sectors_.size());
        const auto firstDifat = static_cast<std::uint32_t>(firstFat + fatSectors);
        for (std::size_t i = 0; i < fatSectors; ++i) fat_.push_back(kFatSector);
        for (std::size_t i = 0; i < difatSectors; ++i) fat_.push_back(kDifatSector);
        fat_.resize(fatSectors * perSector, kFree);
        for (std::size_t s = 0; s < fatSectors; ++s) {
            std::string sector(sectorSize_, '\0');
            for (std::size_t i = 0; i < perSector; ++i)
                put32(sector, 4 * i, fat_[s * perSector + i]);
            sectors_.push_back(sector);
        }
        std::vector<std::uint32_t> fatNumbers;
        for (std::size_t s = 0; s < fatSectors; ++s) fatNumbers.push_back(firstFat + s);
        for (std::size_t i = 0; i < fatNumbers.size() && i < 109; ++i) {
            put32(header_, 0x4C + 4 * i, fatNumbers[i]);
        }
        for (std::size_t d = 0; d < difatSectors; ++d) {
            std::string sector(sectorSize_, '\xFF');
            for (std::size_t i = 0; i < perSector - 1; ++i) {
                const std::size_t k = 109 + d * (perSector - 1) + i;
                if (k < fatNumbers.size()) put32(sector, 4 * i, fatNumbers[k]);
            }
            put32(sector, sectorSize_ - 4,
                  d + 1 < difatSectors ? static_cast<std::uint32_t>(firstDifat + d + 1)
                                       : kEndOfChain);
            sectors_.push_back(sector);
        }
        put32(header_, 0x2C, static_cast<std::uint32_t>(fatSectors));
        put32(header_, 0x30, directoryStart);
        put32(header_, 0x3C, miniFatStart);
        put32(header_, 0x40,
              static_cast<std::uint32_t>((miniFatBytes.size() + sectorSize_ - 1) / sectorSize_));
        put32(header_, 0x44, difatSectors ? firstDifat : kEndOfChain);
        put32(header_, 0x48, static_cast<std::uint32_t>(difatSectors));

        std::string file = header_;
        for (const std::string& sector : sectors_) file += sector;
        return file;
    }

    // The FAT entry of sector `index` as built (for damaging it afterwards).
    std::size_t fatEntryOffset(const std::string& file, std::uint32_t index) const {
        const std::uint32_t fatSector = read32(file, 0x4C);
        return (fatSector + 1) * sectorSize_ + 4 * index;
    }

  private:
    static std::uint32_t read32(const std::string& bytes, std::size_t at) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        return value;
    }

    // Puts `content` into new regular sectors chained in the FAT; gives the first.
    std::uint32_t chain(const std::string& content) {
        const auto first = static_cast<std::uint32_t>(sectors_.size());
        const std::size_t count =
            std::max<std::size_t>(1, (content.size() + sectorSize_ - 1) / sectorSize_);
        for (std::size_t i = 0; i < count; ++i) {
            std::string sector =
                content.substr(std::min(content.size(), i * sectorSize_), sectorSize_);
            sector.resize(sectorSize_, '\0');
            sectors_.push_back(sector);
            fat_.push_back(i + 1 < count ? first + static_cast<std::uint32_t>(i) + 1 : kEndOfChain);
        }
        return first;
    }

    static std::uint32_t miniChain(const std::string& content, std::string& miniStream,
                                   std::vector<std::uint32_t>& miniFat) {
        const auto first = static_cast<std::uint32_t>(miniFat.size());
        const std::size_t count =
            std::max<std::size_t>(1, (content.size() + kMiniSector - 1) / kMiniSector);
        for (std::size_t i = 0; i < count; ++i) {
            std::string sector =
                content.substr(std::min(content.size(), i * kMiniSector), kMiniSector);
            sector.resize(kMiniSector, '\0');
            miniStream += sector;
            miniFat.push_back(i + 1 < count ? first + static_cast<std::uint32_t>(i) + 1
                                            : kEndOfChain);
        }
        return first;
    }

    static void entry(std::string& directory, std::size_t index, const std::string& name, int type,
                      std::uint32_t start, std::uint32_t size) {
        const std::size_t at = 128 * index;
        for (std::size_t i = 0; i < name.size(); ++i) {
            put16(directory, at + 2 * i, static_cast<unsigned char>(name[i]));
        }
        put16(directory, at + 0x40, static_cast<std::uint32_t>(2 * (name.size() + 1)));
        directory[at + 0x42] = static_cast<char>(type);
        for (std::size_t link : {0x44, 0x48, 0x4C}) put32(directory, at + link, kFree);
        put32(directory, at + 0x74, start);
        put32(directory, at + 0x78, size);
    }

    std::size_t sectorSize_;
    std::string header_;
    std::vector<std::string> sectors_;
    std::vector<std::uint32_t> fat_;
};

std::string pattern(std::size_t size, char seed) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>(seed + i % 97);
    return text;
}

class SectorSizes : public ::testing::TestWithParam<int> {};

TEST_P(SectorSizes, StreamsComeFromRegularSectorsAndFromTheMiniStream) {
    const std::string large = pattern(9000, 'a');  // above the cutoff: regular sectors
    const std::string small = pattern(300, 'A');   // below: five sectors of the mini stream
    const std::string file =
        CompoundFileBuilder(GetParam())
            .build({{"Workbook", large}, {"\x05SummaryInformation", small}, {"Tiny", "x"}});
    EXPECT_EQ(readCompoundFileStream(file, "workbook"), large) << "names compare ignoring case";
    EXPECT_EQ(readCompoundFileStream(file, "\x05SummaryInformation"), small);
    EXPECT_EQ(readCompoundFileStream(file, "Tiny"), "x");
    EXPECT_EQ(readCompoundFileStream(file, "Book"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(CompoundFile, SectorSizes, ::testing::Values(9, 12));

TEST(CompoundFile, FatSectorsBeyondTheHeaderAreFoundThroughTheDifatChain) {
    const std::string large = pattern(20000, 'k');
    // 250 FAT sectors: 109 in the header, the rest in two chained DIFAT sectors.
    const std::string file = CompoundFileBuilder(9).build({{"Workbook", large}}, 250);
    ASSERT_EQ(file.substr(0x48, 4), std::string("\x02\0\0\0", 4));
    EXPECT_EQ(readCompoundFileStream(file, "Workbook"), large);

    std::string broken = file;  // the first DIFAT sector points past the end of the file
    const std::size_t firstDifat =
        static_cast<unsigned char>(file[0x44]) | static_cast<unsigned char>(file[0x45]) << 8;
    put32(broken, (firstDifat + 1) * 512 + 508, 0x00FFFFFF);
    EXPECT_EQ(readCompoundFileStream(broken, "Workbook"), std::nullopt);
}

TEST(CompoundFile, ChainsThatLoopOrLeaveTheFileGiveNothing) {
    CompoundFileBuilder builder(9);
    const std::string file = builder.build({{"Workbook", pattern(5000, 'z')}});
    std::string looping = file;
    put32(looping, builder.fatEntryOffset(file, 3), 1);  // sector 3 leads back to sector 1
    EXPECT_EQ(readCompoundFileStream(looping, "Workbook"), std::nullopt);
    std::string outside = file;
    put32(outside, builder.fatEntryOffset(file, 2), 0x0FFFFFFF);
    EXPECT_EQ(readCompoundFileStream(outside, "Workbook"), std::nullopt);
    EXPECT_EQ(readCompoundFileStream(file.substr(0, 700), "Workbook"), std::nullopt);
    EXPECT_EQ(readCompoundFileStream("not a compound file", "Workbook"), std::nullopt);
}

// Records of a workbook's global substream: BOF, the sheet list, the window with the current
// tab, EOF.
std::string record(std::uint32_t type, const std::string& body) {
    std::string bytes(4, '\0');
    put16(bytes, 0, type);
    put16(bytes, 2, static_cast<std::uint32_t>(body.size()));
    return bytes + body;
}

std::string windowRecord(std::uint32_t currentTab) {
    std::string body(18, '\0');
    put16(body, 10, currentTab);
    return record(0x3D, body);
}

TEST(XlsActiveTab, Excel5BookStreamWithEightBitNames) {
    // BIFF5 sheet records: position (4 bytes), visibility, type, then a length and Latin-1 bytes.
    const auto sheet = [](const std::string& name) {
        return record(0x85, std::string(6, '\0') + static_cast<char>(name.size()) + name);
    };
    const std::string book = record(0x0809, std::string(8, '\0')) + windowRecord(1) +
                             sheet("Notes") + sheet("Pa\xEFrs") + record(0x0A, "");
    const std::string file = CompoundFileBuilder(9).build({{"Book", book}});
    EXPECT_EQ(activeTabOfXls(file), "Pa\xC3\xAFrs");
}

TEST(XlsActiveTab, Excel97WorkbookStreamWithWideNames) {
    // BIFF8 sheet records add an option byte: bit 0 set for two bytes a character.
    const std::string wide =
        std::string(6, '\0') + '\x02' + '\x01' + std::string("\x93\x03\xA1\x03", 4);
    const std::string narrow = std::string(6, '\0') + '\x05' + '\x00' + "Notes";
    const std::string stream = record(0x0809, std::string(16, '\0')) + windowRecord(0) +
                               record(0x85, wide) + record(0x85, narrow) + record(0x0A, "");
    EXPECT_EQ(activeTabOfXls(CompoundFileBuilder(12).build({{"Workbook", stream}})),
              "\xCE\x93\xCE\xA1");  // Greek capitals Gamma and Rho
    const std::string past = record(0x0809, std::string(16, '\0')) + windowRecord(5) +
                             record(0x85, narrow) + record(0x0A, "");
    EXPECT_EQ(activeTabOfXls(CompoundFileBuilder(9).build({{"Workbook", past}})), std::nullopt)
        << "a current tab beyond the sheets";
}

}  // namespace
}  // namespace kelvorad
