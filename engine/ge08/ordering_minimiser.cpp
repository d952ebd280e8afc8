#include "ordering_minimiser.h"

#include <algorithm>
#include <limits>
#include <numbers>

namespace kelvorad::ge08 {

namespace {

// Solves a symmetric 3x3 system a x = b if a is positive definite (Sylvester's criterion: the
// leading principal minors are positive), by the adjugate; false otherwise.
bool positiveDefiniteSolve(const Mat3& a, const Vec3& b, Vec3& x) {
    const double c00 = a[1][1] * a[2][2] - a[1][2] * a[1][2];
    const double c01 = a[0][2] * a[1][2] - a[0][1] * a[2][2];
    const double c02 = a[0][1] * a[1][2] - a[0][2] * a[1][1];
    const double c11 = a[0][0] * a[2][2] - a[0][2] * a[0][2];
    const double c12 = a[0][1] * a[0][2] - a[0][0] * a[1][2];
    const double c22 = a[0][0] * a[1][1] - a[0][1] * a[0][1];
    const double det = a[0][0] * c00 + a[0][1] * c01 + a[0][2] * c02;
    if (!(a[0][0] > 0.0 && c22 > 0.0 && det > 0.0)) return false;
    const double inv = 1.0 / det;
    x[0] = (c00 * b[0] + c01 * b[1] + c02 * b[2]) * inv;
    x[1] = (c01 * b[0] + c11 * b[1] + c12 * b[2]) * inv;
    x[2] = (c02 * b[0] + c12 * b[1] + c22 * b[2]) * inv;
    return true;
}

// Smallest eigenvalue of a symmetric 3x3 matrix, in closed form (Smith 1961, Commun. ACM 4,
// 168).
double smallestEigenvalue(const Mat3& a) {
    const double p1 = a[0][1] * a[0][1] + a[0][2] * a[0][2] + a[1][2] * a[1][2];
    if (p1 == 0.0) return std::min({a[0][0], a[1][1], a[2][2]});
    const double q = (a[0][0] + a[1][1] + a[2][2]) / 3.0;
    const double d0 = a[0][0] - q, d1 = a[1][1] - q, d2 = a[2][2] - q;
    const double p = std::sqrt((d0 * d0 + d1 * d1 + d2 * d2 + 2.0 * p1) / 6.0);
    // det((A - qI)/p) / 2
    const double r =
        (d0 * (d1 * d2 - a[1][2] * a[1][2]) - a[0][1] * (a[0][1] * d2 - a[1][2] * a[0][2]) +
         a[0][2] * (a[0][1] * a[1][2] - d1 * a[0][2])) /
        (2.0 * p * p * p);
    const double phi = std::acos(std::clamp(r, -1.0, 1.0)) / 3.0;
    return q + 2.0 * p * std::cos(phi + 2.0 * std::numbers::pi / 3.0);
}

// A unit eigenvector of a symmetric 3x3 matrix for eigenvalue lambda: the largest cross
// product of two rows of a - lambda I.
Vec3 eigenvector(const Mat3& a, double lambda) {
    Mat3 m = a;
    for (int i = 0; i < 3; ++i) m[i][i] -= lambda;
    const auto cross = [](const Vec3& u, const Vec3& v) {
        return Vec3{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                    u[0] * v[1] - u[1] * v[0]};
    };
    const Vec3 candidates[3] = {cross(m[0], m[1]), cross(m[0], m[2]), cross(m[1], m[2])};
    Vec3 best{};
    double bestNorm = 0.0;
    for (const Vec3& c : candidates) {
        const double n = c[0] * c[0] + c[1] * c[1] + c[2] * c[2];
        if (n > bestNorm) {
            bestNorm = n;
            best = c;
        }
    }
    if (bestNorm == 0.0) return {1.0, 0.0, 0.0};
    const double inv = 1.0 / std::sqrt(bestNorm);
    return {best[0] * inv, best[1] * inv, best[2] * inv};
}

}  // namespace

bool descentStep(const Mat3& hessian, const Vec3& gradient, const std::array<bool, 3>& free,
                 Vec3& step) {
    Mat3 h = hessian;
    Vec3 minusG{};
    double scale = 0.0;
    const auto fail = [&step] {
        step.fill(std::numeric_limits<double>::quiet_NaN());
        return false;
    };
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (!std::isfinite(h[i][j])) return fail();
            if (!free[i] || !free[j]) h[i][j] = i == j ? 1.0 : 0.0;
        }
        minusG[i] = free[i] ? -gradient[i] : 0.0;
        if (!std::isfinite(minusG[i])) return fail();
        if (free[i]) scale = std::max(scale, std::abs(h[i][i]));
    }
    if (positiveDefiniteSolve(h, minusG, step)) return true;

    // Not positive definite: shift the spectrum so that the most negative curvature becomes
    // half its magnitude, positive (a descent direction that moves out of saddles along that
    // curvature); the line search then limits the step.
    const double lowest = smallestEigenvalue(h);
    const double shift = -1.5 * lowest + 1e-10 * scale + 1e-300;
    Mat3 shifted = h;
    for (int i = 0; i < 3; ++i)
        if (free[i]) shifted[i][i] += shift;
    if (!positiveDefiniteSolve(shifted, minusG, step)) {
        // Round-off in the eigenvalue: fall back to steepest descent scaled by the shift.
        for (int i = 0; i < 3; ++i) step[i] = minusG[i] / shift;
    }
    if (std::max({std::abs(step[0]), std::abs(step[1]), std::abs(step[2])}) < 1e-8) {
        // At (or next to) a saddle the gradient gives no direction: follow the negative
        // curvature itself, downhill if the gradient tells which way.
        const Vec3 v = eigenvector(h, lowest);
        const double sign =
            v[0] * minusG[0] + v[1] * minusG[1] + v[2] * minusG[2] < 0.0 ? -1.0 : 1.0;
        for (int i = 0; i < 3; ++i) step[i] = free[i] ? 0.01 * sign * v[i] : 0.0;
    }
    return false;
}

Vec3 orderingResponse(const Mat3& hessian, const Vec3& mixedDerivative,
                      const std::array<bool, 3>& free) {
    Vec3 response{};
    if (!descentStep(hessian, mixedDerivative, free, response))
        response.fill(std::numeric_limits<double>::quiet_NaN());
    return response;
}

}  // namespace kelvorad::ge08
