#pragma once
// A Gibbs energy and its temperature derivative, the pair every root search of the model needs.

namespace kelvorad::ge08 {

struct GibbsWithSlope {
    double gibbs = 0.0;  // J/mol
    double slope = 0.0;  // dG/dT at fixed P (and composition), J/(mol K)
};

}  // namespace kelvorad::ge08
