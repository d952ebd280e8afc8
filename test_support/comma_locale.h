#pragma once
// A locale whose decimal separator is a comma (de_DE.UTF-8), for tests that run Kelvorad under
// one. When the machine has none it is built with localedef into a folder of the test's own,
// which LOCPATH must then name.

#include <locale.h>

#include <cstdlib>
#include <filesystem>
#include <locale>
#include <optional>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace kelvorad::fakes {

inline constexpr const char* kCommaLocale = "de_DE.UTF-8";

// The folder LOCPATH must name for kCommaLocale: empty when the machine has the locale, nullopt
// when it cannot be had. Builds it into `folder` when needed.
inline std::optional<std::filesystem::path> commaLocalePath(const std::filesystem::path& folder) {
    if (const locale_t installed =
            newlocale(LC_ALL_MASK, kCommaLocale, static_cast<locale_t>(nullptr))) {
        freelocale(installed);
        return std::filesystem::path();
    }
    std::filesystem::create_directories(folder);
    const std::filesystem::path built = folder / kCommaLocale;
    // localedef may end with status 1 over mere warnings: the files it wrote decide.
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + built.string() + "' >/dev/null 2>&1";
    [[maybe_unused]] const int status = std::system(command.c_str());
    if (!std::filesystem::exists(built / "LC_NUMERIC")) return std::nullopt;
    return folder;
}

// kCommaLocale as a C++ locale (LOCPATH set as commaLocalePath asked). glibc's newlocale keeps
// its parsed copy of LOCPATH for good, which the leak checker would lay at the test's door.
inline std::locale commaCppLocale() {
#if defined(__SANITIZE_ADDRESS__)
    __lsan::ScopedDisabler notTheTestsLeak;
#endif
    return std::locale(kCommaLocale);
}

}  // namespace kelvorad::fakes
