// Fuzzes the reading of a cell's text as a number, and its writing back.

#include <cmath>
#include <cstdint>

#include "fuzz_check.h"
#include "number_text.h"

using namespace kelvorad;
using kelvorad::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    const CellNumber reading = readCellNumber(text);

    require(!std::isnan(reading.value), "a cell never reads as NaN");
    require(reading.hasNumber || reading.value == 0.0, "a text without a number reads as 0");
    require(!reading.blank || !reading.hasNumber, "a blank text holds no number");
    require(reading.blank == (!reading.hasNumber && isBlank(text)),
            "blank means nothing but blanks");
    require(!reading.plain || reading.hasNumber, "a plain number is a number");
    require(!reading.decimalComma || reading.hasNumber, "a decimal comma belongs to a number");
    const double again = parseLeadingNumber(text);
    require(again == reading.value || (again == 0.0 && reading.value == 0.0),
            "parseLeadingNumber agrees with readCellNumber");

    // What is written reads back as a plain number within the 15 digits written.
    if (std::isfinite(reading.value)) {
        const std::string written = formatNumber(reading.value);
        const CellNumber back = readCellNumber(written);
        require(back.plain && !back.decimalComma, "a written number reads as plain");
        const double tolerance = 1e-14 * std::fabs(reading.value);
        require(std::fabs(back.value - reading.value) <= tolerance ||
                    (std::fabs(reading.value) < 1e-300 && std::fabs(back.value) < 1e-300),
                "a written number reads back within 15 significant digits");
    } else {
        require(formatNumber(reading.value).empty(), "an infinite number is written empty");
    }
    return 0;
}
