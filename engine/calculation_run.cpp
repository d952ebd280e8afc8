#include "calculation_run.h"

#include "fmq_buffer.h"
#include "results_row.h"

namespace kelvorad {

CalculationRun::CalculationRun(MethodChecks& checks)
    : checks_(checks),
      choices_(applyRunStartSteps(checks)),
      newerOptions_(NewerModelOptions::fromChecks(checks)),
      applyEquilibriumTest_(checks.isChecked(MethodItem::BH88TestforTO)),
      computeFullModel_(choices_.fullModel) {}

PairResult CalculationRun::computePair(const AnalysisPair& pair,
                                       const FullModelStart& start) const {
    PairResult r;
    r.input = pair;
    r.formulae = recalculatePair(pair, choices_.scheme);
    const OxideValues& mag = r.formulae.magnetite.cations;
    const OxideValues& ilm = r.formulae.ilmenite.cations;
    r.fractions = computeEndMembers(mag, ilm);
    r.thermometry = computeOxideThermometry(r.fractions, choices_.pressureBars);

    r.logMgMnMagnetite = logMgMn(mag);
    r.logMgMnIlmenite = logMgMn(ilm);
    r.sumsMagnetite = cationSums(mag);
    r.sumsIlmenite = cationSums(ilm);

    constexpr std::size_t kStormer = 3;
    const AL85StormerResults al85{r.thermometry.tAL85[kStormer], r.thermometry.fo2AL85[kStormer],
                                  r.thermometry.deltaNNOAL85[kStormer]};
    r.newer = computeNewerModels(mag, ilm, al85, choices_.pressureBars, newerOptions_);

    if (computeFullModel_) {
        r.fullModel = ge08::computeGe08Model(pair.magnetite.wt, pair.ilmenite.wt,
                                             choices_.modelPressureBars, start.from, start.reached);
    }

    // A pair that could not be tested (no Mg or Mn in a phase) keeps its estimates.
    r.equilibrium = equilibriumVerdict(mag, ilm);
    if (applyEquilibriumTest_ && r.equilibrium == EquilibriumVerdict::Failed) withdrawEstimates(r);
    if (pair.ilmenite.wt[TiO2] == 0.0) blankMissingIlmenite(r);
    // After the withdrawal and the blanking, so that the offsets go with their values.
    if (r.fullModel) addDeltaFMQ(r, choices_.modelPressureBars);
    return r;
}

void CalculationRun::processPair(const AnalysisPair& pair, PlotDataWriter* plots, std::string& row,
                                 PairResult* result) {
    PairResult computed = computePair(pair);
    if (plots && plots->addPair(computed, checks_)) noteNewerDeltaNNOLinesWritten();
    appendResultsRow(row, computed);
    if (result) *result = std::move(computed);
}

void addDeltaFMQ(PairResult& r, double pressureBars) {
    r.deltaFMQFullModel = deltaFMQ(r.fullModel->log10fO2, r.fullModel->temperatureC, pressureBars);
    for (std::size_t k = 0; k < r.deltaFMQAL85.size(); ++k) {
        r.deltaFMQAL85[k] =
            deltaFMQ(r.thermometry.fo2AL85[k], r.thermometry.tAL85[k], pressureBars);
    }
}

void withdrawEstimates(PairResult& r) {
    r.estimatesWithdrawn = true;
    OxideThermometry& t = r.thermometry;
    for (auto* values : {&t.tP77, &t.tSL81, &t.tAL85, &t.fo2P77, &t.fo2SL81, &t.fo2AL85, &t.nnoAL85,
                         &t.deltaNNOAL85}) {
        values->fill(kMissing);
    }
    r.newer.tS08 = r.newer.tGE08 = r.newer.logFO2S08 = kMissing;
    r.newer.deltaNNOS08 = r.newer.deltaNNOGE08 = kMissing;
    if (r.fullModel) {
        // The model's status stays: it tells what the model found.
        ge08::Ge08Result& m = *r.fullModel;
        m.temperatureC = m.log10fO2 = m.deltaNNO = m.aTiO2 = m.feMgTemperatureC = kMissing;
    }
}

void blankMissingIlmenite(PairResult& r) {
    r.ilmeniteMissing = true;
    r.input.ilmenite.sample.clear();
    r.input.ilmenite.wt.fill(kMissing);
    StructuralFormula& ilm = r.formulae.ilmenite;
    ilm.oxideTotal = ilm.fe2o3Calculated = ilm.feoCalculated = ilm.cationTotal = kMissing;
    ilm.cations.fill(kMissing);
    r.formulae.magnetite.oxygenBasisFactor = kMissing;
    ilm.oxygenBasisFactor = kMissing;
    EndMembers& e = r.fractions;
    for (double* v : {&e.uspC67, &e.magC67, &e.ilmC67, &e.hemC67, &e.uspA68, &e.ilmA68, &e.uspLS82,
                      &e.ilmLS82, &e.uspS83, &e.ilmS83, &e.xUsp, &e.xMt, &e.xIlm, &e.xHem,
                      &e.xUspPrime, &e.xMagPrime, &e.xIlmPrime, &e.xHemPrime}) {
        *v = kMissing;
    }
    const bool withdrawn = r.estimatesWithdrawn;
    withdrawEstimates(r);
    r.estimatesWithdrawn = withdrawn;
}

}  // namespace kelvorad
