// A shape control: a rectangle, rounded rectangle, ellipse or circle with a
// pen and a brush (solid, clear or hatched).
#pragma once
#include <string>

#include "ui/canvas.h"
#include "ui/component.h"

namespace kvd::ui {

enum class ShapeType { Rectangle, Square, RoundRect, RoundSquare, Ellipse, Circle };

class Shape : public Control {
public:
    Shape(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "Shape"; }
    ShapeType Type() const { return type_; }
    void SetType(ShapeType t);
    const Brush& GetBrush() const { return brush_; }
    void SetBrush(const Brush& b);
    const Pen& GetPen() const { return pen_; }
    void SetPen(const Pen& p);

private:
    ShapeType type_ = ShapeType::Rectangle;
    Brush brush_{clWhite, BrushStyle::Solid};
    Pen pen_{clBlack, 1, PenStyle::Solid};
};

}  // namespace kvd::ui
