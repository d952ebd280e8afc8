#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace kelvorad {

namespace {

// The exact general format with 15 significant digits ("%.15G"), through the standard library.
void appendNumberExactly(std::string& out, double value) {
    std::array<char, 40> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::general, 15);
    if (ec != std::errc{}) return;
    for (char* p = buffer.data(); p != end; ++p) {
        if (*p == 'e') *p = 'E';  // "%G" writes a capital exponent letter
    }
    out.append(buffer.data(), end);
}

// Powers of ten exactly representable as doubles: 10^k for k <= 22.
constexpr int kExactPowers = 22;
constexpr std::array<double, kExactPowers + 1> kPowersOfTen = [] {
    std::array<double, kExactPowers + 1> p{};
    double v = 1.0;
    for (auto& x : p) {
        x = v;
        v *= 10.0;
    }
    return p;
}();

// Dekker's exact product: a * b == product + error, without a fused multiply-add instruction.
void exactProduct(double a, double b, double& product, double& error) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    const auto split = [](double x, double& high, double& low) {
        const double t = kSplitter * x;
        high = t - (t - x);
        low = x - high;
    };
    double aHigh, aLow, bHigh, bLow;
    split(a, aHigh, aLow);
    split(b, bHigh, bLow);
    product = a * b;
    error = ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
}

// The 15 significant digits of |value| as an integer in [10^14, 10^15) and the decimal exponent
// of the first digit. The scaling by a power of ten is carried exactly as a sum hi + lo (the
// product's rounding error recovered with a fused multiply-add), so the rounding to 15 digits
// is that of the exact value. A value within 1e-9 of a rounding half, or a magnitude outside
// 1e-8 to 1e37, returns false and is left to the standard library.
bool fifteenDigits(double magnitude, std::uint64_t& digits, int& exponent) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int binaryExponent = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    // floor(binaryExponent * log10(2)) by integer arithmetic; the loop corrects an estimate
    // that is one off.
    int e = (binaryExponent * 78913) >> 18;
    // One comparison with the next power of ten settles most estimates before any scaling.
    if (e + 1 >= -kExactPowers && e + 1 <= kExactPowers) {
        const double next = e + 1 >= 0 ? kPowersOfTen[e + 1] : 1.0 / kPowersOfTen[-(e + 1)];
        if (magnitude >= next) ++e;
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 14 - e;
        if (k > kExactPowers || -k > kExactPowers) return false;
        double hi = 0.0;
        double lo = 0.0;
        if (k >= 0) {
            exactProduct(magnitude, kPowersOfTen[k], hi, lo);
        } else {
            const double p = kPowersOfTen[-k];
            hi = magnitude / p;
            double back = 0.0;
            double backError = 0.0;
            exactProduct(hi, p, back, backError);
            lo = ((magnitude - back) - backError) / p;  // the exact remainder, divided
        }
        // Compare the exact value hi + lo with the bounds of 15-digit rounding; the bounds are
        // representable, so looking at hi first and lo only on equality is exact.
        constexpr double kLowest = 99999999999999.5;
        constexpr double kBeyond = 999999999999999.5;
        if (hi < kLowest || (hi == kLowest && lo < 0.0)) {
            --e;
            continue;
        }
        if (hi > kBeyond || (hi == kBeyond && lo >= 0.0)) {
            ++e;
            continue;
        }
        double whole = static_cast<double>(static_cast<std::uint64_t>(hi));  // hi is positive
        double fraction = (hi - whole) + lo;
        if (fraction < 0.0) {
            whole -= 1.0;
            fraction += 1.0;
        } else if (fraction >= 1.0) {
            whole += 1.0;
            fraction -= 1.0;
        }
        if (std::fabs(fraction - 0.5) < 1e-9) return false;
        digits = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
        if (digits == 1000000000000000ULL) {
            digits = 100000000000000ULL;
            ++e;
        }
        exponent = e;
        return true;
    }
    return false;
}

