#include "uncertainty_columns.h"

#include <algorithm>
#include <stdexcept>

namespace kelvorad {

namespace {
// The statistics of a named quantity of kUncertaintyQuantities.
const DrawStatistics& statisticsOf(const PairUncertainty& pair, std::string_view name) {
    const UncertaintyQuantity* quantity = findUncertaintyQuantity(name);
    if (!quantity) throw std::logic_error("no uncertainty quantity " + std::string(name));
    return pair.draws.at(static_cast<std::size_t>(quantity - kUncertaintyQuantities.data()));
}
}  // namespace

std::vector<std::string> uncertaintyHeaders() {
    std::vector<std::string> headers;
    for (const UncertaintyQuantity& q : kUncertaintyQuantities) {
        for (const char* suffix : {" sd", " p2.5", " p97.5"}) {
            headers.emplace_back(q.header).append(suffix);
        }
    }
    return headers;
}

void appendUncertaintyFields(std::string& row, const PairUncertainty& pair) {
    const long fields = std::count(row.begin(), row.end(), '\t') + 1;
    row.append(static_cast<std::size_t>(std::max(0L, kUncertaintyFirstColumn - fields)), '\t');
    for (const DrawStatistics& s : pair.draws) {
        for (double value : {s.sd, s.percentile2_5, s.percentile97_5}) {
            row.push_back('\t');
            if (!isMissing(value)) appendNumber(row, value);
        }
    }
}

PlotSigmas plotSigmas(const PairUncertainty& pair) {
    const auto sd = [&pair](std::string_view name) { return statisticsOf(pair, name).sd; };
    PlotSigmas s;
    s.tAL85S83 = sd("T_AL85_S83");
    s.logFO2AL85S83 = sd("logfO2_AL85_S83");
    s.deltaNNOAL85S83 = sd("DeltaNNO_AL85_S83");
    s.tS08 = sd("T_S08");
    s.deltaNNOS08 = sd("DeltaNNO_S08");
    s.tGE08 = sd("T_GE08_regression");
    s.deltaNNOGE08 = sd("DeltaNNO_GE08_regression");
    s.tFullModel = sd("T_GE08_model");
    s.deltaNNOFullModel = sd("DeltaNNO_GE08_model");
    return s;
}

}  // namespace kelvorad
