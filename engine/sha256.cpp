#include "sha256.h"

#include <array>
#include <cstdint>
#include <fstream>

namespace kelvorad {

namespace {

// FIPS 180-4, section 4.2.2: the first 32 bits of the fractional parts of the cube roots of
// the first 64 primes.
constexpr std::array<std::uint32_t, 64> kRoundConstants{
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

// Section 5.3.3: the initial hash value.
constexpr std::array<std::uint32_t, 8> kInitialHash{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                    0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

constexpr std::uint32_t rotateRight(std::uint32_t x, int n) {
    return (x >> n) | (x << (32 - n));
}

// Feeds bytes in 64-byte blocks; finish() pads with 0x80, zeros and the bit length.
class Sha256 {
  public:
    void add(std::string_view bytes) {
        for (char c : bytes) {
            block_[filled_++] = static_cast<unsigned char>(c);
            if (filled_ == block_.size()) {
                compress();
                filled_ = 0;
            }
        }
        length_ += bytes.size();
    }

    std::string finish() {
        const std::uint64_t bits = length_ * 8;
        block_[filled_++] = 0x80;
        if (filled_ > 56) {
            while (filled_ < 64) block_[filled_++] = 0;
            compress();
            filled_ = 0;
        }
        while (filled_ < 56) block_[filled_++] = 0;
        for (int k = 7; k >= 0; --k)
            block_[filled_++] = static_cast<unsigned char>(bits >> (8 * k));
        compress();
        static constexpr char kDigits[] = "0123456789abcdef";
        std::string hex;
        for (std::uint32_t word : hash_) {
            for (int shift = 28; shift >= 0; shift -= 4)
                hex.push_back(kDigits[(word >> shift) & 0xf]);
        }
        return hex;
    }

  private:
    // Section 6.2.2: the message schedule and the 64 rounds of one block.
    void compress() {
        std::array<std::uint32_t, 64> w{};
        for (std::size_t t = 0; t < 16; ++t) {
            w[t] = std::uint32_t{block_[4 * t]} << 24 | std::uint32_t{block_[4 * t + 1]} << 16 |
                   std::uint32_t{block_[4 * t + 2]} << 8 | std::uint32_t{block_[4 * t + 3]};
        }
        for (std::size_t t = 16; t < 64; ++t) {
            const std::uint32_t s0 =
                rotateRight(w[t - 15], 7) ^ rotateRight(w[t - 15], 18) ^ (w[t - 15] >> 3);
            const std::uint32_t s1 =
                rotateRight(w[t - 2], 17) ^ rotateRight(w[t - 2], 19) ^ (w[t - 2] >> 10);
            w[t] = w[t - 16] + s0 + w[t - 7] + s1;
        }
        auto [a, b, c, d, e, f, g, h] = hash_;
        for (std::size_t t = 0; t < 64; ++t) {
            const std::uint32_t sum1 = rotateRight(e, 6) ^ rotateRight(e, 11) ^ rotateRight(e, 25);
            const std::uint32_t choice = (e & f) ^ (~e & g);
            const std::uint32_t t1 = h + sum1 + choice + kRoundConstants[t] + w[t];
            const std::uint32_t sum0 = rotateRight(a, 2) ^ rotateRight(a, 13) ^ rotateRight(a, 22);
            const std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
            const std::uint32_t t2 = sum0 + majority;
            h = g;
            g = f;
            f = e;
            e = d + t1;
            d = c;
            c = b;
            b = a;
            a = t1 + t2;
        }
        const std::array<std::uint32_t, 8> worked{a, b, c, d, e, f, g, h};
        for (std::size_t k = 0; k < 8; ++k) hash_[k] += worked[k];
    }

    std::array<std::uint32_t, 8> hash_ = kInitialHash;
    std::array<unsigned char, 64> block_{};
    std::size_t filled_ = 0;
    std::uint64_t length_ = 0;
};

}  // namespace

std::string sha256Hex(std::string_view bytes) {
    Sha256 digest;
    digest.add(bytes);
    return digest.finish();
}

std::optional<std::string> fileSha256Hex(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    Sha256 digest;
    std::array<char, 65536> buffer{};
    while (in) {
        in.read(buffer.data(), buffer.size());
        digest.add(std::string_view(buffer.data(), static_cast<std::size_t>(in.gcount())));
    }
    if (in.bad()) return std::nullopt;
    return digest.finish();
}

}  // namespace kelvorad
