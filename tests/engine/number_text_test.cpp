#include "number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <random>

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

TEST(ParseLeadingNumber, ACommaBetweenDigitsIsADecimalComma) {
    EXPECT_DOUBLE_EQ(parseLeadingNumber("46,45"), 46.45);
    EXPECT_DOUBLE_EQ(parseLeadingNumber(" -0,5 "), -0.5);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("1,5E-2"), 0.015);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("1,234,5"), 1.234);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("3,"), 3.0);       // no digit after the comma
    EXPECT_DOUBLE_EQ(parseLeadingNumber(",5"), 0.0);       // no digit before it
    EXPECT_DOUBLE_EQ(parseLeadingNumber("0.12,5"), 0.12);  // a point came first
}

TEST(ReadCellNumber, TellsPlainNumbersFromTextReadByTheLeadingNumberRule) {
    struct Case {
        const char* text;
        double value;
        bool blank, hasNumber, plain, decimalComma;
    };
    const Case cases[] = {
        {"12.5", 12.5, false, true, true, false},      {" 12.5\t", 12.5, false, true, true, false},
        {"+4", 4.0, false, true, true, false},         {"5.", 5.0, false, true, true, false},
        {"1E-05", 1e-5, false, true, true, false},     {"46,45", 46.45, false, true, true, true},
        {"7.25 wt%", 7.25, false, true, false, false}, {"3e", 3.0, false, true, false, false},
        {"46,45 %", 46.45, false, true, false, true},  {"0.12,5", 0.12, false, true, false, false},
        {"n.d.", 0.0, false, false, false, false},     {"<0.01", 0.0, false, false, false, false},
        {"-", 0.0, false, false, false, false},        {"", 0.0, true, false, false, false},
        {" \t", 0.0, true, false, false, false},
    };
    for (const Case& c : cases) {
        const CellNumber reading = readCellNumber(c.text);
        EXPECT_DOUBLE_EQ(reading.value, c.value) << c.text;
        EXPECT_EQ(reading.blank, c.blank) << c.text;
        EXPECT_EQ(reading.hasNumber, c.hasNumber) << c.text;
        EXPECT_EQ(reading.plain, c.plain) << c.text;
        EXPECT_EQ(reading.decimalComma, c.decimalComma) << c.text;
    }
}

TEST(IsBlank, OnlyWhitespaceIsBlank) {
    EXPECT_TRUE(isBlank(""));
    EXPECT_TRUE(isBlank(" \t "));
    EXPECT_FALSE(isBlank(" 0 "));
}

namespace {
std::string printfG15(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", v);
    std::string s = text;
    return s == "-0" ? "0" : s;
}
}  // namespace

TEST(FormatNumber, AgreesWithPrintfOnManyValues) {
    // Edge values: powers of ten, values that round up to the next power, halves at the 15th
    // digit, the largest and smallest magnitudes.
    const double edges[] = {1.0,
                            10.0,
                            0.1,
                            1e14,
                            1e15,
                            1e-4,
                            1e-5,
                            9.999999999999995,
                            9.99999999999999,
                            999999999999999.5,
                            0.000099999999999999995,
                            123456789012345.5,
                            1.5e-300,
                            4.9e-324,
                            1.7976931348623157e308,
                            2.5e-15,
                            0.30000000000000004,
                            100.00000000000001,
                            5e-5,
                            12.5};
    for (double v : edges) {
        EXPECT_EQ(formatNumber(v), printfG15(v)) << v;
        EXPECT_EQ(formatNumber(-v), printfG15(-v)) << -v;
    }
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 300000; ++i) {
        const double v = mantissa(random) * std::pow(10.0, exponent(random));
        ASSERT_EQ(formatNumber(v), printfG15(v)) << v;
    }
    // Neighbours of powers of ten and of 15-digit rounding halves, where the scaling must be
    // exact to round the right way.
    for (int k = -12; k <= 40; ++k) {
        for (double base : {1.0, 9.999999999999995, 1.000000000000005, 2.345678901234565}) {
            double v = base * std::pow(10.0, k);
            for (int step = 0; step < 6; ++step) v = std::nextafter(v, 0.0);
            for (int step = 0; step < 12; ++step) {
                ASSERT_EQ(formatNumber(v), printfG15(v)) << v;
                v = std::nextafter(v, HUGE_VAL);
            }
        }
    }
    // Values with few digits and exact decimal halves, as analyses and sums produce them.
    for (int i = -20000; i <= 20000; ++i) {
        const double v = i / 8.0 + i * 1e-3;
        ASSERT_EQ(formatNumber(v), printfG15(v)) << v;
        ASSERT_EQ(formatNumber(i * 0.01), printfG15(i * 0.01));
    }
}
