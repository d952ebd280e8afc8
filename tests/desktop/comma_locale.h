#pragma once
// A locale whose decimal separator is a comma (de_DE.UTF-8), for tests that start Kelvorad
// under one. When the machine has none it is built with localedef into a folder of the test's
// own, which LOCPATH then names for this process and the programs it starts.

#include <locale.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kelvorad::fakes {

inline constexpr const char* kCommaLocale = "de_DE.UTF-8";

inline bool localeExists(const char* name) {
    const locale_t locale = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr));
    if (!locale) return false;
    freelocale(locale);
    return true;
}

// True when kCommaLocale can be used, building it into `folder` when needed (and then setting
// LOCPATH, which the caller unsets when done).
inline bool makeCommaLocale(const std::filesystem::path& folder) {
    if (localeExists(kCommaLocale)) return true;
    std::filesystem::create_directories(folder);
    const std::string build =
        "localedef -i de_DE -f UTF-8 '" + (folder / kCommaLocale).string() + "' >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0 && !std::filesystem::exists(folder / kCommaLocale)) {
        return false;
    }
    setenv("LOCPATH", folder.c_str(), 1);
    return localeExists(kCommaLocale);
}

}  // namespace kelvorad::fakes
