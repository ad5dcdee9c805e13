#include "ui/component.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "kvd/error.h"
#include "ui/form.h"
#include "ui/picture.h"
#include "ui/popup_menu.h"

namespace kvd::ui {

Component::Component(Form* owner, std::string name) : owner_(owner), name_(std::move(name)) {}
Component::~Component() = default;

struct Control::WidgetRef {
    QPointer<QWidget> w;
};

ShiftState ShiftFromQt(unsigned modifiers, unsigned buttons) {
    ShiftState s = 0;
    if (modifiers & Qt::ShiftModifier) s |= ssShift;
    if (modifiers & Qt::AltModifier) s |= ssAlt;
    if (modifiers & Qt::ControlModifier) s |= ssCtrl;
    if (buttons & Qt::LeftButton) s |= ssLeft;
    if (buttons & Qt::RightButton) s |= ssRight;
    if (buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

namespace {
MouseButton ButtonFromQt(Qt::MouseButton b) {
    if (b == Qt::RightButton) return MouseButton::Right;
    if (b == Qt::MiddleButton) return MouseButton::Middle;
    return MouseButton::Left;
}
}  // namespace

// Turns the mouse and context-menu events of a control's widgets into its events.
class ControlEvents : public QObject {
public:
    explicit ControlEvents(Control* c) : control_(c) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w) return false;
        Control* c = control_;
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* m = static_cast<QMouseEvent*>(e);
            QPoint p = w->mapTo(c->Widget(), m->position().toPoint());
            if (m->button() == Qt::LeftButton) c->leftDown_ = true;
            if (c->OnMouseDown)
                c->OnMouseDown(ButtonFromQt(m->button()), ShiftFromQt(m->modifiers(), m->buttons()), p.x(), p.y());
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* m = static_cast<QMouseEvent*>(e);
            QPoint p = w->mapTo(c->Widget(), m->position().toPoint());
            bool wasDown = c->leftDown_ && m->button() == Qt::LeftButton;
            if (m->button() == Qt::LeftButton) c->leftDown_ = false;
            QPointer<QObject> alive(this);
            if (c->OnMouseUp)
                c->OnMouseUp(ButtonFromQt(m->button()), ShiftFromQt(m->modifiers(), m->buttons()), p.x(), p.y());
            if (alive && wasDown && c->clickFromMouse_ && c->Widget() && c->Widget()->rect().contains(p)) c->Click();
            break;
        }
        case QEvent::MouseMove: {
            auto* m = static_cast<QMouseEvent*>(e);
            QPoint p = w->mapTo(c->Widget(), m->position().toPoint());
            if (c->OnMouseMove) c->OnMouseMove(ShiftFromQt(m->modifiers(), m->buttons()), p.x(), p.y());
            break;
        }
        case QEvent::ContextMenu: {
            PopupMenu* menu = c->GetPopupMenu();
            if (!menu && c->Owner()) menu = c->Owner()->GetPopupMenu();
            if (menu) {
                auto* cm = static_cast<QContextMenuEvent*>(e);
                menu->Popup(cm->globalPos().x(), cm->globalPos().y());
                return true;
            }
            break;
        }
        default: break;
        }
        return false;
    }

private:
    Control* control_;
};

Control::Control(Form* owner, std::string name, Control* parent, QWidget* widget)
    : Component(owner, std::move(name)), parent_(parent), widget_(std::make_unique<WidgetRef>()) {
    widget_->w = widget;
    if (!widget) throw Error("control " + Name() + " has no widget");
    widget->setObjectName(QString::fromStdString(Name()));
    QWidget* host = nullptr;
    if (parent)
        host = parent->ClientWidget();
    else if (owner && static_cast<Control*>(owner) != this)
        host = owner->ClientWidget();
    if (host) widget->setParent(host);
    events_ = new ControlEvents(this);
    events_->setParent(widget);
    widget->installEventFilter(events_);
    widget->setMouseTracking(false);
}

