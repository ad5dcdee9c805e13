// A widget that shows an element list: contours in their colours, arcs as
// arcs, zoom to fit, wheel zoom about the cursor, drag to pan.
#pragma once
#include <QPointF>
#include <QWidget>

#include <cstdint>
#include <vector>

#include "kvd/element.h"

class QPainter;

namespace kvdhost {

class DrawingView : public QWidget {
public:
    explicit DrawingView(QWidget* parent = nullptr);

    void SetDrawing(std::vector<kvd::TTempElement> elements);
    const std::vector<kvd::TTempElement>& Drawing() const { return elements_; }
    void ZoomToFit();
    // Paints the drawing at the current zoom into `p` over `size` pixels.
    void Render(QPainter& p, const QSize& size) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    QPointF ToScreen(double x, double y) const;
    std::vector<kvd::TTempElement> elements_;
    double scale_ = 1;   // pixels per millimetre
    QPointF origin_;     // screen position of drawing point (0, 0)
    QPoint lastDrag_;
    bool fitted_ = false;
};

}  // namespace kvdhost
