#pragma once
// Parameters of the spinel solution model (chromite-hercynite-magnetite-spinel-ulvospinel) of
// Sack and Ghiorso (1991a, Contrib. Mineral. Petrol. 106, 474-505: Fe-Mg titanomagnetite-
// aluminate spinels; 1991b, Am. Mineral.: chromian spinels), as used unchanged by Ghiorso and
// Evans (2008) and carried by the MELTS spinel phase, and the second-order Taylor coefficients
// of its vibrational Gibbs energy built from them.
//
// Base parameters in kcal/mol (S55 in J/K); the Taylor coefficients are in J/mol.

namespace kelvorad::ge08 {

struct SpinelBaseParameters {
    double H11, W11, W14, W1P4, W15, W1P5, W15P, W1P5P;
    double W22, H24, W24U, W2P4U, H25, W25PU, W2P5U, W45;
    double W45P, W4U5PU, H55, S55, W55, HEX, HX, WOCT;
    double WTET, H33, H23, W33, W13, W1P3, W13P, W1P3P;
    double W2P3U, W23PU, W34, W3P4, W3PU4U, W35, W3P5, W35P;
    double W3P5P;
};

inline constexpr double kJoulesPerKilocalorie = 4184.0;

inline constexpr SpinelBaseParameters kSpinelBase = {
    -8.7, 4.5,   20.8, 12.4, 10.0, 14.4, 11.7, 7.0,  //
    3.6,  6.55,  12.6, 10.9, 8.05, 15.3, 14.4, 6.0,  //
    2.0,  1.8,   6.25, 0.0,  0.0,  -3.6, 2.4,  2.0,  //
    2.0,  -20.0, 0.0,  7.0,  10.0, 15.2, 11.3, 5.9,  //
    10.0, 9.7,   12.5, 10.0, 10.4, 0.0,  10.0, 8.0,  //
    0.0,
};

// The only pressure term of the spinel mixing model: X_ulv X_mag (WV1 X_mag + WV2 X_ulv)(P - 1),
// J/bar.
inline constexpr double kSpinelWV1 = -0.1250;
inline constexpr double kSpinelWV2 = 0.1018;

// Taylor coefficients: g_ab multiplies the product a*b of the variables X2 (spinel), X3
// (chromite), X4 (ulvospinel), X5 (magnetite), s1, s2, s3 (= X3), s4. All constant and linear X
// coefficients are zero.
struct SpinelTaylor {
    double s1, s2, s3, s4;
    double x2x2, x2x3, x2x4, x2x5, x2s1, x2s2, x2s3, x2s4;
    double x3x3, x3x4, x3x5, x3s1, x3s2, x3s3, x3s4;
    double x4x4, x4x5, x4s1, x4s2, x4s3, x4s4;
    double x5x5, x5s1, x5s2, x5s3, x5s4;
    double s1s1, s1s2, s1s3, s1s4, s2s2, s2s3, s2s4, s3s3, s3s4, s4s4;
};

constexpr SpinelTaylor spinelTaylor(const SpinelBaseParameters& b) {
    SpinelTaylor g{};
    g.s1 = 0.5 * (-b.WOCT + b.W24U - b.W14 + 0.5 * b.HX + 0.5 * b.HEX + b.H24);
    g.s2 = b.W11 + b.H11;
    g.s3 = b.W13P - b.W13 + b.H33;
    g.s4 = b.W15P - b.W15 + b.H55;

    g.x2x2 = -0.25 * (b.WTET + b.WOCT + b.HX);
    g.x2x3 = 0.5 * (b.W2P3U - b.W22 - b.W1P3 + b.W11 + 2.0 * b.H23);
    g.x2x4 = 0.5 * (b.WTET - b.W24U + b.W14 + 0.5 * b.HX - 0.5 * b.HEX + b.H24);
    g.x2x5 = 0.5 * (-b.W22 + b.W11 + b.W2P5U - b.W1P5 + 2.0 * b.H25);
    g.x2s1 = 0.5 * (b.WOCT - b.WTET);
    g.x2s2 = 0.5 *
             (b.WTET - b.W22 + b.W11 - b.WOCT + 2.0 * b.W2P4U - 2.0 * b.W1P4 - b.HEX + 2.0 * b.H24);
    g.x2s3 = 0.5 * (b.WTET - b.WOCT + 2.0 * b.W3PU4U - 2.0 * b.W3P4 - b.W2P3U - b.W23PU + b.W22 +
                    b.W1P3 + b.W13P - b.W11 - b.HEX + 2.0 * b.H24 - 2.0 * b.H23);
    g.x2s4 = 0.5 * (b.WTET - b.WOCT - b.W11 + b.W22 + 2.0 * b.W4U5PU - 2.0 * b.W45P - b.W2P5U -
                    b.W25PU + b.W1P5 + b.W15P - b.HEX - 2.0 * b.H25 + 2.0 * b.H24);

    g.x3x3 = -b.W13;
    g.x3x4 = b.W34 - b.W14 - b.W13;
    g.x3x5 = b.W35 - b.W15 - b.W13;
    g.x3s1 = 0.5 * (b.W2P3U - b.W22 - b.W1P3 + b.W11);
    g.x3s2 = b.W1P3 - b.W13 - b.W11;
    g.x3s3 = b.W33 - b.W13P + b.W13;
    g.x3s4 = b.W35P - b.W35 - b.W15P + b.W15;

    g.x4x4 = -b.W14;
    g.x4x5 = b.W45 - b.W15 - b.W14;
    g.x4s1 = 0.5 * (b.WTET - b.W24U + b.W14 - 0.5 * b.HX + 0.5 * b.HEX - b.H24);
    g.x4s2 = -b.W11 + b.W1P4 - b.W14;
    g.x4s3 = b.W3P4 - b.W34 - b.W13P + b.W13;
    g.x4s4 = b.W45P - b.W45 - b.W15P + b.W15;

    g.x5x5 = -b.W15;
    g.x5s1 = 0.5 * (-b.W22 + b.W11 + b.W2P5U - b.W1P5);
    g.x5s2 = -b.W11 + b.W1P5 - b.W15;
    g.x5s3 = b.W3P5 - b.W35 - b.W13P + b.W13;
    g.x5s4 = b.W55 - b.W15P + b.W15;

    g.s1s1 = 0.25 * (-b.WTET - b.WOCT + b.HX);
    g.s1s2 = 0.5 * (b.WTET - b.W22 + b.W11 + b.WOCT - b.HX);
    g.s1s3 = 0.5 * (b.WTET + b.WOCT - b.W2P3U - b.W23PU + b.W22 + b.W1P3 + b.W13P - b.W11 - b.HX);
    g.s1s4 = 0.5 * (b.WTET + b.WOCT + b.W22 - b.W11 - b.W2P5U - b.W25PU + b.W1P5 + b.W15P - b.HX);
    g.s2s2 = -b.W11;
    g.s2s3 = b.W1P3P - b.W1P3 - b.W13P + b.W13;
    g.s2s4 = b.W1P5P - b.W1P5 - b.W15P + b.W15;
    g.s3s3 = -b.W33;
    g.s3s4 = b.W3P5P - b.W3P5 - b.W35P + b.W35;
    g.s4s4 = -b.W55;
    return g;
}

constexpr SpinelBaseParameters inJoules(SpinelBaseParameters b) {
    double* fields[] = {&b.H11,    &b.W11,  &b.W14,   &b.W1P4,   &b.W15,   &b.W1P5, &b.W15P,
                        &b.W1P5P,  &b.W22,  &b.H24,   &b.W24U,   &b.W2P4U, &b.H25,  &b.W25PU,
                        &b.W2P5U,  &b.W45,  &b.W45P,  &b.W4U5PU, &b.H55,   &b.W55,  &b.HEX,
                        &b.HX,     &b.WOCT, &b.WTET,  &b.H33,    &b.H23,   &b.W33,  &b.W13,
                        &b.W1P3,   &b.W13P, &b.W1P3P, &b.W2P3U,  &b.W23PU, &b.W34,  &b.W3P4,
                        &b.W3PU4U, &b.W35,  &b.W3P5,  &b.W35P,   &b.W3P5P};
    for (double* f : fields) *f *= kJoulesPerKilocalorie;
    return b;  // S55 (J/K) is left as it is
}

inline constexpr SpinelTaylor kSpinelTaylor = spinelTaylor(inJoules(kSpinelBase));

}  // namespace kelvorad::ge08