Control::~Control() {
    // Qt may already have deleted the widget with its parent; without an
    // application left (end of the process) the widget is abandoned.
    QWidget* w = widget_->w.data();
    if (!w || !QCoreApplication::instance()) return;
    // The derived control is gone already: signals the widget sends while it
    // dies must not reach its handlers.
    QObject::disconnect(w, nullptr, nullptr, nullptr);
    w->removeEventFilter(events_);
    delete w;
}

QWidget* Control::Widget() const { return widget_->w.data(); }

int Control::Left() const { return Widget() ? Widget()->x() : 0; }
int Control::Top() const { return Widget() ? Widget()->y() : 0; }
int Control::Width() const { return Widget() ? Widget()->width() : 0; }
int Control::Height() const { return Widget() ? Widget()->height() : 0; }
void Control::SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
void Control::SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
void Control::SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
void Control::SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
void Control::SetBounds(int left, int top, int width, int height) {
    if (Widget()) Widget()->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void Control::SetVisible(bool on) {
    visible_ = on;
    if (Widget()) Widget()->setVisible(on);
}

void Control::SetEnabled(bool on) {
    enabled_ = on;
    if (Widget()) Widget()->setEnabled(on);
}

bool Control::Usable() const {
    for (const Control* c = this; c; c = c->Parent())
        if (!c->enabled_ || !c->visible_) return false;
    return true;
}

void Control::SetHint(const std::string& hint) {
    hint_ = hint;
    if (Widget()) Widget()->setToolTip(QString::fromStdString(hint));
}

Font Control::GetFont() const {
    return Widget() ? FromQFont(Widget()->font(), fontColor_, charset_) : Font{};
}

void Control::SetFont(const Font& font) {
    fontColor_ = font.color;
    charset_ = font.charset;
    if (Widget()) Widget()->setFont(ToQFont(font, Widget()->font()));
    ApplyPalette();
}

void Control::SetFontName(const std::string& name, int charset) {
    charset_ = charset;
    if (!Widget() || name.empty()) return;
    QFont f = Widget()->font();
    f.setFamily(QString::fromStdString(name));
    Widget()->setFont(f);
}

void Control::SetColor(Color c) {
    color_ = c;
    ApplyPalette();
}

void Control::ApplyPalette() {
    QWidget* w = Widget();
    if (!w) return;
    QPalette p;
    QPalette::ColorRole bg = w->backgroundRole();
    if (!IsSystemColor(color_)) p.setColor(bg, ToQColor(color_));
    if (!IsSystemColor(fontColor_)) p.setColor(w->foregroundRole(), ToQColor(fontColor_));
    w->setPalette(p);
    w->setAutoFillBackground(bg == QPalette::Window && !IsSystemColor(color_));
}

void Control::SetCursor(Cursor c) {
    if (!Widget()) return;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (c) {
    case Cursor::HandPoint: shape = Qt::PointingHandCursor; break;
    case Cursor::Cross: shape = Qt::CrossCursor; break;
    case Cursor::Wait: shape = Qt::WaitCursor; break;
    case Cursor::IBeam: shape = Qt::IBeamCursor; break;
    case Cursor::SizeAll: shape = Qt::SizeAllCursor; break;
    case Cursor::Default: break;
    }
    Widget()->setCursor(shape);
}

void Control::BringToFront() {
    if (Widget()) Widget()->raise();
}

void Control::Invalidate() {
    if (Widget()) Widget()->update();
}

void Control::SaveScreenshot(const std::string& pngPath) const {
    if (!Widget()) throw Error("control " + Name() + " has no window to capture");
    Picture pic;
    pic.Assign(Widget()->grab().toImage());
    pic.SavePng(pngPath);
}

void Control::Click() {
    auto handler = OnClick;  // the handler may free the form
    if (handler) handler();
}

void Control::WatchWidget(QWidget* w) {
    if (w) w->installEventFilter(events_);
}

}  // namespace kvd::ui
