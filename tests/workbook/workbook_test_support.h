#pragma once
// Helpers shared by the workbook tests: a scratch folder, a recording shell, file access.

#include <filesystem>
#include <string>
#include <vector>

#include "desktop_services.h"

namespace kelvorad::testing {

// A fresh, empty folder removed again at the end of the test.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // The names of the files in the folder, sorted.
    std::vector<std::string> fileNames() const;

  private:
    std::filesystem::path path_;
};

// A shell that records the documents it was asked to open.
class RecordingShell : public Shell {
  public:
    bool openDocument(const std::string& pathOrUrl) override {
        opened.push_back(pathOrUrl);
        return accept;
    }
    bool startDetached(const std::string&, const std::vector<std::string>&,
                       const std::string&) override {
        return false;
    }
    std::vector<std::string> opened;
    bool accept = true;
};

std::filesystem::path fixture(const std::string& name);
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& content);

}  // namespace kelvorad::testing
