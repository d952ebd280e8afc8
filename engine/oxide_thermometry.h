#pragma once
// Fe-Ti oxide thermometers and oxygen barometers for a magnetite-ilmenite pair, each applied to
// the (Xusp, Xilm) of the four fraction schemes:
//   P77  Powell and Powell (1977), Mineral. Mag. 41, 257-263
//   SL81 Spencer and Lindsley (1981), Am. Mineral. 66, 1189-1201
//   AL85 Andersen and Lindsley (1985), EOS 66, 416
// and the Andersen and Lindsley (1985) oxygen fugacities relative to the nickel-nickel oxide
// (NNO) buffer at the run's pressure. Temperatures are computed in kelvin and reported in C
// (T(K) = T(C) + 273.15); oxygen fugacities are log10 values except where noted.

#include <array>

#include "end_members.h"

namespace kelvorad {

// Regular-solution (Margules) and exchange parameters of a Fe-Ti oxide calibration, J and J/K.
// H1, S1 go with a1; H2, S2 with a2 (magnetite); H3, S3 with b1; H4, S4 with b2 (ilmenite);
// H0, S0 are the Fe-Ti exchange reaction's.
struct FeTiCalibration {
    double h1, s1, h2, s2Temperature, s2Oxygen, h3, s3, h4, s4, h0, s0;
};

inline constexpr FeTiCalibration kSpencerLindsley1981{64835,  60.296, 20798,  19.652, 30.3, 102374,
                                                      71.095, 36818,  7.7714, 27799,  4.192};
inline constexpr FeTiCalibration kAndersenLindsley1985{48050,   41.4,  32075,  30.3,  30.3,  136900,
                                                       111.965, 33020, 2.5008, 30782, 6.0655};

// Powell and Powell (1977): T(C) = 8155 / (4.59 - ln K1) - 273.15 with
// K1 = x(1 - y) / ((1 - x) y), x = Xusp, y = Xilm.
double powellTemperature(double x, double y);

// Powell and Powell (1977) oxygen value, a natural logarithm as published:
// ln( y^6 (1 - x)^2 / x^6 * x * (1 - (1 - x))^10.702 ) - 4.94.
double powellOxygenValue(double x, double y);

// Spencer and Lindsley (1981) form of the Fe-Ti exchange thermometer, T in C:
// T(K) = (-H1 a1 - H2 a2 + H3 b1 + H4 b2 + H0) / (-S1 a1 - S2 a2 + S3 b1 + S4 b2 + S0 - R ln K2)
// with a1 = -3x^2 + 4x - 1, a2 = 3x^2 - 2x, b1 = -3y^2 + 4y - 1, b2 = 3y^2 - 2y,
// K2 = x(1 - y)^2 / ((1 - x) y^2) and R = 8.314 J/(mol K).
double feTiTemperature(double x, double y, const FeTiCalibration& c);

// log10 fO2 at T (C) of the matching thermometer:
// 13.966 - 24634/T + [12 ln(1 - y) - 4 ln(1 - x) + (1/(R T)) (8x^2(x - 1)(H1 - T S1)
//  + 4x^2(1 - 2x)(H2 - T S2) + 12y^2(1 - y)(H3 - T S3) - 6y^2(1 - 2y)(H4 - T S4))] / 2.303
double feTiLogFO2(double x, double y, double temperatureC, const FeTiCalibration& c);

// The NNO buffer, log10 fO2 = -24930/T + 9.36 + 0.046 (P - 1)/T, T in kelvin from the C value
// given, P in bars.
double nnoBuffer(double temperatureC, double pressureBars);

// The twelve combinations, each array in scheme order C67, A68, LS82, S83.
struct OxideThermometry {
    std::array<double, 4> tP77{}, tSL81{}, tAL85{};        // C
    std::array<double, 4> fo2P77{}, fo2SL81{}, fo2AL85{};  // P77: ln value; others log10
    std::array<double, 4> nnoAL85{};                       // NNO at each AL85 temperature
    std::array<double, 4> deltaNNOAL85{};                  // fO2 AL85 - NNO
};

// All twelve combinations for a pair, whatever the menus say. A failed step (a logarithm of a
// number that is not positive, x or y of 0 or 1, a zero denominator) leaves its value missing.
OxideThermometry computeOxideThermometry(const EndMembers& fractions, double pressureBars);

}  // namespace kelvorad
