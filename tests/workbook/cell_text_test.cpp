// How texts become cells and cells become texts: number recognition on put, dates and times.
#include <gtest/gtest.h>

#include <cmath>

#include "cell_entry.h"
#include "date_text.h"
#include "ooxml_text.h"

namespace kelvorad {
namespace {

TEST(WholeNumberValue, AcceptsDecimalNumbersWithBlanksAround) {
    EXPECT_EQ(wholeNumberValue("12.5"), 12.5);
    EXPECT_EQ(wholeNumberValue("  -3 "), -3.0);
    EXPECT_EQ(wholeNumberValue("\t+.5"), 0.5);
    EXPECT_EQ(wholeNumberValue("5."), 5.0);
    EXPECT_EQ(wholeNumberValue("1E-05"), 1e-5);
    EXPECT_EQ(wholeNumberValue("2.5e+3"), 2500.0);
}

TEST(WholeNumberValue, RefusesEverythingElse) {
    for (const char* text : {"", " ", "1,5", "12.5 ppm", "0x10", "inf", "nan", "1e", "e5", ".", "-",
                             "1.2.3", "1E+400", "1E-400", "Passed", "12 5"}) {
        EXPECT_FALSE(wholeNumberValue(text).has_value()) << text;
    }
}

TEST(EnteredCell, NumbersAreStoredAsNumbersAndShownInGeneralFormat) {
    auto cell = enteredCell(" 12.50");
    ASSERT_TRUE(cell.ok());
    EXPECT_EQ(cell->kind, CellKind::Number);
    EXPECT_EQ(cell->number, 12.5);
    EXPECT_EQ(cell->text, "12.5");
    EXPECT_EQ(enteredCell("3.14159265358979323846")->text, "3.14159265358979");
    EXPECT_EQ(enteredCell("-0")->text, "0");
}

TEST(EnteredCell, OtherTextsStayTextAndTheEmptyTextEmptiesTheCell) {
    EXPECT_EQ(enteredCell("Passed")->kind, CellKind::Text);
    EXPECT_EQ(enteredCell("Passed")->text, "Passed");
    EXPECT_EQ(enteredCell("")->kind, CellKind::Empty);
    EXPECT_EQ(enteredCell(" ")->kind, CellKind::Text);  // a blank is kept, not a number
}

TEST(EnteredCell, BytesThatAreNotUtf8AreReadAsLatin1) {
    // "25°C" written by a Latin-1 editor: the degree sign is the single byte 0xB0.
    EXPECT_EQ(enteredCell("25\xB0"
                          "C")
                  ->text,
              "25\xC2\xB0"
              "C");
    EXPECT_EQ(enteredCell("T \xC2\xB0"
                          "C")
                  ->text,
              "T \xC2\xB0"
              "C");                                        // valid UTF-8 unchanged
    EXPECT_EQ(validUtf8("\xE2\x82"), "\xC3\xA2\xC2\x82");  // truncated sequence
}

TEST(EnteredCell, DropsNulCharactersNoWorkbookCanHold) {
    EXPECT_EQ(enteredCell(std::string("Fe\0O", 4))->text, "FeO");
}

TEST(OoxmlEscapes, ControlCharactersAndLiteralSequencesRoundTrip) {
    EXPECT_EQ(decodeOoxmlEscapes("a_x0007_b_x000a_"),
              "a\x07"
              "b\n");
    EXPECT_EQ(decodeOoxmlEscapes("_x00e9_t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(decodeOoxmlEscapes("_x12_ _xGGGG_ _x0041"), "_x12_ _xGGGG_ _x0041");
    for (const char* literal : {"_x0041_", "a_x005F_b", "__x0041__", "_x_x0041_"}) {
        EXPECT_EQ(decodeOoxmlEscapes(protectLiteralOoxmlEscapes(literal)), literal) << literal;
    }
}

TEST(EnteredCell, RefusesTextsLongerThanACellHolds) {
    EXPECT_TRUE(enteredCell(std::string(kMaxCellCharacters, 'x')).ok());
    const auto tooLong = enteredCell(std::string(kMaxCellCharacters + 1, 'x'));
    EXPECT_FALSE(tooLong.ok());
    EXPECT_NE(tooLong.error().find("32767"), std::string::npos);
}

TEST(DateText, SerialDaysShowAsIsoDatesAndTimes) {
    EXPECT_EQ(dateTextFromSerial(45366, CellKind::Date), "2024-03-15");
    EXPECT_EQ(dateTextFromSerial(45366.5732638889, CellKind::DateTime), "2024-03-15 13:45:30");
    EXPECT_EQ(dateTextFromSerial(0.5729166666667, CellKind::Time), "13:45:00");
    EXPECT_EQ(dateTextFromSerial(61, CellKind::Date), "1900-03-01");
    EXPECT_EQ(dateTextFromSerial(60, CellKind::Date), "1900-02-29");  // as spreadsheets count
    EXPECT_EQ(dateTextFromSerial(1, CellKind::Date), "1900-01-01");
    EXPECT_EQ(dateTextFromSerial(45366.99999999, CellKind::DateTime), "2024-03-16 00:00:00");
}

TEST(DateText, SerialsOutsideTheCalendarGiveNothing) {
    EXPECT_FALSE(dateTextFromSerial(-1, CellKind::Date));
    EXPECT_FALSE(dateTextFromSerial(2958466, CellKind::Date));
    EXPECT_FALSE(dateTextFromSerial(std::nan(""), CellKind::Date));
    EXPECT_FALSE(dateTextFromSerial(45366, CellKind::Number));
}

TEST(DateText, CivilDatesAndTextsGoBackToTheSameSerial) {
    EXPECT_EQ(serialFromCivil({2024, 3, 15, 0, 0, 0}), 45366);
    EXPECT_EQ(serialFromCivil({1900, 1, 1, 0, 0, 0}), 1);
    EXPECT_EQ(serialFromCivil({1900, 3, 1, 0, 0, 0}), 61);
    for (const char* text : {"2024-03-15", "2024-03-15 13:45:30", "13:45:00", "1900-01-01"}) {
        const auto when = parseDateText(text);
        ASSERT_TRUE(when) << text;
        const CellKind kind = std::string(text).size() == 10  ? CellKind::Date
                              : std::string(text).size() == 8 ? CellKind::Time
                                                              : CellKind::DateTime;
        EXPECT_EQ(dateTextFromSerial(serialFromCivil(*when), kind), text);
    }
    EXPECT_FALSE(parseDateText("2024-13-01"));
    EXPECT_FALSE(parseDateText("15.03.2024"));
}

TEST(DateText, CalendarHoldsFromThe1904OriginToTheLastDay) {
    EXPECT_EQ(serialFromCivil({1904, 1, 1, 0, 0, 0}), 1462);  // the other date system's zero
    EXPECT_EQ(serialFromCivil({9999, 12, 31, 0, 0, 0}), 2958465);
    EXPECT_EQ(dateTextFromSerial(2958465, CellKind::Date), "9999-12-31");
    EXPECT_EQ(dateTextFromSerial(serialFromCivil({2000, 2, 29, 0, 0, 0}), CellKind::Date),
              "2000-02-29");
    EXPECT_EQ(dateTextFromSerial(serialFromCivil({2100, 3, 1, 0, 0, 0}) - 1, CellKind::Date),
              "2100-02-28");  // no leap day in a century year not divisible by 400
    // Days and months past the end run on, as a reader's dates may.
    EXPECT_EQ(serialFromCivil({2024, 1, 32, 0, 0, 0}), serialFromCivil({2024, 2, 1, 0, 0, 0}));
    EXPECT_EQ(serialFromCivil({2023, 13, 1, 0, 0, 0}), serialFromCivil({2024, 1, 1, 0, 0, 0}));
    EXPECT_EQ(serialFromCivil({2024, 0, 1, 0, 0, 0}), serialFromCivil({2023, 12, 1, 0, 0, 0}));
}

TEST(NumberFormatKind, TellsDatesAndTimesFromNumbers) {
    EXPECT_EQ(kindOfNumberFormatCode("yyyy-mm-dd"), CellKind::Date);
    EXPECT_EQ(kindOfNumberFormatCode("mmm yyyy"), CellKind::Date);
    EXPECT_EQ(kindOfNumberFormatCode("[$-409]d-mmm;@"), CellKind::Date);
    EXPECT_EQ(kindOfNumberFormatCode("h:mm AM/PM"), CellKind::Time);
    EXPECT_EQ(kindOfNumberFormatCode("mm:ss"), CellKind::Time);
    EXPECT_EQ(kindOfNumberFormatCode("[h]:mm:ss"), CellKind::Time);
    EXPECT_EQ(kindOfNumberFormatCode("yyyy-mm-dd hh:mm:ss"), CellKind::DateTime);
    for (const char* code : {"General", "0.00", "#,##0.00", "0.00E+00", "[Red]0.0", "0.0 \"days\"",
                             "0\\d", "_(* #,##0_)"}) {
        EXPECT_EQ(kindOfNumberFormatCode(code), CellKind::Number) << code;
    }
    EXPECT_EQ(kindOfBuiltInNumberFormat(14), CellKind::Date);
    EXPECT_EQ(kindOfBuiltInNumberFormat(20), CellKind::Time);
    EXPECT_EQ(kindOfBuiltInNumberFormat(22), CellKind::DateTime);
    EXPECT_EQ(kindOfBuiltInNumberFormat(2), CellKind::Number);
}

}  // namespace
}  // namespace kelvorad
