#pragma once
// What the fuzz harnesses share: a failed property stops the run with a message, so that
// libFuzzer keeps the input as a crash; inputs too large for a reader are skipped.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

namespace kelvorad::fuzz {

inline void require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", property);
    std::abort();
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A file of this process for readers that take a path, in /dev/shm when there is one (so
// that writing it each run costs no disk).
inline const std::filesystem::path& scratchFile(const char* extension) {
    static const std::filesystem::path path = [extension] {
        std::error_code error;
        std::filesystem::path folder = "/dev/shm";
        if (!std::filesystem::is_directory(folder, error)) {
            folder = std::filesystem::temp_directory_path();
        }
        return folder / ("kelvorad-fuzz-" + std::to_string(getpid()) + extension);
    }();
    return path;
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    require(static_cast<bool>(out), "the scratch file can be written");
}

// Removes the scratch file when the process ends normally.
struct ScratchFileRemover {
    std::filesystem::path path;
    ~ScratchFileRemover() {
        std::error_code error;
        std::filesystem::remove(path, error);
    }
};

}  // namespace kelvorad::fuzz
