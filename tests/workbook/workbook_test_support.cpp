#include "workbook_test_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace kelvorad::testing {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("kelvorad-workbook-" + std::to_string(random()));
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::vector<std::string> ScratchFolder::fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

fs::path fixture(const std::string& name) {
    return fs::path(KELVORAD_TEST_DATA_DIR) / "workbooks" / name;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

}  // namespace kelvorad::testing

// A leak the sanitizer build must not count against this program, shown with a plain C
// program that calls only glibc: newlocale() with LOCPATH set keeps the locale path it split
// (the comma-locale test builds its locale in a scratch folder when the machine has none).
extern "C" const char* __lsan_default_suppressions() {
    return "leak:__argz_add_sep\n";
}
