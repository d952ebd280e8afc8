#pragma once
// What identifies one version of a file on disk, to notice that another program changed it.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace kelvorad::detail {

// A file's modification time and size.
struct FileStamp {
    std::filesystem::file_time_type modified;
    std::uintmax_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path`, or nullopt when there is none.
std::optional<FileStamp> stampOf(const std::filesystem::path& path);

}  // namespace kelvorad::detail
