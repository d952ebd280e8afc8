// Results rows checked field by field against a second implementation written independently in
// another language from the published formulae (tests/data/independent_row.py).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "calculation_run.h"
#include "results_row.h"

using namespace kelvorad;

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

MethodChecks checksFor(const std::string& scheme, const std::string& pressure,
                       const std::string& options) {
    MethodChecks checks;
    checks.setChecked(*findMethodItem("Fe3" + scheme), true);
    checks.setChecked(*findMethodItem(pressure + "NNO"), true);
    for (const std::string& option : split(options, ',')) {
        if (!option.empty()) checks.setChecked(*findMethodItem(option), true);
    }
    return checks;
}

bool sameField(const std::string& expected, const std::string& actual) {
    if (expected == actual) return true;
    if (expected.empty() || actual.empty()) return false;
    char* endExpected = nullptr;
    char* endActual = nullptr;
    const double e = std::strtod(expected.c_str(), &endExpected);
    const double a = std::strtod(actual.c_str(), &endActual);
    if (*endExpected != '\0' || *endActual != '\0') return false;
    // The two implementations may differ in the last digit where a library power or
    // logarithm rounds differently.
    return std::fabs(e - a) <= 1e-12 * std::max(1.0, std::fabs(e));
}

}  // namespace

TEST(GoldenRows, EngineReproducesTheIndependentImplementation) {
    std::ifstream in(std::string(KELVORAD_TEST_DATA_DIR) + "/golden_rows.txt");
    ASSERT_TRUE(in) << "golden_rows.txt missing";
    std::string line;
    int cases = 0;
    while (std::getline(in, line)) {
        const auto sections = split(line, '|');
        ASSERT_EQ(sections.size(), 3u);
        const auto head = split(sections[0], ';');
        MethodChecks checks = checksFor(head[0], head[1], head.size() > 2 ? head[2] : "");
        CalculationRun run(checks);
        const auto cells = split(sections[1], '\t');
        const AnalysisPair pair = readAnalysisPair([&](int k) -> std::string_view {
            return k < int(cells.size()) ? std::string_view(cells[k]) : std::string_view();
        });
        const auto expected = split(sections[2], '\t');
        const auto actual = split(resultsRow(run.computePair(pair)), '\t');
        ASSERT_EQ(actual.size(), 134u);
        ASSERT_EQ(expected.size(), 134u);
        for (std::size_t c = 0; c < expected.size(); ++c) {
            EXPECT_TRUE(sameField(expected[c], actual[c]))
                << "case " << cases + 1 << " (" << sections[0] << "), column " << c
                << ": expected '" << expected[c] << "', engine wrote '" << actual[c] << "'";
        }
        ++cases;
    }
    EXPECT_GE(cases, 16);
}
