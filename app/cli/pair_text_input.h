#pragma once
// Analysis pairs from separated-value text (.tsv, .csv, .txt), read a line at a time so that a
// file of any length takes little memory. The separator (TAB, ";" or ",") is settled by the
// first line; fields may be double-quoted as in RFC 4180 ("" stands for a quote inside), so a
// sample name may hold the separator. A first line that names columns is a header: see
// pair_columns.h for how it maps the columns. There is no row limit.

#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "pair_columns.h"

namespace kelvorad {

enum class TextEncoding { Utf8, Windows1252 };

// The separator of a file whose first line is `line`: TAB when the line holds one outside
// quotes, else ";" when it holds one, else ",".
char detectSeparator(std::string_view line);

// Splits a line into its fields. A field that starts with a double quote runs to the closing
// quote (a quote that is not closed runs to the end of the line); text after it up to the next
// separator is kept.
void splitFields(std::string_view line, char separator, std::vector<std::string>& fields);

class PairTextInput {
  public:
    // Reads from `in` (which must outlive the reader) up to the first line that holds anything,
    // to settle the separator and the header. `encoding` is the text's (see isValidUtf8).
    explicit PairTextInput(std::istream& in, TextEncoding encoding = TextEncoding::Utf8);

    char separator() const { return separator_; }
    bool hasHeader() const { return hasHeader_; }
    const PairColumns& columns() const { return columns_; }

    // The next line that holds anything, as its 35 analysis cells (missing cells empty). Any
    // line end is accepted (LF, CR LF or CR). False at the end of the text.
    bool next(std::vector<std::string>& cells);
    // The line number (from 1) of the line `next` returned last.
    long lineNumber() const { return lineNumber_; }

  private:
    bool nextLine(std::string& line);

    std::istream& in_;
    TextEncoding encoding_;
    char separator_ = ',';
    bool hasHeader_ = false;
    PairColumns columns_;
    std::string block_;  // what was read up to LF; lone CRs split it into several lines
    std::size_t blockAt_ = std::string::npos;
    long lineNumber_ = 0;
    bool pendingFirst_ = false;
    std::string firstLine_;
    std::string line_;
    std::vector<std::string> fields_;
};

}  // namespace kelvorad
