#pragma once
// The analytical uncertainty of the analyses: for each of the sixteen oxides of each phase, a
// one-sigma error that is either absolute (wt%) or relative (% of the analysed value), never
// below a floor (wt%).
//
// Defaults: 2 % relative with a floor of 0.03 wt% for every oxide of both phases. A relative
// error of 1-2 % is the usual counting precision of electron-microprobe analyses of major
// oxides, and a few hundredths of a wt% is the order of their detection limits, which the floor
// stands for on minor oxides. They are placeholders for a typical analysis: a user should give
// the precision of their own analyses.
//
// Text format (one setting a line; later lines override earlier ones; what no line sets keeps
// its default):
//
//   # comment: from "#" to the end of the line; blank lines are ignored
//   mt  TiO2 rel 2 floor 0.03   magnetite TiO2: 2 % of the value, at least 0.03 wt%
//   ilm FeO  abs 0.4            ilmenite FeO: 0.4 wt%
//   *   *    rel 1.5            every oxide of both phases: 1.5 %, floor 0.03 wt%
//
// Fields are separated by blanks. Phase: "mt" (magnetite), "ilm" (ilmenite) or "*" (both).
// Oxide: one of SiO2 TiO2 Al2O3 V2O3 Cr2O3 Nb2O3 Fe2O3 FeO MnO NiO ZnO MgO CaO Na2O K2O BaO
// (letter case does not matter) or "*" (all sixteen). Kind: "rel" (value in %) or "abs" (value
// in wt%). The optional "floor F" (wt%) is the smallest sigma; without it a "rel" line has the
// 0.03 wt% floor and an "abs" line none. Numbers use "." as decimal point and must be finite
// and not negative.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "oxide_data.h"

namespace kelvorad {

enum class Phase : int { magnetite = 0, ilmenite = 1 };

enum class SigmaKind { relative, absolute };

inline constexpr double kDefaultRelativeSigmaPercent = 2.0;
inline constexpr double kDefaultSigmaFloorWt = 0.03;

struct OxideSigma {
    SigmaKind kind = SigmaKind::relative;
    double value = kDefaultRelativeSigmaPercent;  // % for relative, wt% for absolute
    double floorWt = kDefaultSigmaFloorWt;

    // One sigma (wt%) for an analysed value (wt%): value% of |wt| or the absolute value, and
    // never below the floor.
    double sigmaWt(double wt) const;
    bool operator==(const OxideSigma&) const = default;
};

// One OxideSigma per oxide and phase; a default-made table holds the defaults.
class SigmaTable {
  public:
    const OxideSigma& at(Phase phase, int oxide) const {
        return entries_[static_cast<int>(phase)][oxide];
    }
    void set(Phase phase, int oxide, const OxideSigma& sigma) {
        entries_[static_cast<int>(phase)][oxide] = sigma;
    }
    double sigmaWt(Phase phase, int oxide, double wt) const { return at(phase, oxide).sigmaWt(wt); }
    bool operator==(const SigmaTable&) const = default;

  private:
    std::array<std::array<OxideSigma, kOxideCount>, 2> entries_{};
};

// Every oxide of both phases `percent` % relative with the given floor (wt%).
SigmaTable uniformRelativeSigma(double percent, double floorWt = kDefaultSigmaFloorWt);

// The table as text in the format above: every oxide of both phases, one line each, so the
// text reads back to the same table.
std::string sigmaText(const SigmaTable& table);

// The table, or an error naming the line and what is wrong with it.
struct SigmaParseResult {
    std::optional<SigmaTable> table;
    std::string error;  // "line 3: unknown oxide \"TiO3\" ..." when table is empty
};

// Reads text in the format above, starting from the defaults.
SigmaParseResult parseSigmaText(std::string_view text);

// Reads a file in the format above; the error names the file ("sigma.txt line 3: ...").
SigmaParseResult readSigmaFile(const std::filesystem::path& path);

}  // namespace kelvorad
