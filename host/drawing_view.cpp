#include "host/drawing_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/drawing_geometry.h"

namespace kvdhost {

using kvd::TTempElement;

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 240);
    setMouseTracking(false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void DrawingView::SetDrawing(std::vector<TTempElement> elements) {
    elements_ = std::move(elements);
    ZoomToFit();
}

void DrawingView::ZoomToFit() {
    Extent box = DrawingExtent(elements_);
    double w = std::max(box.maxX - box.minX, 1e-6), h = std::max(box.maxY - box.minY, 1e-6);
    if (box.Empty()) {
        scale_ = 1;
        origin_ = QPointF(width() / 2.0, height() / 2.0);
    } else {
        scale_ = 0.9 * std::min(width() / w, height() / h);
        double cx = (box.minX + box.maxX) / 2, cy = (box.minY + box.maxY) / 2;
        origin_ = QPointF(width() / 2.0 - cx * scale_, height() / 2.0 - cy * scale_);
    }
    fitted_ = true;
    update();
}

QPointF DrawingView::ToScreen(double x, double y) const { return origin_ + QPointF(x * scale_, y * scale_); }

void DrawingView::Render(QPainter& p, const QSize&) const {
    p.setRenderHint(QPainter::Antialiasing);
    for (const ContourPath& c : ContourPaths(elements_)) {
        QPainterPath path;
        bool started = false;
        for (const QPointF& q : c.points) {
            QPointF s = ToScreen(q.x(), q.y());
            if (!started) {
                path.moveTo(s);
                started = true;
            } else {
                path.lineTo(s);
            }
        }
        QPen pen(QColor(c.colour & 0xFF, (c.colour >> 8) & 0xFF, (c.colour >> 16) & 0xFF), 1.5);
        p.setPen(pen);
        if (c.points.size() == 1) {
            QPointF s = ToScreen(c.points[0].x(), c.points[0].y());
            p.drawLine(s - QPointF(4, 0), s + QPointF(4, 0));
            p.drawLine(s - QPointF(0, 4), s + QPointF(0, 4));
        } else {
            p.drawPath(path);
        }
    }
}

void DrawingView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Render(p, size());
}

void DrawingView::resizeEvent(QResizeEvent*) {
    if (fitted_) ZoomToFit();
}

void DrawingView::wheelEvent(QWheelEvent* e) {
    double factor = std::pow(1.0015, e->angleDelta().y());
    QPointF at = e->position();
    origin_ = at + (origin_ - at) * factor;
    scale_ *= factor;
    fitted_ = false;
    update();
}

void DrawingView::mousePressEvent(QMouseEvent* e) { lastDrag_ = e->pos(); }

void DrawingView::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & (Qt::LeftButton | Qt::MiddleButton))) return;
    origin_ += QPointF(e->pos() - lastDrag_);
    lastDrag_ = e->pos();
    fitted_ = false;
    update();
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent*) { ZoomToFit(); }

}  // namespace kvdhost
