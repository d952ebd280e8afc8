#include "oxide_thermometry.h"

#include "safe_math.h"

namespace kelvorad {

using safe::div;

namespace {
constexpr double kGasConstant = 8.314;  // J/(mol K), as the calibrations use it
constexpr double kKelvin = 273.15;

constexpr std::array<FractionScheme, 4> kSchemes{FractionScheme::C67, FractionScheme::A68,
                                                 FractionScheme::LS82, FractionScheme::S83};
}  // namespace

double powellTemperature(double x, double y) {
    const double k1 = div(x * (1 - y), (1 - x) * y);
    return safe::checked(div(8155, 4.59 - safe::ln(k1)) - kKelvin);
}

double powellOxygenValue(double x, double y) {
    const double argument = div(safe::pow(y, 6) * ((1 - x) * (1 - x)), safe::pow(x, 6)) * x *
                            safe::pow(1 - (1 - x), 10.702);
    return safe::checked(safe::ln(argument) - 4.94);
}

double feTiTemperature(double x, double y, const FeTiCalibration& c) {
    const double a1 = -3 * (x * x) + 4 * x - 1;
    const double a2 = 3 * (x * x) - 2 * x;
    const double b1 = -3 * (y * y) + 4 * y - 1;
    const double b2 = 3 * (y * y) - 2 * y;
    const double k2 = div(x * ((1 - y) * (1 - y)), (1 - x) * (y * y));
    const double enthalpy = -c.h1 * a1 - c.h2 * a2 + c.h3 * b1 + c.h4 * b2 + c.h0;
    const double entropy = -c.s1 * a1 - c.s2Temperature * a2 + c.s3 * b1 + c.s4 * b2 + c.s0 -
                           kGasConstant * safe::ln(k2);
    return safe::checked(div(enthalpy, entropy) - kKelvin);
}

double feTiLogFO2(double x, double y, double temperatureC, const FeTiCalibration& c) {
    const double t = temperatureC + kKelvin;
    const double margules = 8 * (x * x) * (x - 1) * (c.h1 - t * c.s1) +
                            4 * (x * x) * (1 - 2 * x) * (c.h2 - t * c.s2Oxygen) +
                            12 * (y * y) * (1 - y) * (c.h3 - t * c.s3) -
                            6 * (y * y) * (1 - 2 * y) * (c.h4 - t * c.s4);
    const double bracket =
        12 * safe::ln(1 - y) - 4 * safe::ln(1 - x) + div(1, kGasConstant * t) * margules;
    return safe::checked(13.966 - div(24634, t) + bracket / 2.303);
}

double nnoBuffer(double temperatureC, double pressureBars) {
    const double t = temperatureC + kKelvin;
    return safe::checked(div(-24930, t) + 9.36 + div(0.046 * (pressureBars - 1), t));
}

OxideThermometry computeOxideThermometry(const EndMembers& fractions, double pressureBars) {
    OxideThermometry r;
    for (std::size_t s = 0; s < kSchemes.size(); ++s) {
        const double x = fractions.schemeXusp(kSchemes[s]);
        const double y = fractions.schemeXilm(kSchemes[s]);
        r.tP77[s] = powellTemperature(x, y);
        r.fo2P77[s] = powellOxygenValue(x, y);
        r.tSL81[s] = feTiTemperature(x, y, kSpencerLindsley1981);
        r.fo2SL81[s] = feTiLogFO2(x, y, r.tSL81[s], kSpencerLindsley1981);
        r.tAL85[s] = feTiTemperature(x, y, kAndersenLindsley1985);
        r.fo2AL85[s] = feTiLogFO2(x, y, r.tAL85[s], kAndersenLindsley1985);
        r.nnoAL85[s] = nnoBuffer(r.tAL85[s], pressureBars);
        r.deltaNNOAL85[s] = safe::checked(r.fo2AL85[s] - r.nnoAL85[s]);
    }
    return r;
}

}  // namespace kelvorad
