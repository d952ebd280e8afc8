#include "window_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStyle>
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

// A small icon drawn with simple shapes, 32 pixels square.
template <typename Draw>
QIcon drawnIcon(Draw draw) {
    QPixmap pixmap = blank(32);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

void drawSheet(QPainter& painter, QRectF rect, const QColor& fill) {
    painter.setPen(QPen(QColor(60, 60, 70), 1.5));
    painter.setBrush(fill);
    painter.drawRect(rect);
    painter.setPen(QPen(QColor(150, 150, 160), 1));
    for (qreal y = rect.top() + 5; y < rect.bottom() - 2; y += 4) {
        painter.drawLine(QPointF(rect.left() + 3, y), QPointF(rect.right() - 3, y));
    }
}

QIcon cutIcon() {
    return drawnIcon([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 50), 2.2));
        p.drawLine(QPointF(9, 4), QPointF(21, 22));
        p.drawLine(QPointF(23, 4), QPointF(11, 22));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(180, 30, 30), 2.5));
        p.drawEllipse(QPointF(9, 25), 4.5, 4.5);
        p.drawEllipse(QPointF(23, 25), 4.5, 4.5);
    });
}

QIcon copyIcon() {
    return drawnIcon([](QPainter& p) {
        drawSheet(p, QRectF(4, 3, 16, 20), QColor(235, 240, 250));
        drawSheet(p, QRectF(12, 9, 16, 20), Qt::white);
    });
}

QIcon pasteIcon() {
    return drawnIcon([](QPainter& p) {
        p.setPen(QPen(QColor(90, 60, 30), 1.5));
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
        p.setBrush(QColor(120, 120, 130));
        p.drawRect(QRectF(10, 2, 8, 6));
        drawSheet(p, QRectF(13, 12, 15, 18), Qt::white);
    });
}

QIcon deleteIcon() {
    return drawnIcon([](QPainter& p) {
        p.setPen(QPen(QColor(200, 30, 30), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
    });
}

QIcon selectAllIcon() {
    return drawnIcon([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 50), 1));
        p.setBrush(QColor(170, 200, 240));
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) p.drawRect(QRectF(5 + c * 8, 5 + r * 8, 7, 7));
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(20, 60, 160), 1.5, Qt::DashLine));
        p.drawRect(QRectF(3, 3, 27, 27));
    });
}

QIcon calculateIcon() {
    return drawnIcon([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 50), 1.5));
        p.setBrush(QColor(70, 90, 120));
        p.drawRoundedRect(QRectF(6, 2, 20, 28), 3, 3);
        p.setBrush(QColor(200, 230, 200));
        p.drawRect(QRectF(9, 5, 14, 6));
        p.setBrush(QColor(235, 235, 240));
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) p.drawRect(QRectF(9 + c * 5, 14 + r * 5, 4, 4));
        }
    });
}

QIcon workbookIcon(bool edit, const QColor& colour) {
    return drawnIcon([edit, colour](QPainter& p) {
        p.setPen(QPen(colour.darker(150), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 4, 24, 24));
        p.setPen(QPen(colour, 1));
        for (int k = 1; k < 4; ++k) {
            p.drawLine(QPointF(4, 4 + k * 6), QPointF(28, 4 + k * 6));
            p.drawLine(QPointF(4 + k * 6, 4), QPointF(4 + k * 6, 28));
        }
        p.setPen(QPen(colour.darker(130), 3, Qt::SolidLine, Qt::RoundCap));
        if (edit) {
            p.drawLine(QPointF(14, 26), QPointF(28, 12));
        } else {
            p.drawLine(QPointF(16, 12), QPointF(16, 26));
            p.drawLine(QPointF(10, 20), QPointF(16, 26));
            p.drawLine(QPointF(22, 20), QPointF(16, 26));
        }
    });
}

QIcon graphIcon() {
    return drawnIcon([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 50), 1.5));
        p.drawLine(QPointF(5, 3), QPointF(5, 27));
        p.drawLine(QPointF(5, 27), QPointF(29, 27));
        p.setPen(QPen(QColor(30, 90, 170), 2));
        p.setBrush(Qt::NoBrush);
        QPainterPath curve(QPointF(6, 24));
        curve.cubicTo(QPointF(14, 22), QPointF(18, 10), QPointF(28, 5));
        p.drawPath(curve);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 40, 40));
        for (const QPointF& point : {QPointF(11, 18), QPointF(17, 15), QPointF(22, 9)}) {
            p.drawEllipse(point, 2.2, 2.2);
        }
    });
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

QIcon resultsToolbarIcon(int position, const QStyle& style) {
    switch (position) {
        case 1:
            return cutIcon();
        case 2:
            return copyIcon();
        case 3:
            return pasteIcon();
        case 4:
            return deleteIcon();
        case 5:
            return selectAllIcon();
        case 7:
            return style.standardIcon(QStyle::SP_BrowserStop);
        case 9:
            return workbookIcon(false, QColor(20, 140, 80));
        case 10:
            return workbookIcon(true, QColor(20, 140, 80));
        case 12:
            return style.standardIcon(QStyle::SP_MessageBoxInformation);
        case 13:
            return graphIcon();
        case 14:
            return style.standardIcon(QStyle::SP_DialogHelpButton);
        case 16:
            return style.standardIcon(QStyle::SP_ArrowBack);
        default:
            return {};
    }
}

QIcon toolbarIcon(int position, const QStyle& style) {
    switch (position) {
        case 1:
            return style.standardIcon(QStyle::SP_FileIcon);
        case 2:
            return style.standardIcon(QStyle::SP_DialogOpenButton);
        case 3:
            return style.standardIcon(QStyle::SP_DialogSaveButton);
        case 4:
            return style.standardIcon(QStyle::SP_DialogCloseButton);
        case 5:
            return style.standardIcon(QStyle::SP_BrowserStop);
        case 7:
            return cutIcon();
        case 8:
            return copyIcon();
        case 9:
            return pasteIcon();
        case 10:
            return deleteIcon();
        case 11:
            return selectAllIcon();
        case 13:
            return calculateIcon();
        case 15:
            return workbookIcon(false, QColor(30, 110, 60));
        case 16:
            return workbookIcon(false, QColor(20, 140, 80));
        case 17:
            return workbookIcon(true, QColor(30, 110, 60));
        case 18:
            return workbookIcon(true, QColor(20, 140, 80));
        case 20:
            return style.standardIcon(QStyle::SP_MessageBoxInformation);
        case 21:
            return style.standardIcon(QStyle::SP_DialogHelpButton);
        case 22:
            return style.standardIcon(QStyle::SP_ArrowForward);
        default:
            return {};
    }
}

}  // namespace kelvorad
