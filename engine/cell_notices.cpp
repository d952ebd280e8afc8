#include "cell_notices.h"

#include "oxide_data.h"

namespace kelvorad {

std::string pairCellHeader(int k) {
    constexpr int kIlmeniteSample = 18;
    if (k == 17) return "";
    const bool ilmenite = k >= kIlmeniteSample;
    const int offset = ilmenite ? k - kIlmeniteSample : k;
    const std::string name = offset == 0 ? "Sample" : std::string(kOxides[offset - 1].oxide);
    return name + (ilmenite ? " [I]" : " [M]");
}

std::string describeCellNotice(const CellNotice& notice, std::string_view where) {
    std::string value = formatNumber(notice.reading.value);
    if (value.empty()) value = "a number too large to use";
    std::string text = std::string(where) + " " + std::to_string(notice.row) + ", " +
                       pairCellHeader(notice.cell) + ": \"" + notice.text + "\" ";
    if (notice.reading.plain) {
        text += "read as " + value;
    } else if (notice.reading.hasNumber) {
        text += "is not a plain number, read as " + value;
    } else {
        text += "is not a number, read as 0";
    }
    if (notice.reading.decimalComma) text += " with a decimal comma";
    return text;
}

}  // namespace kelvorad
