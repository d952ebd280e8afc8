#pragma once
// Who and what the program is: its title, version and release year, and the e-mail that the
// About window's E-mail button hands to the desktop's mail program.

#include <string>
#include <string_view>

namespace kelvorad {

inline constexpr std::string_view kProgramTitle = "Kelvorad";
inline constexpr std::string_view kAuthorAddress = "kelvorad@example.org";
inline constexpr int kReleaseYear = 2026;

// The version the program was built as, "1.0.0".
std::string_view programVersion();

// The mailto link of the E-mail button: "mailto:" + author + "?subject=About Kelvorad" +
// "&body=" + title + "; " + date. The text is left as it is (not percent-encoded); the shell
// makes a URL of it.
std::string authorMailto(std::string_view programTitle, std::string_view dateText);

}  // namespace kelvorad
