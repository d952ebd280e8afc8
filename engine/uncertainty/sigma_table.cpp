#include "sigma_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

#include "number_text.h"

namespace kelvorad {

double OxideSigma::sigmaWt(double wt) const {
    const double base = kind == SigmaKind::relative ? value / 100.0 * std::fabs(wt) : value;
    return std::max(base, floorWt);
}

SigmaTable uniformRelativeSigma(double percent, double floorWt) {
    SigmaTable table;
    for (Phase phase : {Phase::magnetite, Phase::ilmenite}) {
        for (int k = 0; k < kOxideCount; ++k) {
            table.set(phase, k, {SigmaKind::relative, percent, floorWt});
        }
    }
    return table;
}

std::string sigmaText(const SigmaTable& table) {
    std::string text =
        "# Analytical uncertainty (one sigma): phase oxide rel PERCENT floor WT | abs WT\n";
    for (Phase phase : {Phase::magnetite, Phase::ilmenite}) {
        for (int k = 0; k < kOxideCount; ++k) {
            const OxideSigma& s = table.at(phase, k);
            text += phase == Phase::magnetite ? "mt " : "ilm ";
            text += kOxides[k].oxide;
            text += s.kind == SigmaKind::relative ? " rel " : " abs ";
            text += formatNumber(s.value);
            if (s.kind == SigmaKind::relative || s.floorWt != 0.0) {
                text += " floor " + formatNumber(s.floorWt);
            }
            text += '\n';
        }
    }
    return text;
}

namespace {

std::vector<std::string_view> blankSeparatedFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t k = 0;
    while (k < line.size()) {
        while (k < line.size() && (line[k] == ' ' || line[k] == '\t' || line[k] == '\r')) ++k;
        const std::size_t start = k;
        while (k < line.size() && line[k] != ' ' && line[k] != '\t' && line[k] != '\r') ++k;
        if (k > start) fields.push_back(line.substr(start, k - start));
    }
    return fields;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// A finite, non-negative number written in full (no trailing text), or nothing.
std::optional<double> sigmaNumber(std::string_view field) {
    double value = 0.0;
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value) || value < 0.0) {
        return std::nullopt;
    }
    return value;
}

std::string quoted(std::string_view field) {
    std::string text;
    text.reserve(field.size() + 2);
    text += '"';
    text += field;
    text += '"';
    return text;
}

// Applies one non-empty line to the table; returns the error text, empty when the line is good.
std::string applyLine(const std::vector<std::string_view>& f, SigmaTable& table) {
    std::vector<Phase> phases;
    if (f[0] == "*") {
        phases = {Phase::magnetite, Phase::ilmenite};
    } else if (equalIgnoringCase(f[0], "mt")) {
        phases = {Phase::magnetite};
    } else if (equalIgnoringCase(f[0], "ilm")) {
        phases = {Phase::ilmenite};
    } else {
        return "unknown phase " + quoted(f[0]) + " (expected mt, ilm or *)";
    }
    if (f.size() < 2) return "missing oxide after the phase";
    std::vector<int> oxides;
    if (f[1] == "*") {
        for (int k = 0; k < kOxideCount; ++k) oxides.push_back(k);
    } else {
        for (int k = 0; k < kOxideCount; ++k) {
            if (equalIgnoringCase(f[1], kOxides[k].oxide)) oxides.push_back(k);
        }
        if (oxides.empty()) {
            return "unknown oxide " + quoted(f[1]) + " (expected SiO2, TiO2, ... BaO or *)";
        }
    }
    if (f.size() < 3) return "missing rel or abs after the oxide";
    OxideSigma sigma;
    if (equalIgnoringCase(f[2], "rel")) {
        sigma.kind = SigmaKind::relative;
        sigma.floorWt = kDefaultSigmaFloorWt;
    } else if (equalIgnoringCase(f[2], "abs")) {
        sigma.kind = SigmaKind::absolute;
        sigma.floorWt = 0.0;
    } else {
        return "expected rel or abs, found " + quoted(f[2]);
    }
    if (f.size() < 4) return "missing sigma value after " + std::string(f[2]);
    const std::optional<double> value = sigmaNumber(f[3]);
    if (!value) return "sigma " + quoted(f[3]) + " is not a number of 0 or more";
    sigma.value = *value;
    std::size_t next = 4;
    if (next < f.size() && equalIgnoringCase(f[next], "floor")) {
        if (next + 1 >= f.size()) return "missing value after floor";
        const std::optional<double> floor = sigmaNumber(f[next + 1]);
        if (!floor) return "floor " + quoted(f[next + 1]) + " is not a number of 0 or more";
        sigma.floorWt = *floor;
        next += 2;
    }
    if (next < f.size()) return "unexpected " + quoted(f[next]) + " at the end of the line";
    for (Phase phase : phases) {
        for (int oxide : oxides) table.set(phase, oxide, sigma);
    }
    return {};
}

}  // namespace

SigmaParseResult parseSigmaText(std::string_view text) {
    SigmaTable table;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        const std::vector<std::string_view> fields = blankSeparatedFields(line);
        if (fields.empty()) continue;
        const std::string error = applyLine(fields, table);
        if (!error.empty())
            return {std::nullopt, "line " + std::to_string(lineNumber) + ": " + error};
    }
    return {table, {}};
}

SigmaParseResult readSigmaFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {std::nullopt, path.string() + ": cannot be read"};
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return {std::nullopt, path.string() + ": cannot be read"};
    SigmaParseResult result = parseSigmaText(content.str());
    if (!result.table) result.error = path.string() + " " + result.error;
    return result;
}

}  // namespace kelvorad
