#pragma once
// Reads the pixels of a PNG file as gnuplot's cairo terminal writes it (8-bit RGB or RGBA, not
// interlaced), so that tests can tell a drawn figure from a blank one.

#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kelvorad::testing {

struct PngPixels {
    int width = 0;
    int height = 0;
    std::vector<std::array<std::uint8_t, 3>> rgb;  // row by row; alpha dropped
    std::string error;                             // empty when the file was read
};

namespace png_detail {

inline std::uint32_t bigEndian(const std::string& s, std::size_t at) {
    return (std::uint32_t(std::uint8_t(s[at])) << 24) |
           (std::uint32_t(std::uint8_t(s[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(s[at + 2])) << 8) | std::uint32_t(std::uint8_t(s[at + 3]));
}

inline int paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

}  // namespace png_detail

inline PngPixels readPng(const std::filesystem::path& path) {
    using png_detail::bigEndian;
    PngPixels image;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.size() < 8 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
        image.error = "not a PNG file";
        return image;
    }
    int channels = 0;
    std::string compressed;
    for (std::size_t at = 8; at + 8 <= bytes.size();) {
        const std::uint32_t length = bigEndian(bytes, at);
        const std::string type = bytes.substr(at + 4, 4);
        if (at + 12 + length > bytes.size()) break;
        if (type == "IHDR") {
            image.width = int(bigEndian(bytes, at + 8));
            image.height = int(bigEndian(bytes, at + 12));
            const int depth = std::uint8_t(bytes[at + 16]);
            const int colour = std::uint8_t(bytes[at + 17]);
            const int interlace = std::uint8_t(bytes[at + 20]);
            channels = colour == 2 ? 3 : colour == 6 ? 4 : 0;
            if (depth != 8 || channels == 0 || interlace != 0) {
                image.error = "unsupported PNG layout";
                return image;
            }
        } else if (type == "IDAT") {
            compressed += bytes.substr(at + 8, length);
        }
        at += 12 + length;
    }
    if (channels == 0 || image.width <= 0 || image.height <= 0) {
        image.error = "no image header";
        return image;
    }
    const std::size_t stride = std::size_t(image.width) * channels;
    std::vector<std::uint8_t> raw((stride + 1) * image.height);
    uLongf rawSize = raw.size();
    if (uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(compressed.data()),
                   compressed.size()) != Z_OK ||
        rawSize != raw.size()) {
        image.error = "damaged image data";
        return image;
    }
    // Undo the per-row filters (none, sub, up, average, Paeth) in place.
    std::vector<std::uint8_t> previous(stride, 0);
    std::vector<std::uint8_t> row(stride);
    image.rgb.reserve(std::size_t(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t filter = raw[y * (stride + 1)];
        const std::uint8_t* line = &raw[y * (stride + 1) + 1];
        for (std::size_t i = 0; i < stride; ++i) {
            const int left = i >= std::size_t(channels) ? row[i - channels] : 0;
            const int up = previous[i];
            const int upLeft = i >= std::size_t(channels) ? previous[i - channels] : 0;
            int predictor = 0;
            switch (filter) {
                case 1:
                    predictor = left;
                    break;
                case 2:
                    predictor = up;
                    break;
                case 3:
                    predictor = (left + up) / 2;
                    break;
                case 4:
                    predictor = png_detail::paeth(left, up, upLeft);
                    break;
                default:
                    break;
            }
            row[i] = std::uint8_t(line[i] + predictor);
        }
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = &row[std::size_t(x) * channels];
            image.rgb.push_back({p[0], p[1], p[2]});
        }
        previous = row;
    }
    return image;
}

// Pixels whose colour differs from the top-left pixel's (the background).
inline long drawnPixels(const PngPixels& image) {
    if (image.rgb.empty()) return 0;
    long count = 0;
    for (const auto& p : image.rgb) count += p != image.rgb.front();
    return count;
}

// Pixels that differ between two images of the same size (-1 when the sizes differ).
inline long differingPixels(const PngPixels& a, const PngPixels& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size()) return -1;
    long count = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i) count += a.rgb[i] != b.rgb[i];
    return count;
}

}  // namespace kelvorad::testing
