#pragma once
// Analyses of the published check pairs of the Ghiorso and Evans (2008) model, in the oxide
// order SiO2, TiO2, Al2O3, V2O3, Cr2O3, Nb2O3, Fe2O3, FeO, MnO, NiO, ZnO, MgO, CaO, Na2O, K2O,
// BaO (wt%).

#include <array>
#include <vector>

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

struct NamedPair {
    const char* name;
    Analysis magnetite, ilmenite;
};

// Five natural pairs of the GE08 test compilation (the dropped oxides left out). AC-5's Fe-Mg
// temperature lies just below its ilmenite's order-disorder transition.
inline std::vector<NamedPair> compilationPairs() {
    return {
        {"Hat Creek", compilationAnalysis({0.14, 26.1, 0.41, 0.02, 68.8, 0.67, 0.87, 0.10}),
         compilationAnalysis({0.14, 49.5, 0.05, 0.00, 47.7, 0.70, 0.69, 0.20})},
        {"G151", compilationAnalysis({0.13, 21.5, 1.15, 0.00, 73.6, 0.88, 0.32, 0.03}),
         compilationAnalysis({0.05, 49.8, 0.04, 0.00, 47.7, 0.98, 0.62, 0.06})},
        {"Oraefi", compilationAnalysis({0.11, 22.1, 0.64, 0.01, 73.0, 1.00, 0.06, 0.04}),
         compilationAnalysis({0.03, 49.9, 0.03, 0.00, 47.9, 1.23, 0.10, 0.04})},
        {"AC-5", compilationAnalysis({0.07, 19.8, 0.99, 0.10, 74.0, 0.76, 0.40, 0.01}),
         compilationAnalysis({0.03, 48.9, 0.06, 0.02, 48.7, 1.02, 0.47, 0.00})},
        {"AC-7", compilationAnalysis({0.08, 19.7, 0.93, 0.02, 75.5, 0.64, 0.34, 0.00}),
         compilationAnalysis({0.04, 49.6, 0.06, 0.00, 48.3, 0.82, 0.63, 0.02})},
    };
}

}  // namespace kelvorad::ge08::check_pairs
