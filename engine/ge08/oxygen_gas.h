#pragma once
// Standard-state chemical potential of O2 gas at 1 bar, the function MELTS uses (attributed to
// Berman 1988, J. Petrol. 29, 445-522): H(Tr) = 0, S(Tr) = 205.15 J/(mol K),
//   Cp = 23.10248 + 804.8876 T^-1/2 + 1762835 T^-2 - 18172.9196 T^-1 + 0.002676 T  (J/(mol K))
// with H and S integrated from Tr = 298.15 K; mu = H - T S. No pressure term.

namespace kelvorad::ge08 {

// mu_O2(T) in J/mol at T (K). T must be > 0.
double oxygenChemicalPotential(double temperatureK);

}  // namespace kelvorad::ge08
