#pragma once
// The fayalite-magnetite-quartz buffer of Frost (1991, Rev. Mineral. 25, 1-9, Table 1), and an
// oxygen fugacity's offset from it:
//   log10 fO2(FMQ) = A / T + B + C (P - 1) / T,  T in K, P in bar
//   beta-quartz (above 573 C): A = -25096.3, B = 8.735, C = 0.110
//   alpha-quartz (573 C and below): A = -26455.3, B = 10.344, C = 0.092

namespace kelvorad {

// log10 fO2 of the FMQ buffer at T (K) and P (bar); missing (NaN) for a T that is missing or
// not above 0 K.
double fmqLog10fO2(double temperatureK, double pressureBars);

// log10 fO2 - log10 fO2(FMQ) at the same T (C) and P (bar); missing where either is missing.
double deltaFMQ(double log10fO2, double temperatureC, double pressureBars);

}  // namespace kelvorad
