#include "recent_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kelvorad {

namespace {
// The same file written two ways ("data/../a.mi", "a.mi" from the working folder) is one
// entry: every path is kept absolute and without "." and ".." parts.
std::string normalPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

std::string menuText(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        escaped += c;
        if (c == '&') escaped += '&';
    }
    return escaped;
}
}  // namespace

RecentFiles::RecentFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (path.empty() || std::find(paths_.begin(), paths_.end(), path) != paths_.end()) continue;
        paths_.push_back(path);
        if (paths_.size() == kMaximum) break;
    }
}

void RecentFiles::add(const std::string& path) {
    if (path.empty()) return;
    const std::string entry = normalPath(path);
    paths_.erase(std::remove(paths_.begin(), paths_.end(), entry), paths_.end());
    paths_.insert(paths_.begin(), entry);
    if (paths_.size() > kMaximum) paths_.resize(kMaximum);
}

bool RecentFiles::pruneMissing(const std::function<bool(const std::string&)>& exists) {
    const auto gone = std::remove_if(paths_.begin(), paths_.end(),
                                     [&exists](const std::string& path) { return !exists(path); });
    const bool pruned = gone != paths_.end();
    paths_.erase(gone, paths_.end());
    return pruned;
}

bool RecentFiles::isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string recentFileCaption(std::size_t index, const std::string& path) {
    const std::filesystem::path file(path);
    std::string caption = "&";
    caption += std::to_string(index + 1);
    caption += ' ';
    caption += menuText(file.filename().string());
    caption += "  (";
    caption += menuText(file.parent_path().string());
    caption += ")";
    return caption;
}

}  // namespace kelvorad
