#include "structural_formula.h"

#include <algorithm>

#include "safe_math.h"

namespace kelvorad {

namespace {

using safe::div;

// FeO to Fe2O3 weight: 2 x 79.8441 / 2 x 71.8444 rounded as the schemes publish it.
constexpr double kFeOToFe2O3 = 1.1113;

struct MineralBasis {
    double cations;      // cations per formula unit: magnetite 3, ilmenite 2
    double oxygens;      // oxygens per formula unit: magnetite 4, ilmenite 3
    double chargeTotal;  // Stormer (1983): total positive charge, magnetite 8, ilmenite 6
};

constexpr MineralBasis kMagnetiteBasis{3.0, 4.0, 8.0};
constexpr MineralBasis kIlmeniteBasis{2.0, 3.0, 6.0};

bool estimationApplies(const OxideValues& wt) {
    return wt[FeO] > 0.0 && wt[Fe2O3] == 0.0;
}

double sum(const OxideValues& values) {
    double total = 0.0;
    for (double v : values) total += v;
    return total;
}

// FeO and Fe2O3 (wt%) from the entered FeO split in the ratio of the estimated cations.
void splitFerrousFerric(StructuralFormula& f, const OxideValues& wt) {
    const double fe2 = f.cations[Fe2];
    const double fe3 = f.cations[Fe3];
    f.feoCalculated = div(wt[FeO] * fe2, fe2 + fe3);
    f.fe2o3Calculated = div(kFeOToFe2O3 * wt[FeO] * fe3, fe3 + fe2);
}

// Stormer (1983): cation proportions normalised to the cation number; Fe3+ is the charge
// deficit Z - Q, taken out of the FeO-derived iron. Na2O and K2O count one cation per molecule.
StructuralFormula stormer(const OxideValues& wt, const MineralBasis& basis) {
    StructuralFormula f;
    const OxideValues m = molecularProportions(wt);
    OxideValues p{};
    for (int k = 0; k < kOxideCount; ++k) {
        const bool twoCations = k == Al2O3 || k == V2O3 || k == Cr2O3 || k == Nb2O3 || k == Fe2O3;
        p[k] = twoCations ? 2.0 * m[k] : m[k];
    }
    const double sumP = sum(p);
    for (int k = 0; k < kOxideCount; ++k) f.cations[k] = div(basis.cations * p[k], sumP);
    double q = 0.0;
    for (int k = 0; k < kOxideCount; ++k) q += kOxides[k].charge * f.cations[k];
    if (estimationApplies(wt)) {
        const double fe3 = basis.chargeTotal - q;
        f.cations[Fe3] = fe3;
        f.cations[Fe2] = f.cations[Fe2] - fe3;
        splitFerrousFerric(f, wt);
    }
    f.cationTotal = sum(f.cations);
    return f;
}

// Cations on an oxygen basis, f = oxygens / sum O (Droop (1987) and Carmichael (1967)): one
// cation per two oxygens for the dioxides, two per three for the sesquioxides, one per oxygen
// for the monoxides, two per oxygen for Na2O and K2O.
OxideValues cationsOnOxygenBasis(const OxideValues& o, double f) {
    OxideValues c{};
    c[Si] = o[SiO2] * f / 2;
    c[Ti] = o[TiO2] * f / 2;
    for (int k : {Al2O3, V2O3, Cr2O3, Nb2O3, Fe2O3}) c[k] = o[k] * f / 1.5;
    for (int k : {FeO, MnO, NiO, ZnO, MgO, CaO, BaO}) c[k] = o[k] * f;
    c[Na] = o[Na2O] * f / 0.5;
    c[K] = o[K2O] * f / 0.5;
    return c;
}

void normalise(StructuralFormula& f, double cationNumber) {
    const double factor = div(cationNumber, sum(f.cations));
    for (double& c : f.cations) c *= factor;
    f.cationTotal = sum(f.cations);
}

// Droop (1987), eq. 1: F = 2X (1 - T/S), X the oxygens and T the cations of the ideal formula
// (magnetite X = 4, T = 3; ilmenite X = 3, T = 2), S the cations per X oxygens with all iron as
// Fe2+, F the Fe3+ per T cations. The formula is normalised to T cations and F is taken out of
// its Fe2+ (cations per formula unit). F is held between 0 and the formula's iron, so that the
// estimate never adds or removes iron.
StructuralFormula droop(const OxideValues& wt, const MineralBasis& basis) {
    StructuralFormula f;
    const OxideValues o = oxygenProportions(wt);
    f.cations = cationsOnOxygenBasis(o, div(basis.oxygens, sum(o)));
    const double s = sum(f.cations);
    normalise(f, basis.cations);
    if (estimationApplies(wt)) {
        const double iron = f.cations[Fe2];
        const double ferric = 2 * basis.oxygens * (1 - div(basis.cations, s));
        const double fe3 = std::min(std::max(ferric, 0.0), iron);  // NaN stays NaN
        f.cations[Fe3] = fe3;
        f.cations[Fe2] = iron - fe3;
        splitFerrousFerric(f, wt);
    }
    return f;
}

// Carmichael (1967): FeO from the stoichiometry of the ulvospinel-magnetite and ilmenite-
// hematite series, the rest of the iron as Fe2O3; cations from the recalculated oxides.
StructuralFormula carmichael(const OxideValues& wt, bool magnetite, const MineralBasis& basis) {
    StructuralFormula f;
    const OxideValues m = molecularProportions(wt);
    const bool estimate = estimationApplies(wt);
    if (estimate) {
        const double mw = kOxides[FeO].molecularWeight;
        if (magnetite) {
            f.feoCalculated =
                mw * (m[FeO] / 3 + (4 * m[SiO2] + 4 * m[TiO2] + 2 * m[MnO] - 2 * m[MgO] -
                                    2 * m[CaO] + 2 * m[Cr2O3] - 2 * m[ZnO] + 2 * m[V2O3]) /
                                       3);
        } else {
            f.feoCalculated = mw * (m[SiO2] + m[TiO2] - m[MnO] - m[MgO] - m[CaO] - m[ZnO]);
        }
        f.fe2o3Calculated = (wt[FeO] - f.feoCalculated) * kOxides[Fe2O3].molecularWeight / 2 / mw;
    }
    const OxideValues o = oxygenProportions(wt);
    const double factor = div(3.0, sum(o));
    f.cations = cationsOnOxygenBasis(o, factor);
    if (estimate) {
        f.cations[Fe3] = 3 * (f.fe2o3Calculated / kOxides[Fe2O3].molecularWeight) * factor / 1.5;
        f.cations[Fe2] = (f.feoCalculated / kOxides[FeO].molecularWeight) * factor;
    }
    normalise(f, basis.cations);
    return f;
}

// Oxygen-basis factor: `oxygens` divided by the oxygen sum, with the recalculated Fe2O3 and
// FeO standing in for the entered ones where ferric iron was estimated.
double oxygenBasisFactor(const OxideValues& wt, const StructuralFormula& f, double oxygens) {
    if (!(wt[FeO] > 0.0)) return kMissing;
    OxideValues used = wt;
    if (wt[Fe2O3] == 0.0) {
        used[Fe2O3] = f.fe2o3Calculated;
        used[FeO] = f.feoCalculated;
    } else if (!(wt[Fe2O3] > 0.0)) {
        return kMissing;
    }
    return div(oxygens, sum(oxygenProportions(used)));
}

StructuralFormula recalculate(const OxideValues& wt, FerricScheme scheme, bool magnetite) {
    const MineralBasis& basis = magnetite ? kMagnetiteBasis : kIlmeniteBasis;
    StructuralFormula f;
    switch (scheme) {
        case FerricScheme::Stormer:
            f = stormer(wt, basis);
            break;
        case FerricScheme::Droop:
            f = droop(wt, basis);
            break;
        case FerricScheme::Carmichael:
            f = carmichael(wt, magnetite, basis);
            break;
    }
    f.oxideTotal = safe::checked(sum(wt));
    for (double& c : f.cations) c = safe::checked(c);
    f.cationTotal = safe::checked(f.cationTotal);
    f.feoCalculated = safe::checked(f.feoCalculated);
    f.fe2o3Calculated = safe::checked(f.fe2o3Calculated);
    f.oxygenBasisFactor = oxygenBasisFactor(wt, f, basis.oxygens);
    return f;
}

}  // namespace

OxideValues molecularProportions(const OxideValues& wt) {
    OxideValues m{};
    for (int k = 0; k < kOxideCount; ++k) m[k] = wt[k] / kOxides[k].molecularWeight;
    return m;
}

OxideValues oxygenProportions(const OxideValues& wt) {
    OxideValues o{};
    for (int k = 0; k < kOxideCount; ++k) {
        o[k] = kOxides[k].oxygens * (wt[k] / kOxides[k].molecularWeight);
    }
    return o;
}

PairFormulae recalculatePair(const AnalysisPair& pair, FerricScheme scheme) {
    return {recalculate(pair.magnetite.wt, scheme, true),
            recalculate(pair.ilmenite.wt, scheme, false)};
}

}  // namespace kelvorad
