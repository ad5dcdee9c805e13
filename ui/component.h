// Components and controls of the forms. A component has a name and belongs
// to a form; a control is a component with a window part: it owns its
// QWidget and has the geometry, visibility, hint, font and colour the dialogs
// read and write, and the mouse events they handle.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "ui/color.h"
#include "ui/font.h"

class QWidget;
class QObject;

namespace kvd::ui {

class Form;
class PopupMenu;
class ControlEvents;

class Component {
public:
    Component(Form* owner, std::string name);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    Form* Owner() const { return owner_; }
    // The class name used in messages ("Edit", "RadioGroup", ...).
    virtual const char* ClassName() const = 0;

    int Tag = 0;

private:
    Form* owner_;
    std::string name_;
};

enum class MouseButton { Left, Right, Middle };
// Shift state bits of mouse and key events.
using ShiftState = unsigned;
inline constexpr ShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32;

enum class Cursor { Default, HandPoint, Cross, Wait, IBeam, SizeAll };

class Control : public Component {
public:
    // `widget` becomes the control's own; it is placed in the parent's client
    // area (the form's when `parent` is null and the control is not a form).
    Control(Form* owner, std::string name, Control* parent, QWidget* widget);
    ~Control() override;

    QWidget* Widget() const;
    // Where child controls are placed (a tab sheet's page, a group box itself).
    virtual QWidget* ClientWidget() const { return Widget(); }
    Control* Parent() const { return parent_; }

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    virtual void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool on);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    // Enabled and visible with every parent: what a person could click.
    bool Usable() const;

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    // The effective font (inherited from the parent unless set).
    Font GetFont() const;
    void SetFont(const Font& font);
    // Only the family (and character set): what a language font changes.
    void SetFontName(const std::string& name, int charset);

    Color GetColor() const { return color_; }
    virtual void SetColor(Color c);

    // Caption or text, for the classes that show one.
    virtual std::string Caption() const { return caption_; }
    virtual void SetCaption(const std::string& text) { caption_ = text; }

    void SetCursor(Cursor c);
    PopupMenu* GetPopupMenu() const { return popup_; }
    void SetPopupMenu(PopupMenu* menu) { popup_ = menu; }
    void BringToFront();
    void Invalidate();

    // The control as a person sees it, as a picture file (PNG).
    void SaveScreenshot(const std::string& pngPath) const;

    std::function<void()> OnClick;
    std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseDown;
    std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseUp;
    std::function<void(ShiftState, int x, int y)> OnMouseMove;

    // Runs OnClick as a click of a person would (buttons add their modal result).
    virtual void Click();

protected:
    // Mouse presses and releases fire OnClick for classes without a native click.
    void SetClickFromMouse(bool on) { clickFromMouse_ = on; }
    // Routes mouse events of another widget (a hosted view) to this control.
    void WatchWidget(QWidget* w);
    void ApplyPalette();

private:
    friend class ControlEvents;
    Control* parent_;
    struct WidgetRef;
    std::unique_ptr<WidgetRef> widget_;
    ControlEvents* events_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    bool clickFromMouse_ = false;
    bool leftDown_ = false;
    std::string hint_;
    std::string caption_;
    Color color_ = clDefault;
    Color fontColor_ = clWindowText;
    int charset_ = 1;
    PopupMenu* popup_ = nullptr;
};

ShiftState ShiftFromQt(unsigned modifiers, unsigned buttons);

}  // namespace kvd::ui
