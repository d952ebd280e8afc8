#include "end_members.h"

#include "safe_math.h"

namespace kelvorad {

using safe::div;

double EndMembers::schemeXusp(FractionScheme s) const {
    switch (s) {
        case FractionScheme::C67:
            return uspC67 / 100;
        case FractionScheme::A68:
            return uspA68 / 100;
        case FractionScheme::LS82:
            return uspLS82 / 100;
        case FractionScheme::S83:
            return uspS83 / 100;
    }
    return kMissing;
}

double EndMembers::schemeXilm(FractionScheme s) const {
    switch (s) {
        case FractionScheme::C67:
            return ilmC67 / 100;
        case FractionScheme::A68:
            return ilmA68 / 100;
        case FractionScheme::LS82:
            return ilmLS82 / 100;
        case FractionScheme::S83:
            return ilmS83 / 100;
    }
    return kMissing;
}

EndMembers computeEndMembers(const OxideValues& m, const OxideValues& i) {
    EndMembers e{};
    // Divalent and trivalent cations of the magnetite.
    const double r2 = m[Fe2] + m[Mn] + m[Mg] + m[Ca] + m[Zn] + m[Ba] + m[Ni];
    const double r3 = m[Fe3] + m[Al] + m[V] + m[Cr] + m[Nb];

    // Carmichael (1967): Ti (and Si) of the magnetite as ulvospinel.
    e.uspC67 = 100 * (m[Si] + m[Ti]);
    e.magC67 = 100 - e.uspC67;

    // Anderson (1968): Ti balanced against Mg and Mn; the Al/Mg ratio of the magnetite decides
    // whether Mg goes with Al as spinel (0.4286 = 3/7 as published, used as written).
    if (m[Al] < m[Mg] + 0.4286 * m[Mg]) {
        e.uspA68 = div(100 * 3 * (m[Ti] - 0.5 * (m[Mg] + m[Mn])),
                       m[Fe3] + m[Fe2] + m[Ti] - m[Mg] / 2 - m[Mn] / 2);
    } else {
        e.uspA68 = div(100 * 3 * (m[Ti] - m[Mn] / 2),
                       m[Fe3] + m[Fe2] - 0.4286 * m[Mg] + m[Ti] - m[Mn] / 2);
    }

    // Lindsley and Spencer (1982).
    e.uspLS82 = div(100 * 3 * m[Ti], m[Mg] + m[Ti] + m[Fe3] + m[Fe2]);

    // Stormer (1983): ulvospinel from Ti with the divalent site share of Fe2+, magnetite from
    // Fe3+ with its trivalent site share.
    const double a = div(m[Ti] * m[Fe2], r2);
    e.uspS83 = div(100 * a, a + div(m[Fe3] * m[Fe3], 2 * (m[Fe3] + m[Al] + m[Cr])));

    const double b = div((m[Si] + m[Ti]) * m[Fe2], r2);
    e.xUsp = div(b, b + div(0.5 * m[Fe3] * m[Fe3], r3));
    e.xMt = 1 - e.xUsp;
    e.xUspPrime = div(m[Ti], m[Ti] + m[Fe3] / 2);
    e.xMagPrime = 1 - e.xUspPrime;
    e.xIlmPrime = div(i[Fe2], i[Fe2] + i[Fe3] / 2);
    e.xHemPrime = 1 - e.xIlmPrime;

    e.ilmC67 = 100 * (i[Si] + i[Ti]);
    e.hemC67 = 100 - e.ilmC67;

    const double d = i[Ti] - i[Mn] - i[Mg];
    e.ilmA68 = div(100 * 2 * d, d + i[Fe3] + i[Fe2]);
    e.ilmLS82 =
        div(100 * (i[Al] + 2 * i[Ti] - 2 * i[Mn]), i[Al] + i[Ti] - i[Mn] + i[Fe3] + i[Fe2] + i[Mg]);

    const double rootFe2Ti = safe::sqrt(i[Fe2] * i[Ti]);
    e.ilmS83 = div(100 * rootFe2Ti, 0.5 * i[Fe3] + rootFe2Ti);
    const double rootSiTiFe2 = safe::sqrt((i[Si] + i[Ti]) * i[Fe2]);
    e.xIlm = div(rootSiTiFe2, 0.5 * i[Fe3] + rootSiTiFe2);
    e.xHem = 1 - e.xIlm;
    return e;
}

}  // namespace kelvorad
