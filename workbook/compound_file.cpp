#include "compound_file.h"
#include "little_endian.h"

#include <cctype>
#include <cstdint>
#include <vector>
#include "compound_file_layout.h"

namespace kelvorad {

namespace {

using namespace compound_file_layout;

class CompoundFile {
  public:
    explicit CompoundFile(std::string_view file) : file_(file) {}

    bool load() {
        if (file_.size() < kHeaderSize || file_.substr(0, kMagic.size()) != kMagic) return false;
        const std::uint32_t sectorShift = read16(file_, 0x1E);
        const std::uint32_t miniShift = read16(file_, 0x20);
        if ((sectorShift != 9 && sectorShift != 12) || miniShift != 6) return false;
        sectorSize_ = std::size_t{1} << sectorShift;
        miniSectorSize_ = std::size_t{1} << miniShift;
        miniCutoff_ = read32(file_, 0x38);
        return loadFat() && loadDirectory() && loadMiniStream();
    }

    std::optional<std::string> stream(std::string_view name) const {
        for (std::size_t at = 0; at + kDirectoryEntrySize <= directory_.size();
             at += kDirectoryEntrySize) {
            const std::string_view entry(directory_.data() + at, kDirectoryEntrySize);
            if (static_cast<std::uint8_t>(entry[0x42]) != kStreamObject) continue;
            if (!nameMatches(entry, name)) continue;
            const std::uint32_t start = read32(entry, 0x74);
            const std::uint32_t size = read32(entry, 0x78);
            auto content = size < miniCutoff_ ? miniChain(start) : chain(start);
            if (!content || content->size() < size) return std::nullopt;
            content->resize(size);
            return content;
        }
        return std::nullopt;
    }

  private:
    // No chain can be longer than the file has sectors; a longer one loops.
    std::size_t sectorCount() const { return file_.size() / sectorSize_; }

    const char* sector(std::uint32_t index) const {
        const std::size_t offset = (static_cast<std::size_t>(index) + 1) * sectorSize_;
        if (index > kMaxRegularSector || offset + sectorSize_ > file_.size()) return nullptr;
        return file_.data() + offset;
    }

    bool loadFat() {
        std::vector<std::uint32_t> fatSectors;
        const std::size_t fatCount = read32(file_, 0x2C);
        if (fatCount > sectorCount()) return false;  // more than the file can hold
        for (std::size_t i = 0; i < kHeaderDifatEntries && fatSectors.size() < fatCount; ++i) {
            fatSectors.push_back(read32(file_, 0x4C + 4 * i));
        }
        // Further FAT sector numbers sit in a chain of DIFAT sectors, the last entry of each
        // pointing to the next.
        std::uint32_t difat = read32(file_, 0x44);
        const std::size_t perDifat = sectorSize_ / 4 - 1;
        for (std::size_t guard = 0; fatSectors.size() < fatCount; ++guard) {
            const char* data = sector(difat);
            if (!data || guard > sectorCount()) return false;
            const std::string_view view(data, sectorSize_);
            for (std::size_t i = 0; i < perDifat && fatSectors.size() < fatCount; ++i) {
                fatSectors.push_back(read32(view, 4 * i));
            }
            difat = read32(view, 4 * perDifat);
        }
        for (std::uint32_t index : fatSectors) {
            const char* data = sector(index);
            if (!data) return false;
            const std::string_view view(data, sectorSize_);
            for (std::size_t i = 0; i < sectorSize_ / 4; ++i) fat_.push_back(read32(view, 4 * i));
        }
        return !fat_.empty();
    }

    // The sectors of a chain in the FAT, joined; nullopt if it loops or leaves the file.
    std::optional<std::string> chain(std::uint32_t start) const {
        std::string content;
        std::uint32_t index = start;
        for (std::size_t steps = 0; index != kEndOfChain; ++steps) {
            const char* data = sector(index);
            if (!data || index >= fat_.size() || steps > sectorCount()) return std::nullopt;
            content.append(data, sectorSize_);
            index = fat_[index];
        }
        return content;
    }

    std::optional<std::string> miniChain(std::uint32_t start) const {
        std::string content;
        std::uint32_t index = start;
        for (std::size_t steps = 0; index != kEndOfChain; ++steps) {
            const std::size_t offset = static_cast<std::size_t>(index) * miniSectorSize_;
            if (index >= miniFat_.size() || steps > miniStream_.size() / miniSectorSize_ ||
                offset + miniSectorSize_ > miniStream_.size()) {
                return std::nullopt;
            }
            content.append(miniStream_, offset, miniSectorSize_);
            index = miniFat_[index];
        }
        return content;
    }

    bool loadDirectory() {
        auto directory = chain(read32(file_, 0x30));
        if (!directory || directory->size() < kDirectoryEntrySize) return false;
        directory_ = std::move(*directory);
        return static_cast<std::uint8_t>(directory_[0x42]) == kRootObject;
    }

    bool loadMiniStream() {
        const std::uint32_t miniFatStart = read32(file_, 0x3C);
        if (read32(file_, 0x40) == 0 || miniFatStart == kEndOfChain) return true;  // none
        auto miniFat = chain(miniFatStart);
        auto miniStream = chain(read32(directory_, 0x74));
        if (!miniFat || !miniStream) return false;
        for (std::size_t i = 0; i + 4 <= miniFat->size(); i += 4) {
            miniFat_.push_back(read32(*miniFat, i));
        }
        miniStream_ = std::move(*miniStream);
        return true;
    }

    static bool nameMatches(std::string_view entry, std::string_view name) {
        const std::size_t length = read16(entry, 0x40);  // bytes, with the closing zero
        if (length != (name.size() + 1) * 2) return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            const std::uint32_t unit = read16(entry, 2 * i);
            if (unit > 0x7F || std::tolower(static_cast<int>(unit)) !=
                                   std::tolower(static_cast<unsigned char>(name[i]))) {
                return false;
            }
        }
        return true;
    }

    std::string_view file_;
    std::size_t sectorSize_ = 512;
    std::size_t miniSectorSize_ = 64;
    std::uint32_t miniCutoff_ = 4096;
    std::vector<std::uint32_t> fat_;
    std::vector<std::uint32_t> miniFat_;
    std::string directory_;
    std::string miniStream_;
};

}  // namespace

std::optional<std::string> readCompoundFileStream(std::string_view file, std::string_view name) {
    CompoundFile compound(file);
    if (!compound.load()) return std::nullopt;
    return compound.stream(name);
}

}  // namespace kelvorad
