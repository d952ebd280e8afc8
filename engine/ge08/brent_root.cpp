#include "brent_root.h"

#include <algorithm>

namespace kelvorad::ge08 {

RootResult brentRoot(const std::function<double(double)>& f, double a, double b, double xtol,
                     double rtol, int maxIterations) {
    double xpre = a, xcur = b;
    double fpre = f(xpre), fcur = f(xcur);
    if (std::isnan(fpre) || std::isnan(fcur)) return {};
    if (fpre == 0.0) return {RootStatus::converged, xpre};
    if (fcur == 0.0) return {RootStatus::converged, xcur};
    if (std::signbit(fpre) == std::signbit(fcur)) return {};

    double xblk = 0.0, fblk = 0.0, spre = 0.0, scur = 0.0;
    for (int i = 0; i < maxIterations; ++i) {
        if (fpre != 0.0 && fcur != 0.0 && std::signbit(fpre) != std::signbit(fcur)) {
            xblk = xpre;
            fblk = fpre;
            spre = scur = xcur - xpre;
        }
        if (std::abs(fblk) < std::abs(fcur)) {
            xpre = xcur;
            xcur = xblk;
            xblk = xpre;
            fpre = fcur;
            fcur = fblk;
            fblk = fpre;
        }
        const double delta = (xtol + rtol * std::abs(xcur)) / 2.0;
        const double sbis = (xblk - xcur) / 2.0;
        if (fcur == 0.0 || std::abs(sbis) < delta) return {RootStatus::converged, xcur};

        if (std::abs(spre) > delta && std::abs(fcur) < std::abs(fpre)) {
            double stry;
            if (xpre == xblk) {
                // secant (linear interpolation)
                stry = -fcur * (xcur - xpre) / (fcur - fpre);
            } else {
                // inverse quadratic interpolation
                const double dpre = (fpre - fcur) / (xpre - xcur);
                const double dblk = (fblk - fcur) / (xblk - xcur);
                stry = -fcur * (fblk * dblk - fpre * dpre) / (dblk * dpre * (fblk - fpre));
            }
            if (2.0 * std::abs(stry) < std::min(std::abs(spre), 3.0 * std::abs(sbis) - delta)) {
                spre = scur;
                scur = stry;
            } else {
                spre = sbis;
                scur = sbis;
            }
        } else {
            spre = sbis;
            scur = sbis;
        }
        xpre = xcur;
        fpre = fcur;
        xcur += std::abs(scur) > delta ? scur : (sbis > 0.0 ? delta : -delta);
        fcur = f(xcur);
        if (std::isnan(fcur)) return {RootStatus::notConverged, NAN};
    }
    return {RootStatus::notConverged, NAN};
}

}  // namespace kelvorad::ge08
