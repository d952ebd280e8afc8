#pragma once
// What a text put into a cell becomes. As in a spreadsheet, a text that reads wholly as a
// number is stored as a number cell, so that the user can compute with it at once; any other
// text is stored as text.

#include <optional>
#include <string>
#include <string_view>

#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

// The most characters a workbook cell can hold.
inline constexpr std::size_t kMaxCellCharacters = 32767;

// The value of a text that is wholly a decimal number: optional blanks (spaces, TABs), an
// optional sign, digits with an optional "." fraction, an optional exponent, optional blanks,
// and nothing else ("12.5", " -3", "1E-05", ".5"). nullopt for anything else, including
// "1,5", "0x10", "inf", "nan", "" and numbers too large for a double.
std::optional<double> wholeNumberValue(std::string_view text);

// The cell a put text becomes: a Number cell (shown in general format, so "12.50" reads back
// "12.5") or a Text cell holding the text. The empty text gives an Empty cell. Bytes that are
// not UTF-8 are taken as Latin-1 characters, so every stored text is valid UTF-8; NUL
// characters, which no workbook can hold, are dropped. A text longer than 32767 characters
// is refused.
Result<CellValue> enteredCell(std::string_view text);

// The text with every byte sequence that is not valid UTF-8 read as Latin-1 instead.
std::string validUtf8(std::string_view text);

// U+FFFD, the character shown in place of one that could not be read.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The text of a cell read from a workbook file as it may be shown: every NUL character and every
// byte sequence that is not UTF-8 (among them encoded surrogates and code points beyond
// U+10FFFF) replaced by U+FFFD. Unlike a put text, a read text is not guessed to be Latin-1:
// the file said it was UTF-8, so what is not is damage.
std::string readableText(std::string_view text);

}  // namespace kelvorad
