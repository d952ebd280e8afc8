// The analytical uncertainty table: its defaults, the sigma it gives, and its text format.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sigma_table.h"

using namespace kelvorad;

TEST(SigmaTable, DefaultsAreTwoPerCentWithAFloorOfThreeHundredths) {
    const SigmaTable table;
    for (Phase phase : {Phase::magnetite, Phase::ilmenite}) {
        for (int k = 0; k < kOxideCount; ++k) {
            EXPECT_EQ(table.at(phase, k), (OxideSigma{SigmaKind::relative, 2.0, 0.03}));
        }
    }
    EXPECT_DOUBLE_EQ(table.sigmaWt(Phase::magnetite, FeO, 80.0), 1.6);
    EXPECT_DOUBLE_EQ(table.sigmaWt(Phase::ilmenite, TiO2, 45.0), 0.9);
    EXPECT_DOUBLE_EQ(table.sigmaWt(Phase::ilmenite, MnO, 0.5), 0.03) << "the floor";
    EXPECT_DOUBLE_EQ(table.sigmaWt(Phase::ilmenite, MnO, -5.0), 0.1) << "of the magnitude";
}

TEST(SigmaTable, AbsoluteSigmaIgnoresTheValueButKeepsItsFloor) {
    EXPECT_DOUBLE_EQ((OxideSigma{SigmaKind::absolute, 0.4, 0.0}).sigmaWt(80.0), 0.4);
    EXPECT_DOUBLE_EQ((OxideSigma{SigmaKind::absolute, 0.4, 0.0}).sigmaWt(0.1), 0.4);
    EXPECT_DOUBLE_EQ((OxideSigma{SigmaKind::absolute, 0.01, 0.05}).sigmaWt(3.0), 0.05);
}

TEST(SigmaTable, UniformRelativeSigmaSetsEveryOxideAndKeepsOrChangesTheFloor) {
    const SigmaTable three = uniformRelativeSigma(3.0);
    const SigmaTable floored = uniformRelativeSigma(1.5, 0.05);
    for (Phase phase : {Phase::magnetite, Phase::ilmenite}) {
        for (int k = 0; k < kOxideCount; ++k) {
            EXPECT_EQ(three.at(phase, k), (OxideSigma{SigmaKind::relative, 3.0, 0.03}));
            EXPECT_EQ(floored.at(phase, k), (OxideSigma{SigmaKind::relative, 1.5, 0.05}));
        }
    }
}

TEST(SigmaText, ReadsLinesCommentsWildcardsAndOverrides) {
    const SigmaParseResult r = parseSigmaText(
        "# my probe session\r\n"
        "\n"
        "*   *    rel 1.5          # everything first\n"
        "mt  TiO2 rel 2 floor 0.05\n"
        "ilm feo  ABS 0.4\n"
        "  ilm *  abs 0.02 floor 0.01\n"
        "ilm MgO  rel 5\n");
    ASSERT_TRUE(r.table) << r.error;
    const SigmaTable& t = *r.table;
    EXPECT_EQ(t.at(Phase::magnetite, FeO), (OxideSigma{SigmaKind::relative, 1.5, 0.03}));
    EXPECT_EQ(t.at(Phase::magnetite, TiO2), (OxideSigma{SigmaKind::relative, 2.0, 0.05}));
    EXPECT_EQ(t.at(Phase::ilmenite, FeO), (OxideSigma{SigmaKind::absolute, 0.02, 0.01}))
        << "a later line overrides an earlier one";
    EXPECT_EQ(t.at(Phase::ilmenite, TiO2), (OxideSigma{SigmaKind::absolute, 0.02, 0.01}));
    EXPECT_EQ(t.at(Phase::ilmenite, MgO), (OxideSigma{SigmaKind::relative, 5.0, 0.03}));
}

TEST(SigmaText, EmptyTextGivesTheDefaultsAndWrittenTextReadsBackTheSame) {
    ASSERT_TRUE(parseSigmaText("").table);
    EXPECT_EQ(*parseSigmaText("").table, SigmaTable{});
    EXPECT_EQ(*parseSigmaText("# only a comment").table, SigmaTable{});

    SigmaTable table = uniformRelativeSigma(1.25, 0.02);
    table.set(Phase::ilmenite, FeO, {SigmaKind::absolute, 0.4, 0.0});
    table.set(Phase::magnetite, MnO, {SigmaKind::absolute, 0.015, 0.02});
    table.set(Phase::magnetite, SiO2, {SigmaKind::relative, 1e-5, 0.0});
    const std::string text = sigmaText(table);
    EXPECT_NE(text.find("ilm FeO abs 0.4\n"), std::string::npos) << text;
    EXPECT_NE(text.find("mt TiO2 rel 1.25 floor 0.02\n"), std::string::npos) << text;
    const SigmaParseResult back = parseSigmaText(text);
    ASSERT_TRUE(back.table) << back.error;
    EXPECT_EQ(*back.table, table);
}

TEST(SigmaText, ErrorsNameTheLineAndWhatIsWrong) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"mt TiO2 rel 2\nmag FeO rel 2", "line 2: unknown phase \"mag\" (expected mt, ilm or *)"},
        {"\n\nilm TiO3 abs 1", "line 3: unknown oxide \"TiO3\""},
        {"ilm", "line 1: missing oxide"},
        {"ilm FeO", "line 1: missing rel or abs"},
        {"ilm FeO pct 2", "line 1: expected rel or abs, found \"pct\""},
        {"ilm FeO rel", "line 1: missing sigma value after rel"},
        {"ilm FeO rel -1", "line 1: sigma \"-1\" is not a number of 0 or more"},
        {"ilm FeO rel 1,5", "line 1: sigma \"1,5\" is not a number of 0 or more"},
        {"ilm FeO rel nan", "line 1: sigma \"nan\" is not a number"},
        {"ilm FeO rel inf", "line 1: sigma \"inf\" is not a number"},
        {"ilm FeO rel 2%", "line 1: sigma \"2%\" is not a number"},
        {"ilm FeO rel 2 floor", "line 1: missing value after floor"},
        {"ilm FeO rel 2 floor x", "line 1: floor \"x\" is not a number"},
        {"ilm FeO rel 2 floor 0.1 extra", "line 1: unexpected \"extra\" at the end"},
        {"ilm FeO rel 2 0.1", "line 1: unexpected \"0.1\" at the end"},
    };
    for (const Case& c : cases) {
        const SigmaParseResult r = parseSigmaText(c.text);
        EXPECT_FALSE(r.table) << c.text;
        EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << c.text << " gave: " << r.error;
    }
}

TEST(SigmaFile, ErrorsNameTheFile) {
    const auto dir = std::filesystem::temp_directory_path() / "kelvorad_sigma_file_test";
    std::filesystem::create_directories(dir);
    const auto good = dir / "good.txt";
    const auto bad = dir / "bad.txt";
    std::ofstream(good) << "ilm FeO abs 0.4\n";
    std::ofstream(bad) << "# probe\nilm FeO abs -0.4\n";

    const SigmaParseResult read = readSigmaFile(good);
    ASSERT_TRUE(read.table) << read.error;
    EXPECT_EQ(read.table->at(Phase::ilmenite, FeO), (OxideSigma{SigmaKind::absolute, 0.4, 0.0}));
    EXPECT_EQ(readSigmaFile(bad).error,
              bad.string() + " line 2: sigma \"-0.4\" is not a number of 0 or more");
    EXPECT_EQ(readSigmaFile(dir / "none.txt").error,
              (dir / "none.txt").string() + ": cannot be read");
    std::filesystem::remove_all(dir);
}
