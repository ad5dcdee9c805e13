// An image control: shows its picture and draws on it through its canvas.
#pragma once
#include <memory>
#include <string>

#include "ui/component.h"

namespace kvd::ui {

class Canvas;
class Picture;

class Image : public Control {
public:
    Image(Form* owner, std::string name, Control* parent);
    ~Image() override;
    const char* ClassName() const override { return "Image"; }
    Picture& GetPicture() { return *picture_; }
    // Drawing on it changes the picture; the control repaints. The picture
    // takes the control's size when it has none yet.
    Canvas& GetCanvas();
    void SetStretch(bool on);
    void SetCenter(bool on);
    void SetBounds(int left, int top, int width, int height) override;

private:
    std::unique_ptr<Picture> picture_;
    bool stretch_ = false;
    bool center_ = false;
};

}  // namespace kvd::ui
