#pragma once
// The drawing area of a graph window: an SVG document drawn as large as the widget allows,
// its proportions kept, on white.

#include <QSvgRenderer>
#include <QWidget>

namespace kelvorad {

class GraphPicture : public QWidget {
    Q_OBJECT
  public:
    explicit GraphPicture(QWidget* parent = nullptr);

    // Reads the SVG file; false (and an empty picture) when it is not a valid document.
    bool load(const QString& svgFile);
    const QSvgRenderer& renderer() const { return renderer_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSvgRenderer renderer_;
};

}  // namespace kelvorad
