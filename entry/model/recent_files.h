#pragma once
// The analysis files opened or saved most recently, newest first, as the File menu's Recent
// Files submenu lists them. Plain data: the window stores the list between starts and decides
// when a file counts as used.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kelvorad {

class RecentFiles {
  public:
    static constexpr std::size_t kMaximum = 8;

    // A stored list, newest first. Empty entries and later repeats of a file are dropped, and
    // the list is cut to kMaximum.
    explicit RecentFiles(const std::vector<std::string>& paths = {});

    // Puts a file first, as an absolute path; an earlier entry of the same file moves up
    // rather than repeating, and the oldest entry beyond kMaximum falls off. An empty path
    // changes nothing.
    void add(const std::string& path);

    // Drops the entries for which `exists` answers false (by default: no regular file there
    // any more). Returns true when any was dropped.
    bool pruneMissing(const std::function<bool(const std::string&)>& exists = isRegularFile);

    const std::vector<std::string>& paths() const { return paths_; }

    static bool isRegularFile(const std::string& path);

  private:
    std::vector<std::string> paths_;
};

// The menu text of the entry at `index` (0 for the newest): "&1 name.mi  (folder)", with an
// "&" of the path doubled so that it shows rather than marking a shortcut key.
std::string recentFileCaption(std::size_t index, const std::string& path);

}  // namespace kelvorad
