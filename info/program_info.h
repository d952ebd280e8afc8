#pragma once
// Who and what the program is: its title, version, source revision and release year, and the
// e-mail that the About window's E-mail button hands to the desktop's mail program.

#include <string>
#include <string_view>

namespace kelvorad {

inline constexpr std::string_view kProgramTitle = "Kelvorad";
inline constexpr std::string_view kAuthorAddress = "kelvorad@example.org";
inline constexpr int kReleaseYear = 2026;

// The version the program was built as, "1.0.0".
std::string_view programVersion();

// The source revision the program was built from, "git 1f79c72" ("git 1f79c72-dirty" when
// tracked files differed from that commit); empty when it was not built from a git checkout.
std::string_view buildRevision();

// The line --version prints: "kelvorad 1.0.0 (git 1f79c72)", or "kelvorad 1.0.0" when the
// revision is empty.
std::string versionLine(std::string_view programName, std::string_view version,
                        std::string_view revision);
// versionLine() of this build.
std::string versionLine(std::string_view programName);

// The mailto link of the E-mail button: "mailto:" + author + "?subject=About Kelvorad" +
// "&body=" + title + "; " + date. The text is left as it is (not percent-encoded); the shell
// makes a URL of it.
std::string authorMailto(std::string_view programTitle, std::string_view dateText);

}  // namespace kelvorad
