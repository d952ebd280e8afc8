#pragma once
// The program's icon as a picture of flat shaded faces in a 256-unit square: a magnetite
// octahedron in front of a thick ilmenite plate, on an amber tile. One description feeds the
// scalable (SVG) icon and the pixel icons, so every size shows the same picture.

#include <string>
#include <string_view>
#include <vector>

namespace kelvorad {

struct IconPoint {
    double x = 0;
    double y = 0;
};

struct IconColour {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// A closed polygon filled with a linear gradient from `light` at the top left of its bounding
// box to `dark` at the bottom right, outlined in the picture's outline colour.
struct IconFace {
    std::vector<IconPoint> corners;
    IconColour light;
    IconColour dark;
};

struct IconPicture {
    static constexpr double kSize = 256;  // side of the picture's square, in units
    IconColour outline;
    double outlineWidth = 0;      // units
    std::vector<IconFace> faces;  // back to front
};

IconPicture applicationIconPicture();

// The picture as an SVG document, `title` in its <title>.
std::string iconSvg(const IconPicture& picture, std::string_view title);

}  // namespace kelvorad
