#include "ui/shape.h"

#include <QWidget>
#include <algorithm>

#include "ui/hooked_widget.h"
#include "ui/qt_convert.h"

namespace kvd::ui {

Shape::Shape(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new Hooked<QWidget>()) {
    auto* w = static_cast<Hooked<QWidget>*>(Widget());
    w->paintBase = false;
    w->onPaint = [this](QPainter& p, QPaintEvent*) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(MakeQPen(pen_));
        p.setBrush(MakeQBrush(brush_));
        int inset = std::max(1, pen_.width) / 2;
        int w = Width() - 1 - 2 * inset, h = Height() - 1 - 2 * inset;
        int x = inset, y = inset;
        bool square = type_ == ShapeType::Square || type_ == ShapeType::RoundSquare || type_ == ShapeType::Circle;
        if (square) {
            int s = std::min(w, h);
            x += (w - s) / 2;
            y += (h - s) / 2;
            w = h = s;
        }
        QRect r(x, y, w, h);
        switch (type_) {
        case ShapeType::Rectangle:
        case ShapeType::Square: p.drawRect(r); break;
        case ShapeType::RoundRect:
        case ShapeType::RoundSquare: p.drawRoundedRect(r, std::min(w, h) / 4.0, std::min(w, h) / 4.0); break;
        case ShapeType::Ellipse:
        case ShapeType::Circle: p.drawEllipse(r); break;
        }
    };
    SetClickFromMouse(true);
}

void Shape::SetType(ShapeType t) {
    type_ = t;
    Invalidate();
}

void Shape::SetBrush(const Brush& b) {
    brush_ = b;
    Invalidate();
}

void Shape::SetPen(const Pen& p) {
    pen_ = p;
    Invalidate();
}

}  // namespace kvd::ui
