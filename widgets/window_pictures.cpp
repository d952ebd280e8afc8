#include "window_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <array>
#include <cmath>

namespace kelvorad {

namespace {
void drawFace(QPainter& painter, const QPolygonF& face, const QColor& light, const QColor& dark) {
    const QRectF box = face.boundingRect();
    QLinearGradient shade(box.topLeft(), box.bottomRight());
    shade.setColorAt(0, light);
    shade.setColorAt(1, dark);
    painter.setBrush(shade);
    painter.drawPolygon(face);
}

QPixmap blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap magnetiteCrystal(int size) {
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(15, 15, 20), size / 60.0 + 0.5));
    const qreal s = size;
    const QPointF top(0.50 * s, 0.05 * s), bottom(0.50 * s, 0.95 * s);
    const QPointF left(0.08 * s, 0.47 * s), right(0.92 * s, 0.47 * s);
    const QPointF front(0.58 * s, 0.58 * s);
    drawFace(painter, QPolygonF({top, left, front}), QColor(150, 150, 160), QColor(60, 60, 70));
    drawFace(painter, QPolygonF({top, front, right}), QColor(110, 110, 120), QColor(35, 35, 45));
    drawFace(painter, QPolygonF({left, bottom, front}), QColor(80, 80, 90), QColor(25, 25, 30));
    drawFace(painter, QPolygonF({front, bottom, right}), QColor(55, 55, 65), QColor(10, 10, 15));
    return pixmap;
}

QPixmap ilmeniteCrystal(int size) {
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(20, 12, 8), size / 60.0 + 0.5));
    const qreal s = size;
    const QPointF centre(0.5 * s, 0.40 * s);
    const qreal rx = 0.44 * s, ry = 0.22 * s, depth = 0.22 * s;
    std::array<QPointF, 6> rim;
    for (int k = 0; k < 6; ++k) {
        const double angle = 3.14159265358979 / 3.0 * k;
        rim[static_cast<std::size_t>(k)] =
            QPointF(centre.x() + rx * std::cos(angle), centre.y() + ry * std::sin(angle));
    }
    const QPointF down(0, depth);
    // Side faces below the three front edges of the top face (rim points 0, 1, 2, 3).
    const std::array<QColor, 3> sideLight{QColor(95, 70, 55), QColor(75, 55, 45),
                                          QColor(60, 45, 38)};
    for (std::size_t k = 0; k < 3; ++k) {
        drawFace(painter, QPolygonF({rim[k], rim[k + 1], rim[k + 1] + down, rim[k] + down}),
                 sideLight[k], QColor(25, 18, 14));
    }
    drawFace(painter, QPolygonF(QList<QPointF>(rim.begin(), rim.end())), QColor(140, 115, 100),
             QColor(45, 32, 26));
    return pixmap;
}

QPixmap pyroxeneCrystals(int size) {
    QPixmap pixmap(2 * size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(15, 30, 15), size / 70.0 + 0.5));
    // A stubby prism seen from above its c axis: the octagonal end face and two side faces.
    const auto prism = [&painter](QPointF centre, qreal r, qreal length, const QColor& colour) {
        std::array<QPointF, 8> rim;
        for (int k = 0; k < 8; ++k) {
            const double angle = 3.14159265358979 / 4.0 * k + 3.14159265358979 / 8.0;
            rim[static_cast<std::size_t>(k)] =
                QPointF(centre.x() + r * std::cos(angle), centre.y() + 0.8 * r * std::sin(angle));
        }
        const QPointF back(length, -0.45 * length);
        for (std::size_t k : {6u, 7u, 0u}) {
            const QPointF a = rim[k], b = rim[(k + 1) % 8];
            drawFace(painter, QPolygonF({a, b, b + back, a + back}), colour.lighter(115),
                     colour.darker(220));
        }
        drawFace(painter, QPolygonF(QList<QPointF>(rim.begin(), rim.end())), colour.lighter(140),
                 colour.darker(160));
    };
    const qreal s = size;
    prism(QPointF(0.55 * s, 0.62 * s), 0.26 * s, 0.85 * s, QColor(60, 95, 50));
    prism(QPointF(1.05 * s, 0.72 * s), 0.20 * s, 0.70 * s, QColor(45, 75, 40));
    return pixmap;
}

}  // namespace kelvorad
