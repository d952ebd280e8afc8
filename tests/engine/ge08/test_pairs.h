#pragma once
// Analyses of the published check pairs of the Ghiorso and Evans (2008) model, in the oxide
// order SiO2, TiO2, Al2O3, V2O3, Cr2O3, Nb2O3, Fe2O3, FeO, MnO, NiO, ZnO, MgO, CaO, Na2O, K2O,
// BaO (wt%).

#include <array>

namespace kelvorad::ge08::check_pairs {

enum Oxide { SiO2, TiO2, Al2O3, V2O3, Cr2O3, Nb2O3, Fe2O3, FeO, MnO, NiO, ZnO, MgO, CaO };
using Analysis = std::array<double, 16>;

// The example pair of the OFM Research online calculator (total iron as FeO).
inline Analysis websiteMagnetite() {
    Analysis a{};
    a[TiO2] = 4.35, a[Al2O3] = 1.94, a[Cr2O3] = 0.18, a[FeO] = 86.34, a[MnO] = 0.44, a[MgO] = 1.20;
    return a;
}

inline Analysis websiteIlmenite() {
    Analysis a{};
    a[TiO2] = 28.73, a[Al2O3] = 0.35, a[FeO] = 65.98, a[MnO] = 0.23, a[MgO] = 1.02;
    return a;
}

// A row of the GE08 test compilation: SiO2, TiO2, Al2O3, Cr2O3, FeO (total Fe), MnO, MgO, CaO,
// and the oxides the model drops.
inline Analysis compilationAnalysis(std::array<double, 8> v, double v2o3 = 0, double zno = 0,
                                    double nio = 0) {
    Analysis a{};
    a[SiO2] = v[0], a[TiO2] = v[1], a[Al2O3] = v[2], a[Cr2O3] = v[3], a[FeO] = v[4];
    a[MnO] = v[5], a[MgO] = v[6], a[CaO] = v[7];
    a[V2O3] = v2o3, a[ZnO] = zno, a[NiO] = nio;
    return a;
}

}  // namespace kelvorad::ge08::check_pairs
