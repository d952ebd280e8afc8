// The E-mail button's link and the program's identity.
#include <gtest/gtest.h>

#include "program_info.h"

namespace kelvorad {
namespace {

TEST(AuthorMailto, IsTheLinkWithTitleAndDateInTheBody) {
    EXPECT_EQ(authorMailto("Kelvorad", "03/05/2026"),
              "mailto:kelvorad@example.org?subject=About Kelvorad&body=Kelvorad; 03/05/2026");
    // The date comes as the system writes it, whatever its form, and is passed on untouched.
    EXPECT_EQ(authorMailto("Kelvorad", "2026-05-03"),
              "mailto:kelvorad@example.org?subject=About Kelvorad&body=Kelvorad; 2026-05-03");
    EXPECT_EQ(authorMailto("Other", ""),
              "mailto:kelvorad@example.org?subject=About Kelvorad&body=Other; ");
}

TEST(ProgramInfo, VersionIsTheBuiltProjectVersion) {
    EXPECT_EQ(kProgramTitle, "Kelvorad");
    EXPECT_EQ(programVersion(), KELVORAD_EXPECTED_VERSION);
}

}  // namespace
}  // namespace kelvorad
