#pragma once
// Folders in which writing fails, for tests of output targets: a small tmpfs that the test
// fills up, and a folder made read-only. Mounting needs root: without it a full file system
// is not available (usable() is false and the test skips), and a read-only folder is made by
// its permissions instead.

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kelvorad::testing {

class ScratchFolder {
  public:
    enum class Kind { SmallTmpfs, ReadOnly };

    ScratchFolder(const std::filesystem::path& folder, Kind kind) : folder_(folder), kind_(kind) {
        std::filesystem::create_directories(folder);
        const bool root = ::geteuid() == 0;
        if (kind == Kind::SmallTmpfs) {
            mounted_ = root && ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=1m") == 0;
            usable_ = mounted_;
        } else if (root) {
            // Root writes through permissions; only a read-only mount stops it.
            mounted_ = ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0;
            usable_ = mounted_ && ::mount(nullptr, folder.c_str(), nullptr,
                                          MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        } else {
            usable_ = ::chmod(folder.c_str(), 0555) == 0;
        }
    }
    ~ScratchFolder() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
        if (kind_ == Kind::ReadOnly && !mounted_) ::chmod(folder_.c_str(), 0755);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool usable() const { return usable_; }

    // Fills the file system until not one more byte fits.
    void fillUp() const {
        std::FILE* filler = std::fopen((folder_ / "filler").c_str(), "wb");
        if (!filler) return;
        std::setvbuf(filler, nullptr, _IONBF, 0);
        const std::vector<char> block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
        }
        while (std::fputc('x', filler) != EOF) {
        }
        std::fclose(filler);
    }

  private:
    std::filesystem::path folder_;
    Kind kind_;
    bool mounted_ = false;
    bool usable_ = false;
};

}  // namespace kelvorad::testing
