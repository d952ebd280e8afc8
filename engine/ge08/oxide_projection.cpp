#include "oxide_projection.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace kelvorad::ge08 {

namespace {

enum Oxide { SiO2, TiO2, Al2O3, V2O3, Cr2O3, Nb2O3, Fe2O3, FeO, MnO, NiO, ZnO, MgO };

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool validAnalysis(const OxideAnalysis& wt) {
    for (double v : wt)
        if (!std::isfinite(v) || v < 0.0) return false;
    return true;
}

// Sum of the cations and of their charges without iron.
struct CationTotals {
    double cations, nonIronCharge;
};

CationTotals totals(const ModelCations& c) {
    return {c.mg + c.al + c.ti + c.cr + c.mn + c.fe,
            2.0 * c.mg + 3.0 * c.al + 4.0 * c.ti + 3.0 * c.cr + 2.0 * c.mn};
}

}  // namespace

ModelCations modelCations(const OxideAnalysis& wt) {
    if (!validAnalysis(wt)) return {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
    ModelCations c;
    c.ti = wt[TiO2] / 79.8988;
    c.al = 2.0 * wt[Al2O3] / 101.96128;
    c.cr = 2.0 * wt[Cr2O3] / 151.9902;
    c.fe = wt[FeO] / 71.8464 + 2.0 * wt[Fe2O3] / 159.6922;
    c.mn = wt[MnO] / 70.9374;
    c.mg = wt[MgO] / 40.3044;
    return c;
}

RhombohedralFractions projectRhombohedral(const OxideAnalysis& wt) {
    const ModelCations c = modelCations(wt);
    RhombohedralFractions r;
    const CationTotals sums = totals(c);
    // 6 charges per 2 cations
    r.ferric = 3.0 * sums.cations - sums.nonIronCharge - 2.0 * c.fe;
    r.ferrous = c.fe - r.ferric;
    double moles[5] = {c.mg, std::max(r.ferric / 2.0, 0.0), std::max(r.ferrous, 0.0), c.mn,
                       (c.al + c.cr) / 2.0};
    double sum = 0.0;
    for (double m : moles) sum += m;
    if (!(sum > 0.0)) {
        r.geikielite = r.hematite = r.ilmenite = r.pyrophanite = r.corundum = kNaN;
        return r;
    }
    r.geikielite = moles[0] / sum;
    r.hematite = moles[1] / sum;
    r.ilmenite = moles[2] / sum;
    r.pyrophanite = moles[3] / sum;
    r.corundum = moles[4] / sum;
    // The clipped values are >= 0 by construction; the test is on the unclipped moles.
    r.feasible = r.ferric >= 0.0 && r.ferrous >= 0.0;
    return r;
}

SpinelFractions projectSpinel(const OxideAnalysis& wt) {
    const ModelCations c = modelCations(wt);
    SpinelFractions r;
    const CationTotals sums = totals(c);
    const double sumCat = sums.cations;
    // 8 charges per 3 cations
    double ferric = 8.0 / 3.0 * sumCat - sums.nonIronCharge - 2.0 * c.fe;
    double ferrous = c.fe - ferric;
    double fTet = 1.0, fOct = 1.0;
    r.ferric = ferric;
    r.cationExcess = ferric < 0.0;
    if (r.cationExcess) {
        ferric = DBL_EPSILON;
        ferrous = c.fe;
        const double tetDen = ferrous + c.mg;
        const double octDen = 2.0 * c.ti + c.al + c.cr;
        fTet = tetDen != 0.0 ? (sumCat / 3.0 + c.ti) / tetDen : 1.0;
        fOct = octDen != 0.0 ? (2.0 * sumCat / 3.0) / octDen : 1.0;
    }
    // The Co/Ni factor of the MELTS conversion is 1: both are left out.
    double chr = c.cr * fOct / 2.0;
    double herc =
        ferrous * fTet + c.mn * fTet - c.cr * fOct / 2.0 - ferric / 2.0 - 2.0 * c.ti * fOct;
    double mag = ferric / 2.0;
    double spl = c.mg * fTet;
    double ulv = c.ti * fOct;
    if (herc < 0.0 && -herc < std::sqrt(DBL_EPSILON)) herc = 0.0;
    const double sum = chr + herc + mag + spl + ulv;
    r.hasAluminium = wt[Al2O3] > 0.0;
    if (!(std::isfinite(sum) && sum > 0.0)) {
        r.chromite = r.hercynite = r.magnetite = r.spinel = r.ulvospinel = kNaN;
        return r;
    }
    r.chromite = chr / sum;
    r.hercynite = herc / sum;
    r.magnetite = mag / sum;
    r.spinel = spl / sum;
    r.ulvospinel = ulv / sum;
    // Without Al the residual is -spinel up to round-off; make it exact so that every Al site
    // fraction is exactly 0.
    if (!r.hasAluminium) r.hercynite = -r.spinel;
    const auto inUnit = [](double x) { return x >= 0.0 && x <= 1.0; };
    r.feasible = r.spinel >= 0.0 && r.spinel <= 1.0 + r.ulvospinel && inUnit(r.chromite) &&
                 inUnit(r.ulvospinel) && inUnit(r.magnetite) && r.hercynite >= -r.spinel &&
                 r.hercynite <= 1.0;
    return r;
}

}  // namespace kelvorad::ge08
