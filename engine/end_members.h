#pragma once
// End-member fractions: the magnetite as an ulvospinel-magnetite and the ilmenite as an
// ilmenite-hematite solid solution, in mol% by four published recalculation schemes and as
// two further sets of mole fractions.
//   C67  Carmichael (1967), Contrib. Mineral. Petrol. 14, 36-64
//   A68  Anderson (1968), J. Geol. 76, 528-547
//   LS82 Lindsley and Spencer (1982), EOS 63, 471
//   S83  Stormer (1983), Am. Mineral. 68, 586-594

#include <array>

#include "number_text.h"
#include "oxide_data.h"

namespace kelvorad {

enum class FractionScheme { C67, A68, LS82, S83 };
inline constexpr int kFractionSchemeCount = 4;

struct EndMembers {
    double uspC67, magC67, ilmC67, hemC67;  // mol%, Carmichael (1967)
    double uspA68, ilmA68;                  // mol%, Anderson (1968)
    double uspLS82, ilmLS82;                // mol%, Lindsley and Spencer (1982)
    double uspS83, ilmS83;                  // mol%, Stormer (1983)
    double xUsp, xMt, xIlm, xHem;           // mole fractions
    double xUspPrime, xMagPrime, xIlmPrime, xHemPrime;

    // (Xusp, Xilm) of a scheme: its mol% divided by 100, the input of the thermometers.
    double schemeXusp(FractionScheme s) const;
    double schemeXilm(FractionScheme s) const;
};

// Computes every fraction from the cations per formula unit of both minerals. A step that
// divides by zero or takes the root of a negative product leaves its values missing (NaN);
// values outside 0..100 mol% are not clipped.
EndMembers computeEndMembers(const OxideValues& magnetiteCations,
                             const OxideValues& ilmeniteCations);

}  // namespace kelvorad
