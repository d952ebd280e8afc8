#pragma once
// The nickel-nickel oxide buffer of the model's oxygen fugacities: O'Neill and Pownceby (1993,
// Contrib. Mineral. Petrol. 114, 296-314) with the pressure correction suggested by Frost
// (1991, Rev. Mineral. 25):
//   log10 fO2(NNO) = -25018.7 / T + 12.981 + 0.046 (P - 1) / T - 0.5117 ln T
// T in K, P in bar. (Not Frost's own NNO, -24930 / T + 9.36 + 0.046 (P - 1) / T, which lies
// 0.07 log units higher at 900 C.)

namespace kelvorad::ge08 {

// log10 fO2 of the NNO buffer at T (K) and P (bar). T must be > 0.
double nnoLog10Fo2(double temperatureK, double pressureBars);

}  // namespace kelvorad::ge08
