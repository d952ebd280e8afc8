// The E-mail button's link and the program's identity.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

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

TEST(ProgramInfo, RevisionIsAShortCommitOrNothing) {
    const std::string revision(buildRevision());
    // This tree is a git checkout; a source archive would give an empty revision.
    EXPECT_TRUE(std::regex_match(revision, std::regex("git [0-9a-f]{7,}(-dirty)?"))) << revision;
}

TEST(ProgramInfo, VersionLineNamesTheRevisionWhenThereIsOne) {
    EXPECT_EQ(versionLine("kelvorad", "1.0.0", "git 1f79c72"), "kelvorad 1.0.0 (git 1f79c72)");
    EXPECT_EQ(versionLine("kelvorad-window", "1.2.3", "git 1f79c72-dirty"),
              "kelvorad-window 1.2.3 (git 1f79c72-dirty)");
    EXPECT_EQ(versionLine("kelvorad", "1.0.0", ""), "kelvorad 1.0.0");
    EXPECT_EQ(versionLine("kelvorad"),
              "kelvorad " KELVORAD_EXPECTED_VERSION " (" + std::string(buildRevision()) + ")");
}

TEST(ProgramInfo, ManualDescribesThisVersion) {
    std::ifstream in(KELVORAD_SHARE_DIR "/help/kelvorad.html");
    const std::string manual{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(manual.empty());
    EXPECT_NE(manual.find("This manual describes Kelvorad " KELVORAD_EXPECTED_VERSION "."),
              std::string::npos);
}

}  // namespace
}  // namespace kelvorad
