#pragma once
// Dates and times of workbook cells as text. Workbooks store a date as a serial day number;
// the component shows it in the short, locale-independent ISO form a spreadsheet offers:
//   date "2024-03-15", time "13:45:00", date and time "2024-03-15 13:45:00".
// Seconds are rounded to the nearest whole second.

#include <optional>
#include <string>
#include <string_view>

#include "workbook_data.h"

namespace kelvorad {

struct CivilDateTime {
    int year = 1900;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    double second = 0.0;
};

// The serial day number (1900 date system, counted from 1899-12-30) of a calendar date and
// time. Dates before 1900-03-01 follow the spreadsheet convention that counts a 1900-02-29.
double serialFromCivil(const CivilDateTime& when);

// The text of a serial day number in the form of `kind` (Date, Time or DateTime). Serials
// outside 0 to 2958465 (9999-12-31), NaN, or another kind give nullopt: the caller then
// shows the number itself.
std::optional<std::string> dateTextFromSerial(double serial, CellKind kind);

// Reads "YYYY-MM-DD", "HH:MM:SS" or "YYYY-MM-DD HH:MM:SS" (the forms written above) back to a
// calendar value; nullopt for anything else.
std::optional<CivilDateTime> parseDateText(std::string_view text);

// Which kind of date a number format code shows: Date, Time or DateTime for codes with date
// or time fields ("yyyy-mm-dd", "h:mm AM/PM", "[h]:mm:ss"), Number for any other code
// ("General", "0.00", "#,##0"). Quoted text, escaped characters and colours are skipped.
CellKind kindOfNumberFormatCode(std::string_view code);

// The same for the built-in number formats of .xlsx files, by their identifier (14 to 22,
// 27 to 36, 45 to 47, 50 to 58 are dates or times). Other identifiers give Number.
CellKind kindOfBuiltInNumberFormat(int identifier);

}  // namespace kelvorad
