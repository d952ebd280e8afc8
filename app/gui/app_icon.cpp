#include "app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace kelvorad {

namespace {
QColor qColour(IconColour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}
}  // namespace

QImage renderIcon(const IconPicture& picture, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = size / IconPicture::kSize;
    painter.scale(scale, scale);
    // Below 1 pixel the outline would fade away at the smallest sizes; keep it visible there.
    const double outlineWidth = std::max(picture.outlineWidth, 0.7 / scale);
    painter.setPen(
        QPen(qColour(picture.outline), outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const IconFace& face : picture.faces) {
        QPolygonF polygon;
        for (const IconPoint& corner : face.corners) polygon << QPointF(corner.x, corner.y);
        const QRectF box = polygon.boundingRect();
        QLinearGradient shade(box.topLeft(), box.bottomRight());
        shade.setColorAt(0, qColour(face.light));
        shade.setColorAt(1, qColour(face.dark));
        painter.setBrush(shade);
        painter.drawPolygon(polygon);
    }
    return image;
}

QIcon applicationIcon() {
    const IconPicture picture = applicationIconPicture();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(renderIcon(picture, size)));
    }
    return icon;
}

}  // namespace kelvorad
