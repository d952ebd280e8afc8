#include "graph_picture.h"

#include <QPainter>

namespace kelvorad {

GraphPicture::GraphPicture(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 240);
    setAutoFillBackground(false);
}

bool GraphPicture::load(const QString& svgFile) {
    const bool valid = renderer_.load(svgFile) && renderer_.isValid();
    if (!valid) renderer_.load(QByteArray());
    update();
    return valid;
}

QSize GraphPicture::sizeHint() const {
    return {800, 600};
}

void GraphPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!renderer_.isValid()) return;
    QSizeF size = renderer_.viewBoxF().size();
    if (size.isEmpty()) size = renderer_.defaultSize();
    size.scale(QSizeF(width(), height()), Qt::KeepAspectRatio);
    const QPointF corner((width() - size.width()) / 2, (height() - size.height()) / 2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer_.render(&painter, QRectF(corner, size));
}

}  // namespace kelvorad
