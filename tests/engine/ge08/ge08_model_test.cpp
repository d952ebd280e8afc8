// The full Ghiorso and Evans (2008) model against the published values of its reference
// calculation: the OFM web-calculator example, five natural pairs of the GE08 test
// compilation, the step-by-step values at 1000 K, and the model's statuses.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ge08_model.h"
#include "nno_buffer.h"
#include "number_text.h"
#include "oxide_pair.h"
#include "oxide_projection.h"
#include "test_pairs.h"

namespace kelvorad::ge08 {
namespace {

using namespace check_pairs;

void expectAllMissing(const Ge08Result& r) {
    EXPECT_TRUE(isMissing(r.temperatureC));
    EXPECT_TRUE(isMissing(r.log10fO2));
    EXPECT_TRUE(isMissing(r.deltaNNO));
    EXPECT_TRUE(isMissing(r.aTiO2));
}

TEST(Ge08Model, WebsiteExample) {
    const Ge08Result r = computeGe08Model(websiteMagnetite(), websiteIlmenite(), 2000.0);
    ASSERT_EQ(r.status, Ge08Status::converged);
    // The OFM site shows 724 C, dNNO 1.61, a_TiO2 0.894; the reference calculation printed
    // 724.072806179801, 1.613240788544294 and 0.8938677107462636.
    EXPECT_NEAR(r.temperatureC, 724.072806179801, 1e-6);
    EXPECT_NEAR(r.deltaNNO, 1.613240788544294, 1e-7);
    EXPECT_NEAR(r.aTiO2, 0.8938677107462636, 1e-8);
    EXPECT_NEAR(r.log10fO2, -13.935200, 6e-7);
    EXPECT_TRUE(isMissing(r.feMgTemperatureC));  // "No Fe-Mg equilibration temperature found"
    EXPECT_EQ(std::string(ge08StatusText(r.status)), "converged");
}

// The step-by-step values of the website pair at T = 1000 K, P = 2000 bar (not at the root).
TEST(Ge08Model, WebsitePairAt1000K) {
    const SpinelFractions sp = projectSpinel(websiteMagnetite());
    const RhombohedralFractions rh = projectRhombohedral(websiteIlmenite());
    const OxidePair pair(
        {sp.chromite, sp.hercynite, sp.magnetite, sp.spinel, sp.ulvospinel, sp.hasAluminium},
        {rh.geikielite, rh.hematite, rh.ilmenite, rh.pyrophanite, rh.corundum}, 2000.0);
    const PairState state = pair.equilibrate(1000.0);
    ASSERT_TRUE(state.valid());
    EXPECT_NEAR(feTiExchangeGibbs(state), -123.891848, 6e-7);
    const double logFo2 = log10OxygenFugacity(state);
    EXPECT_NEAR(logFo2, -13.8775174, 6e-8);
    EXPECT_NEAR(logFo2 - nnoLog10Fo2(1000.0, 2000.0), 1.6029270, 6e-8);
}

struct NaturalPair {
    const char* sample;
    Analysis magnetite, ilmenite;
    double temperatureC, deltaNNO, log10fO2, aTiO2;
    double feMgC;          // NaN: "none"
    double feMgTolerance;  // half a unit of the last printed digit
};

TEST(Ge08Model, FiveNaturalPairsOfTheCompilation) {
    const NaturalPair pairs[] = {
        {"Hat Creek olivine basalt",
         compilationAnalysis({0.14, 26.1, 0.41, 0.02, 68.8, 0.67, 0.87, 0.10}, 0.55, 0.09, 0),
         compilationAnalysis({0.14, 49.5, 0.05, 0.00, 47.7, 0.70, 0.69, 0.20}, 0, 0, 0), 979.352298,
         -1.492634, -12.0631, 0.497441, NAN, 0},
        {"G151 rhyolite, Thingmuli",
         compilationAnalysis({0.13, 21.5, 1.15, 0.00, 73.6, 0.88, 0.32, 0.03}, 0, 0.23, 0),
         compilationAnalysis({0.05, 49.8, 0.04, 0.00, 47.7, 0.98, 0.62, 0.06}, 0, 0.10, 0),
         863.611729, -1.588021, -14.1352, 0.420164, 646.456, 5e-4},
        {"Oraefi obsidian",
         compilationAnalysis({0.11, 22.1, 0.64, 0.01, 73.0, 1.00, 0.06, 0.04}, 0, 0.27, 0),
         compilationAnalysis({0.03, 49.9, 0.03, 0.00, 47.9, 1.23, 0.10, 0.04}, 0, 0, 0), 846.588323,
         -1.851335, -14.7241, 0.389298, 742.4536825, 1e-5},
        {"AC-5 pitchstone sill, Arran",
         compilationAnalysis({0.07, 19.8, 0.99, 0.10, 74.0, 0.76, 0.40, 0.01}, 0.30, 0.22, 0),
         compilationAnalysis({0.03, 48.9, 0.06, 0.02, 48.7, 1.02, 0.47, 0.00}, 0, 0.05, 0),
         902.563333, -1.030617, -12.8685, 0.490586, 1374.8184586, 1e-5},
        {"AC-7 pitchstone dike, Arran",
         compilationAnalysis({0.08, 19.7, 0.93, 0.02, 75.5, 0.64, 0.34, 0.00}, 0.05, 0.21, 0),
         compilationAnalysis({0.04, 49.6, 0.06, 0.00, 48.3, 0.82, 0.63, 0.02}, 0, 0, 0), 855.475008,
         -1.346514, -14.0481, 0.437825, 940.2633567, 1e-5},
    };
    for (const NaturalPair& p : pairs) {
        SCOPED_TRACE(p.sample);
        const Ge08Result r = computeGe08Model(p.magnetite, p.ilmenite, 2000.0);
        ASSERT_EQ(r.status, Ge08Status::converged);
        EXPECT_NEAR(r.temperatureC, p.temperatureC, 1e-3);
        EXPECT_NEAR(r.deltaNNO, p.deltaNNO, 1e-4);
        EXPECT_NEAR(r.log10fO2, p.log10fO2, 6e-5);
        EXPECT_NEAR(r.aTiO2, p.aTiO2, 6e-7);
        if (std::isnan(p.feMgC)) {
            EXPECT_TRUE(isMissing(r.feMgTemperatureC));
        } else {
            EXPECT_NEAR(r.feMgTemperatureC, p.feMgC, p.feMgTolerance);
        }
    }
}

// The model depends on P (computed from the model's equations: 721.163 C / 1.687 at 1 bar,
// 728.499 C / 1.505 at 5000 bar for the website pair).
TEST(Ge08Model, PressureDependence) {
    const Ge08Result oneBar = computeGe08Model(websiteMagnetite(), websiteIlmenite(), 1.0);
    const Ge08Result fiveKbar = computeGe08Model(websiteMagnetite(), websiteIlmenite(), 5000.0);
    EXPECT_NEAR(oneBar.temperatureC, 721.163, 6e-4);
    EXPECT_NEAR(oneBar.deltaNNO, 1.687, 6e-4);
    EXPECT_NEAR(fiveKbar.temperatureC, 728.499, 6e-4);
    EXPECT_NEAR(fiveKbar.deltaNNO, 1.505, 6e-4);
}

TEST(Ge08Model, IgnoredOxidesAndTheFerricSplitChangeNothing) {
    Analysis mag = websiteMagnetite(), ilm = websiteIlmenite();
    for (Analysis* a : {&mag, &ilm}) {
        (*a)[SiO2] = 0.5, (*a)[V2O3] = 0.4, (*a)[Nb2O3] = 0.1, (*a)[NiO] = 0.2, (*a)[ZnO] = 0.3;
        (*a)[CaO] = 0.2, (*a)[13] = 0.1, (*a)[14] = 0.1, (*a)[15] = 0.05;
        (*a)[Fe2O3] = 10.0;
        (*a)[FeO] -= 10.0 * 2.0 * 71.8464 / 159.6922;  // the same total iron
    }
    const Ge08Result r = computeGe08Model(mag, ilm, 2000.0);
    ASSERT_EQ(r.status, Ge08Status::converged);
    EXPECT_NEAR(r.temperatureC, 724.072806179801, 1e-6);
    EXPECT_NEAR(r.deltaNNO, 1.613240788544294, 1e-7);
}

// Absent Al, Mg (and Cr, Mn): the pair converges, and to the limit of trace amounts.
TEST(Ge08Model, AbsentComponentsConverge) {
    const auto withTrace = [](Analysis a, int oxide, double amount) {
        a[oxide] = amount;
        return a;
    };
    for (int oxide : {Al2O3, MgO}) {
        SCOPED_TRACE(oxide);
        const Analysis mag = withTrace(websiteMagnetite(), oxide, 0.0);
        const Analysis ilm = withTrace(websiteIlmenite(), oxide, 0.0);
        const Ge08Result absent = computeGe08Model(mag, ilm, 2000.0);
        ASSERT_EQ(absent.status, Ge08Status::converged);
        const Ge08Result trace =
            computeGe08Model(withTrace(mag, oxide, 1e-7), withTrace(ilm, oxide, 1e-7), 2000.0);
        ASSERT_EQ(trace.status, Ge08Status::converged);
        EXPECT_NEAR(absent.temperatureC, trace.temperatureC, 1e-4);
        EXPECT_NEAR(absent.deltaNNO, trace.deltaNNO, 1e-6);
        EXPECT_NEAR(absent.aTiO2, trace.aTiO2, 1e-6);
        // Only in the magnetite as well.
        EXPECT_EQ(computeGe08Model(mag, websiteIlmenite(), 2000.0).status, Ge08Status::converged);
    }
    // No Mg in either phase: the Fe-Mg exchange is undefined, never an artefact.
    EXPECT_TRUE(isMissing(computeGe08Model(withTrace(websiteMagnetite(), MgO, 0.0),
                                           withTrace(websiteIlmenite(), MgO, 0.0), 2000.0)
                              .feMgTemperatureC));
    // A plain Fe-Ti pair: no Al, Mg, Cr or Mn anywhere.
    Analysis mag{}, ilm{};
    mag[TiO2] = 4.35, mag[FeO] = 86.34;
    ilm[TiO2] = 28.73, ilm[FeO] = 65.98;
    const Ge08Result plain = computeGe08Model(mag, ilm, 2000.0);
    EXPECT_EQ(plain.status, Ge08Status::converged);
    EXPECT_TRUE(std::isfinite(plain.temperatureC));
    EXPECT_TRUE(isMissing(plain.feMgTemperatureC));
}

// The Fe-Ti exchange dG keeps one sign over 500-2500 K: status "no root", no numbers.
TEST(Ge08Model, NoRootInTheBracket) {
    Analysis mag{}, ilm{};
    // Nearly pure magnetite with nearly pure ilmenite: dG < 0 even at 500 K.
    mag[TiO2] = 0.05, mag[FeO] = 92.5;
    ilm[TiO2] = 52.0, ilm[FeO] = 47.0;
    const Ge08Result cold = computeGe08Model(mag, ilm, 2000.0);
    EXPECT_EQ(cold.status, Ge08Status::noRoot);
    EXPECT_EQ(std::string(ge08StatusText(cold.status)), "no root");
    expectAllMissing(cold);
    // Ulvospinel-rich magnetite with hematite-rich ilmenite: dG > 0 even at 2500 K.
    mag[TiO2] = 33.0, mag[FeO] = 66.0;
    ilm[TiO2] = 2.0, ilm[FeO] = 88.0;
    const Ge08Result hot = computeGe08Model(mag, ilm, 2000.0);
    EXPECT_EQ(hot.status, Ge08Status::noRoot);
    expectAllMissing(hot);
}

TEST(Ge08Model, OutsideTheModel) {
    const auto outside = [](const Analysis& mag, const Analysis& ilm, double p = 2000.0) {
        const Ge08Result r = computeGe08Model(mag, ilm, p);
        EXPECT_EQ(r.status, Ge08Status::outsideModel);
        EXPECT_EQ(std::string(ge08StatusText(r.status)), "outside model");
        expectAllMissing(r);
        EXPECT_TRUE(isMissing(r.feMgTemperatureC));
    };
    Analysis ilm = websiteIlmenite(), mag = websiteMagnetite();
    {
        SCOPED_TRACE("ilmenite with more Ti than FeTiO3: Fe3+ < 0");
        Analysis i{};
        i[TiO2] = 55.0, i[FeO] = 45.0;
        outside(mag, i);
    }
    {
        SCOPED_TRACE("magnetite with cation excess");
        Analysis m{};
        m[TiO2] = 40.0, m[FeO] = 60.0;
        outside(m, ilm);
    }
    {
        SCOPED_TRACE("no ulvospinel: magnetite without TiO2");
        Analysis m = mag;
        m[TiO2] = 0.0;
        outside(m, ilm);
    }
    {
        SCOPED_TRACE("bad numbers");
        Analysis m = mag;
        m[MgO] = -0.1;
        outside(m, ilm);
        m[MgO] = NAN;
        outside(m, ilm);
        outside(mag, ilm, NAN);
        outside(mag, ilm, -1.0);
        outside(Analysis{}, ilm);
    }
}

}  // namespace
}  // namespace kelvorad::ge08
