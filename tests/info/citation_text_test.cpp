// The citation text: the program first, then each published method in full, once.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "citation_text.h"

namespace kelvorad {
namespace {

std::vector<std::string> paragraphs(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (end > start) lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// What a reader needs to find each paper: first author, year, a piece of the title, and the
// journal with volume and pages.
struct Expected {
    const char* firstAuthor;
    const char* year;
    const char* titlePart;
    const char* source;
};

constexpr std::array<Expected, 20> kExpected{{
    {"Carmichael", "(1967)", "iron-titanium oxides of salic volcanic rocks",
     "Contributions to Mineralogy and Petrology 14, 36–64"},
    {"Anderson", "(1968)", "LaBlache Lake titaniferous magnetite deposit, Quebec",
     "Journal of Geology 76, 528–547"},
    {"Lindsley", "(1982)", "reducing analyses of coexisting Ti-magnetite (Mt) and ilmenite (Ilm)",
     "Eos Transactions, American Geophysical Union 63, 471"},
    {"Stormer", "(1983)", "effects of recalculation on estimates of temperature",
     "American Mineralogist 68, 586–594"},
    {"Droop", "(1987)", "estimating Fe3+ concentrations",
     "Mineralogical Magazine 51, 431–435. doi:10.1180/minmag.1987.051.361.10"},
    {"Powell", "(1977)", "oxygen barometry using coexisting iron-titanium oxides: a reappraisal",
     "Mineralogical Magazine 41, 257–263"},
    {"Spencer", "(1981)", "solution model for coexisting iron-titanium oxides",
     "American Mineralogist 66, 1189–1201"},
    {"Andersen", "(1985)", "New (and final!) models for the Ti-magnetite/ilmenite",
     "Eos Transactions, American Geophysical Union 66, 416"},
    {"Bacon", "(1988)", "Mg/Mn partitioning as a test for equilibrium",
     "American Mineralogist 73, 57–61"},
    {"Sauerzapf", "(2008)", "titanomagnetite–ilmenite equilibrium: new experimental data",
     "Journal of Petrology 49, 1161–1185. doi:10.1093/petrology/egn021"},
    {"Ghiorso", "(2008)", "rhombohedral oxide solid solutions",
     "American Journal of Science 308, 957–1039. doi:10.2475/09.2008.01"},
    {"Berman", "(1988)", "Internally-consistent thermodynamic data",
     "Journal of Petrology 29, 445–522. doi:10.1093/petrology/29.2.445"},
    {"Sack", "(1991a)", "Fe-Mg-titanomagnetite-aluminate spinels",
     "Contributions to Mineralogy and Petrology 106, 474–505"},
    {"Sack", "(1991b)", "Chromian spinels as petrogenetic indicators",
     "American Mineralogist 76, 827–847"},
    {"Ghiorso", "(1991)", "Fe-Ti oxide geothermometry: thermodynamic formulation",
     "Contributions to Mineralogy and Petrology 108, 485–510"},
    {"Ghiorso", "(2012)", "activity of titania in magmatic liquids",
     "Contributions to Mineralogy and Petrology 165, 73–81"},
    {"O'Neill", "(1993)", "Thermodynamic data from redox reactions at high temperatures",
     "Contributions to Mineralogy and Petrology 114, 296–314. doi:10.1007/BF01046533"},
    {"Frost", "(1991)", "Introduction to oxygen fugacity", "Reviews in Mineralogy 25, 1–9"},
    {"Buddington", "(1964)", "Iron-titanium oxide minerals and synthetic equivalents",
     "Journal of Petrology 5, 310–357. doi:10.1093/petrology/5.2.310"},
    {"Lattard", "(2005)", "New calibration data for the Fe-Ti oxide thermo-oxybarometers",
     "Contributions to Mineralogy and Petrology 149, 735–754"},
}};

TEST(CitationText, CitesTheProgramBeforeTheMethods) {
    const std::string program = programCitation();
    EXPECT_TRUE(contains(program, "Kelvorad")) << program;
    EXPECT_TRUE(contains(program, std::string("version ") + KELVORAD_EXPECTED_VERSION)) << program;
    EXPECT_TRUE(contains(program, "2026")) << program;

    const std::string text = citationText();
    const std::size_t programAt = text.find(program);
    ASSERT_NE(programAt, std::string::npos) << text;
    for (const Expected& expected : kExpected) {
        EXPECT_LT(programAt, text.find(expected.source)) << expected.firstAuthor;
    }
}

TEST(CitationText, HoldsEveryMethodInFullOnItsOwnParagraphOnce) {
    const std::vector<std::string> lines = paragraphs(citationText());
    ASSERT_EQ(methodReferences().size(), kExpected.size());
    for (const Expected& expected : kExpected) {
        int found = 0;
        for (const std::string& line : lines) {
            if (!line.starts_with(expected.firstAuthor) || !contains(line, expected.year)) continue;
            ++found;
            EXPECT_TRUE(contains(line, expected.titlePart)) << line;
            EXPECT_TRUE(contains(line, expected.source)) << line;
        }
        EXPECT_EQ(found, 1) << expected.firstAuthor << " " << expected.year;
    }
}

}  // namespace
}  // namespace kelvorad