// Writes a number below 10^15 as exactly 15 decimal digits, two at a time.
void writeFifteenDigits(std::uint64_t digits, char* text) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    auto high = static_cast<std::uint32_t>(digits / 100000000);  // 7 digits
    auto low = static_cast<std::uint32_t>(digits % 100000000);   // 8 digits
    for (int i = 14; i >= 7; i -= 2) {
        const std::uint32_t pair = low % 100;
        low /= 100;
        text[i - 1] = kPairs[2 * pair];
        text[i] = kPairs[2 * pair + 1];
    }
    for (int i = 6; i >= 1; i -= 2) {
        const std::uint32_t pair = high % 100;
        high /= 100;
        text[i - 1] = kPairs[2 * pair];
        text[i] = kPairs[2 * pair + 1];
    }
    text[0] = static_cast<char>('0' + high);
}

}  // namespace

void appendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) return;
    if (value == 0.0) {
        out.push_back('0');  // negative zero included
        return;
    }
    std::uint64_t digits = 0;
    int exponent = 0;
    if (!fifteenDigits(std::fabs(value), digits, exponent)) {
        appendNumberExactly(out, value);
        return;
    }
    char text[15];
    writeFifteenDigits(digits, text);
    int significant = 15;
    while (significant > 1 && text[significant - 1] == '0') --significant;

    char buffer[32];
    char* p = buffer;
    if (value < 0) *p++ = '-';
    if (exponent < -4 || exponent >= 15) {
        *p++ = text[0];
        if (significant > 1) {
            *p++ = '.';
            p = std::copy(text + 1, text + significant, p);
        }
        *p++ = 'E';
        *p++ = exponent < 0 ? '-' : '+';
        const int e = std::abs(exponent);
        if (e >= 100) *p++ = static_cast<char>('0' + e / 100);
        *p++ = static_cast<char>('0' + e / 10 % 10);
        *p++ = static_cast<char>('0' + e % 10);
    } else if (exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        p = std::fill_n(p, -exponent - 1, '0');
        p = std::copy(text, text + significant, p);
    } else {
        const int integerDigits = exponent + 1;
        if (significant <= integerDigits) {
            p = std::copy(text, text + significant, p);
            p = std::fill_n(p, integerDigits - significant, '0');
        } else {
            p = std::copy(text, text + integerDigits, p);
            *p++ = '.';
            p = std::copy(text + integerDigits, text + significant, p);
        }
    }
    out.append(buffer, p);
}

std::string formatNumber(double value) {
    std::string text;
    appendNumber(text, value);
    return text;
}

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

namespace {
bool isBlankCharacter(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Skips the digits from text[i] on; returns how many there were.
std::size_t skipDigits(std::string_view text, std::size_t& i) {
    const std::size_t first = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    return i - first;
}
}  // namespace

CellNumber readCellNumber(std::string_view text) {
    CellNumber reading;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    const std::size_t integerDigits = skipDigits(text, i);
    std::size_t fractionDigits = 0;
    if (i < n && text[i] == '.') {
        ++i;
        fractionDigits = skipDigits(text, i);
    } else if (integerDigits > 0 && i + 1 < n && text[i] == ',' && isDigit(text[i + 1])) {
        reading.decimalComma = true;
        ++i;
        fractionDigits = skipDigits(text, i);
    }
    if (integerDigits + fractionDigits == 0) {
        reading.blank = isBlank(text);
        return reading;
    }
    reading.hasNumber = true;
    std::size_t end = i;
    bool negativeExponent = false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
        if (skipDigits(text, j) > 0) end = j;
    }
    std::size_t rest = end;
    while (rest < n && isBlankCharacter(text[rest])) ++rest;
    reading.plain = rest == n;

    const char* first = text.data() + mantissaStart;
    const char* last = text.data() + end;
    std::string mended;  // from_chars wants a point: a decimal comma is replaced in a copy
    if (reading.decimalComma) {
        mended.assign(first, last);
        mended[integerDigits] = '.';
        first = mended.data();
        last = first + mended.size();
    }
    double value = 0.0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small reads as 0; too large as infinity, which the first step using it rejects.
        value = negativeExponent ? 0.0 : HUGE_VAL;
    } else if (result.ec != std::errc{}) {
        value = 0.0;
    }
    reading.value = negative ? -value : value;
    return reading;
}

double parseLeadingNumber(std::string_view text) {
    return readCellNumber(text).value;
}

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isBlankCharacter);
}

}  // namespace kelvorad
