#include "results_row.h"

namespace kelvorad {

namespace {

// Writes fields one after another, a TAB before every field but the first.
class RowWriter {
  public:
    explicit RowWriter(std::string& out) : out_(out) {}

    void text(std::string_view value) {
        separate();
        out_.append(value);
    }
    void number(double value) {
        separate();
        appendNumber(out_, value);
    }
    template <typename Values>
    void numbers(const Values& values) {
        for (double v : values) number(v);
    }
    void empty() { separate(); }

  private:
    void separate() {
        if (started_) out_.push_back('\t');
        started_ = true;
    }
    std::string& out_;
    bool started_ = false;
};

void writeMineral(RowWriter& w, const MineralAnalysis& analysis, const StructuralFormula& f) {
    w.text(analysis.sample);
    w.numbers(analysis.wt);
    w.number(f.oxideTotal);
    w.number(f.fe2o3Calculated);
    w.number(f.feoCalculated);
    w.numbers(f.cations);
    w.number(f.cationTotal);
}

}  // namespace

void appendResultsRow(std::string& out, const PairResult& r) {
    RowWriter w(out);
    writeMineral(w, r.input.magnetite, r.formulae.magnetite);  // 0-36
    w.empty();                                                 // 37
    writeMineral(w, r.input.ilmenite, r.formulae.ilmenite);    // 38-74
    w.empty();                                                 // 75
    w.number(r.formulae.magnetite.oxygenBasisFactor);          // 76
    w.number(r.formulae.ilmenite.oxygenBasisFactor);           // 77
    const EndMembers& e = r.fractions;
    w.numbers(std::initializer_list<double>{e.uspC67, e.magC67, e.ilmC67, e.hemC67,     // 78-81
                                            e.uspA68, e.ilmA68, e.uspLS82, e.ilmLS82,   // 82-85
                                            e.uspS83, e.ilmS83, e.xUsp, e.xMt, e.xIlm,  // 86-90
                                            e.xHem, e.xUspPrime, e.xMagPrime,           // 91-93
                                            e.xIlmPrime, e.xHemPrime});                 // 94-95
    w.empty();                                                                          // 96
    const OxideThermometry& t = r.thermometry;
    w.numbers(t.tP77);                              // 97-100
    w.numbers(t.tSL81);                             // 101-104
    w.numbers(t.tAL85);                             // 105-108
    w.number(r.newer.tS08);                         // 109
    w.number(r.newer.tGE08);                        // 110
    w.empty();                                      // 111
    w.numbers(t.fo2P77);                            // 112-115
    w.numbers(t.fo2SL81);                           // 116-119
    w.numbers(t.fo2AL85);                           // 120-123
    w.number(r.newer.logFO2S08);                    // 124
    w.empty();                                      // 125
    w.numbers(t.deltaNNOAL85);                      // 126-129
    w.number(r.newer.deltaNNOS08);                  // 130
    w.number(r.newer.deltaNNOGE08);                 // 131
    w.empty();                                      // 132
    w.text(equilibriumVerdictText(r.equilibrium));  // 133
    if (r.fullModel) {
        const ge08::Ge08Result& m = *r.fullModel;
        w.empty();                               // 134
        w.number(m.temperatureC);                // 135
        w.number(m.log10fO2);                    // 136
        w.number(m.deltaNNO);                    // 137
        w.number(m.aTiO2);                       // 138
        w.number(m.feMgTemperatureC);            // 139
        w.text(ge08::ge08StatusText(m.status));  // 140
        w.empty();                               // 141
        w.number(r.deltaFMQFullModel);           // 142
        w.numbers(r.deltaFMQAL85);               // 143-146
    }
}

std::string resultsRow(const PairResult& result) {
    std::string row;
    row.reserve(2048);
    appendResultsRow(row, result);
    return row;
}

}  // namespace kelvorad
