#pragma once
// Random numbers addressed by a counter instead of drawn from a sequence: the number for
// (seed, pair, draw, slot) is a hash of those four integers, so it does not depend on which
// thread computes it, in which order, or how the work is split.
//
// The hash chains the SplitMix64 finaliser (Steele, Lea and Flood 2014, "Fast splittable
// pseudorandom number generators", OOPSLA '14; constants of Stafford's "Mix13"), one step per
// key: h <- mix(h + (key + 1) * 0x9E3779B97F4A7C15), starting from h = mix(seed +
// 0x9E3779B97F4A7C15). Each step is a bijection of h for a given key, so different keys give
// unrelated streams.

#include <cstdint>

namespace kelvorad {

inline constexpr std::uint64_t splitMix64Finaliser(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

inline constexpr std::uint64_t mixKey(std::uint64_t hash, std::uint64_t key) {
    return splitMix64Finaliser(hash + (key + 1) * 0x9E3779B97F4A7C15ull);
}

// The hash of (seed, pair, draw) that every slot of one draw starts from.
inline constexpr std::uint64_t drawHash(std::uint64_t seed, std::uint64_t pair,
                                        std::uint64_t draw) {
    return mixKey(mixKey(splitMix64Finaliser(seed + 0x9E3779B97F4A7C15ull), pair), draw);
}

// Uniform in the open interval (0, 1): the top 52 bits of the hash, centred in their step,
// from 2^-53 to 1 - 2^-53 (with 53 bits the top step would round to 1).
inline constexpr double uniformFromHash(std::uint64_t hash) {
    return (static_cast<double>(hash >> 12) + 0.5) * 0x1p-52;
}

// The standard normal quantile: the z with Phi(z) = p, for 0 < p < 1.
// Wichura (1988), Algorithm AS 241 "The percentage points of the normal distribution",
// Applied Statistics 37, 477-484 (PPND16): rational approximations in q = p - 0.5 for
// |q| <= 0.425 and in r = sqrt(-ln min(p, 1 - p)) beyond, relative error about 1e-16.
double standardNormalQuantile(double p);

// A standard normal number for slot `slot` of the draw whose drawHash is `hash`.
inline double standardNormal(std::uint64_t hash, std::uint64_t slot) {
    return standardNormalQuantile(uniformFromHash(mixKey(hash, slot)));
}

}  // namespace kelvorad
