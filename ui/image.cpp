#include "ui/image.h"

#include <QWidget>

#include "ui/canvas.h"
#include "ui/hooked_widget.h"
#include "ui/picture.h"

namespace kvd::ui {

Image::Image(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new Hooked<QWidget>()), picture_(std::make_unique<Picture>()) {
    auto* w = static_cast<Hooked<QWidget>*>(Widget());
    w->paintBase = false;
    w->onPaint = [this](QPainter& p, QPaintEvent*) {
        if (picture_->Empty()) return;
        const QImage& img = picture_->Image();
        if (stretch_) {
            p.drawImage(Widget()->rect(), img);
        } else if (center_) {
            p.drawImage((Width() - img.width()) / 2, (Height() - img.height()) / 2, img);
        } else {
            p.drawImage(0, 0, img);
        }
    };
    picture_->GetCanvas().onChange = [this] { Invalidate(); };
    SetClickFromMouse(true);
}

Image::~Image() = default;

Canvas& Image::GetCanvas() {
    if (picture_->Empty()) picture_->SetSize(std::max(1, Width()), std::max(1, Height()));
    return picture_->GetCanvas();
}

void Image::SetStretch(bool on) {
    stretch_ = on;
    Invalidate();
}

void Image::SetCenter(bool on) {
    center_ = on;
    Invalidate();
}

void Image::SetBounds(int left, int top, int width, int height) {
    Control::SetBounds(left, top, width, height);
    // A drawing surface grows with the control, keeping what is drawn.
    if (!picture_->Empty() && (picture_->Width() < width || picture_->Height() < height))
        picture_->SetSize(std::max(picture_->Width(), width), std::max(picture_->Height(), height));
}

}  // namespace kvd::ui
