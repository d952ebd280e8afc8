#include "app_icon_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace kelvorad {

namespace {
// A square with cut corners, the outline of a polished section.
IconFace tile() {
    return {
        {{44, 12}, {212, 12}, {244, 44}, {244, 212}, {212, 244}, {44, 244}, {12, 212}, {12, 44}},
        {250, 238, 218},
        {214, 146, 84}};
}

// Ilmenite: a thick hexagonal plate seen from above and in front; its top face and the three
// side faces below its front edges.
void addIlmenitePlate(std::vector<IconFace>& faces) {
    const IconPoint centre{162, 88};
    const double rx = 66, ry = 30, depth = 28;
    std::vector<IconPoint> rim;
    for (int k = 0; k < 6; ++k) {
        const double angle = std::numbers::pi / 3.0 * k;
        rim.push_back({centre.x + rx * std::cos(angle), centre.y + ry * std::sin(angle)});
    }
    const IconColour sideLight[3] = {{112, 82, 64}, {88, 64, 52}, {70, 52, 44}};
    for (int k = 0; k < 3; ++k) {
        const IconPoint a = rim[k], b = rim[k + 1];
        faces.push_back(
            {{a, b, {b.x, b.y + depth}, {a.x, a.y + depth}}, sideLight[k], {30, 22, 17}});
    }
    faces.push_back({rim, {166, 136, 118}, {58, 42, 34}});
}

// Magnetite: an octahedron standing on a corner, its four front faces.
void addMagnetiteOctahedron(std::vector<IconFace>& faces) {
    const IconPoint top{96, 54}, bottom{96, 236}, left{20, 146}, right{172, 146}, front{110, 160};
    faces.push_back({{top, left, front}, {168, 168, 178}, {66, 66, 78}});
    faces.push_back({{top, front, right}, {124, 124, 136}, {40, 40, 50}});
    faces.push_back({{left, bottom, front}, {92, 92, 104}, {28, 28, 34}});
    faces.push_back({{front, bottom, right}, {64, 64, 76}, {12, 12, 18}});
}

std::string hex(IconColour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string result = text;
    while (result.back() == '0') result.pop_back();
    if (result.back() == '.') result.pop_back();
    return result;
}
}  // namespace

IconPicture applicationIconPicture() {
    IconPicture picture;
    picture.outline = {34, 28, 26};
    picture.outlineWidth = 4;
    picture.faces.push_back(tile());
    addIlmenitePlate(picture.faces);
    addMagnetiteOctahedron(picture.faces);
    return picture;
}

std::string iconSvg(const IconPicture& picture, std::string_view title) {
    const std::string size = number(IconPicture::kSize);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + size + "\" height=\"" + size +
           "\" viewBox=\"0 0 " + size + " " + size + "\">\n";
    svg += "  <title>" + std::string(title) + "</title>\n  <defs>\n";
    for (std::size_t k = 0; k < picture.faces.size(); ++k) {
        const IconFace& face = picture.faces[k];
        const auto [minX, maxX] =
            std::minmax_element(face.corners.begin(), face.corners.end(),
                                [](const IconPoint& a, const IconPoint& b) { return a.x < b.x; });
        const auto [minY, maxY] =
            std::minmax_element(face.corners.begin(), face.corners.end(),
                                [](const IconPoint& a, const IconPoint& b) { return a.y < b.y; });
        svg += "    <linearGradient id=\"face" + std::to_string(k) +
               "\" gradientUnits=\"userSpaceOnUse\" x1=\"" + number(minX->x) + "\" y1=\"" +
               number(minY->y) + "\" x2=\"" + number(maxX->x) + "\" y2=\"" + number(maxY->y) +
               "\">\n      <stop offset=\"0\" stop-color=\"" + hex(face.light) +
               "\"/>\n      <stop offset=\"1\" stop-color=\"" + hex(face.dark) +
               "\"/>\n    </linearGradient>\n";
    }
    svg += "  </defs>\n  <g stroke=\"" + hex(picture.outline) + "\" stroke-width=\"" +
           number(picture.outlineWidth) + "\" stroke-linejoin=\"round\">\n";
    for (std::size_t k = 0; k < picture.faces.size(); ++k) {
        svg += "    <polygon fill=\"url(#face" + std::to_string(k) + ")\" points=\"";
        const auto& corners = picture.faces[k].corners;
        for (std::size_t c = 0; c < corners.size(); ++c) {
            if (c > 0) svg += ' ';
            svg += number(corners[c].x) + "," + number(corners[c].y);
        }
        svg += "\"/>\n";
    }
    svg += "  </g>\n</svg>\n";
    return svg;
}

}  // namespace kelvorad
