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

constexpr std::array<Expected, 11> kExpected{{
    {"Carmichael", "(1967)", "iron-titanium oxides of salic volcanic rocks",
     "Contributions to Mineralogy and Petrology 14, 36–64"},
    {"Anderson", "(1968)", "LaBlache Lake titaniferous magnetite deposit, Quebec",
     "Journal of Geology 76, 528–547"},
    {"Lindsley", "(1982)", "reducing analyses of coexisting Ti-magnetite (Mt) and ilmenite (Ilm)",
     "Eos Transactions, American Geophysical Union 63, 471"},
    {"Stormer", "(1983)", "effects of recalculation on estimates of temperature",
     "American Mineralogist 68, 586–594"},
    {"Droop", "(1987)", "estimating Fe3+ concentrations", "Mineralogical Magazine 51, 431–435"},
    {"Powell", "(1977)", "oxygen barometry using coexisting iron-titanium oxides: a reappraisal",
     "Mineralogical Magazine 41, 257–263"},
    {"Spencer", "(1981)", "solution model for coexisting iron-titanium oxides",
     "American Mineralogist 66, 1189–1201"},
    {"Andersen", "(1985)", "New (and final!) models for the Ti-magnetite/ilmenite",
     "Eos Transactions, American Geophysical Union 66, 416"},
    {"Bacon", "(1988)", "Mg/Mn partitioning as a test for equilibrium",
     "American Mineralogist 73, 57–61"},
    {"Sauerzapf", "(2008)", "titanomagnetite–ilmenite equilibrium: new experimental data",
     "Journal of Petrology 49, 1161–1185"},
    {"Ghiorso", "(2008)", "rhombohedral oxide solid solutions",
     "American Journal of Science 308, 957–1039"},
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
