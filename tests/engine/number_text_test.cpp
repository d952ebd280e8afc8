#include "number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

using namespace kelvorad;

TEST(FormatNumber, WritesGeneralFormatWithFifteenSignificantDigits) {
    EXPECT_EQ(formatNumber(12.5), "12.5");
    EXPECT_EQ(formatNumber(0.5), "0.5");
    EXPECT_EQ(formatNumber(1e-5), "1E-05");
    EXPECT_EQ(formatNumber(0.0001), "0.0001");
    EXPECT_EQ(formatNumber(123456789012345678.0), "1.23456789012346E+17");
    EXPECT_EQ(formatNumber(100.0), "100");
    EXPECT_EQ(formatNumber(1e15), "1E+15");
    EXPECT_EQ(formatNumber(123456789012345.0), "123456789012345");
    EXPECT_EQ(formatNumber(-3.25), "-3.25");
    EXPECT_EQ(formatNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(formatNumber(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0.3");
}

TEST(FormatNumber, NegativeZeroIsZeroAndMissingIsEmpty) {
    EXPECT_EQ(formatNumber(-0.0), "0");
    EXPECT_EQ(formatNumber(kMissing), "");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity()), "");
}

TEST(FormatNumber, IgnoresTheUsersLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) std::setlocale(LC_ALL, "C");
    EXPECT_EQ(formatNumber(12.5), "12.5");
    EXPECT_DOUBLE_EQ(parseLeadingNumber("12.5"), 12.5);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(ParseLeadingNumber, ReadsTheLeadingDecimalNumber) {
    EXPECT_DOUBLE_EQ(parseLeadingNumber("12.50"), 12.5);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("  -3.5"), -3.5);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("\t+4"), 4.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("5."), 5.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("1.5e2"), 150.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("1.5E-2x"), 0.015);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("3e"), 3.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("3e+"), 3.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("7.25 wt%"), 7.25);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("0.12,5"), 0.12);
}

TEST(ParseLeadingNumber, AnythingElseReadsAsZero) {
    EXPECT_EQ(parseLeadingNumber(""), 0.0);
    EXPECT_EQ(parseLeadingNumber("   "), 0.0);
    EXPECT_EQ(parseLeadingNumber("n.d."), 0.0);
    EXPECT_EQ(parseLeadingNumber("-"), 0.0);
    EXPECT_EQ(parseLeadingNumber("."), 0.0);
    EXPECT_EQ(parseLeadingNumber("+.e5"), 0.0);
    EXPECT_EQ(parseLeadingNumber("<0.01"), 0.0);
    EXPECT_EQ(parseLeadingNumber("1e-999"), 0.0);
    EXPECT_TRUE(std::isinf(parseLeadingNumber("1e999")));
}

TEST(IsBlank, OnlyWhitespaceIsBlank) {
    EXPECT_TRUE(isBlank(""));
    EXPECT_TRUE(isBlank(" \t "));
    EXPECT_FALSE(isBlank(" 0 "));
}
