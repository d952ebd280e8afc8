#pragma once
// Analysis pairs from tab- or comma-separated text: one pair per line in the analysis table's
// column layout (sample, sixteen oxides, spacer, sample, sixteen oxides); a first line that
// starts with "Sample" is a header. There is no row limit.

#include <string>
#include <string_view>
#include <vector>

namespace kelvorad {

class PairTextInput {
  public:
    // Takes the decoded text of a file. `separator` is '\t' or ','; 0 picks TAB when the first
    // line holds one, else comma.
    PairTextInput(std::string text, char separator);

    std::size_t lineCount() const { return lines_.size(); }
    // Splits line `index` into its cells (up to 35; missing cells are empty). Comma-separated
    // cells may be double-quoted, with "" standing for a quote inside.
    void cells(std::size_t index, std::vector<std::string>& out) const;

  private:
    std::string text_;
    std::vector<std::string_view> lines_;
    char separator_;
};

}  // namespace kelvorad
