// Pens and brushes of the layer as Qt's (used by the canvas and the shape).
#pragma once
#include <QBrush>
#include <QPen>

#include "ui/canvas.h"

namespace kvd::ui {

QPen MakeQPen(const Pen& pen);
QBrush MakeQBrush(const Brush& brush);

}  // namespace kvd::ui
