// The program's icon: one picture as SVG and in pixels, whole at every size.
#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "app_icon.h"

namespace kelvorad {
namespace {

TEST(AppIcon, EveryFaceLiesInsideTheSquareWithItsOutline) {
    const IconPicture picture = applicationIconPicture();
    ASSERT_GE(picture.faces.size(), 9u) << "tile, ilmenite plate and magnetite octahedron";
    const double margin = picture.outlineWidth / 2;
    for (const IconFace& face : picture.faces) {
        ASSERT_GE(face.corners.size(), 3u);
        for (const IconPoint& corner : face.corners) {
            EXPECT_GE(corner.x - margin, 0);
            EXPECT_GE(corner.y - margin, 0);
            EXPECT_LE(corner.x + margin, IconPicture::kSize);
            EXPECT_LE(corner.y + margin, IconPicture::kSize);
        }
    }
}

TEST(AppIcon, PixelsShowTheTileWithTransparentCutCorners) {
    const IconPicture picture = applicationIconPicture();
    for (int size : {16, 48, 256}) {
        const QImage image = renderIcon(picture, size);
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(image.pixel(size - 1, size - 1)), 0) << size;
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
        // The octahedron's lower faces are dark against the amber tile.
        const QColor crystal = image.pixelColor(size * 100 / 256, size * 200 / 256);
        const QColor tile = image.pixelColor(size * 220 / 256, size * 220 / 256);
        EXPECT_LT(crystal.lightness() + 60, tile.lightness()) << size;
    }
}

TEST(AppIcon, SvgIsWellFormedWithOneShadedPolygonPerFace) {
    const IconPicture picture = applicationIconPicture();
    const std::string svg = iconSvg(picture, "Kelvorad");
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    int polygons = 0, gradients = 0;
    QString viewBox, title;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"svg") viewBox = xml.attributes().value("viewBox").toString();
        if (xml.name() == u"title") title = xml.readElementText();
        if (xml.name() == u"linearGradient") ++gradients;
        if (xml.name() == u"polygon") {
            const QString fill = xml.attributes().value("fill").toString();
            EXPECT_EQ(fill, QString("url(#face%1)").arg(polygons));
            const auto points = xml.attributes().value("points").split(u' ');
            EXPECT_EQ(std::size_t(points.size()),
                      picture.faces[std::size_t(polygons)].corners.size());
            ++polygons;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(viewBox, "0 0 256 256");
    EXPECT_EQ(title, "Kelvorad");
    EXPECT_EQ(std::size_t(polygons), picture.faces.size());
    EXPECT_EQ(gradients, polygons);
}

TEST(AppIcon, ApplicationIconComesIn16To256Pixels) {
    const QList<QSize> sizes = applicationIcon().availableSizes();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
}

}  // namespace
}  // namespace kelvorad
