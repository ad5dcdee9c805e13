#include "ui/form.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "kvd/ui_process.h"
#include "ui/application.h"
#include "ui/automation.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/hooked_widget.h"
#include "ui/picture.h"
#include "ui/text_util.h"
#include "ui/ui_log.h"

namespace kvd::ui {

namespace {
std::vector<Form*>& ModalStack() {
    static std::vector<Form*> stack;
    return stack;
}

std::vector<std::string> ItemsOf(std::string_view items) {
    std::vector<std::string> out;
    if (items.empty()) return out;
    std::size_t start = 0;
    for (;;) {
        std::size_t nl = items.find('\n', start);
        out.emplace_back(items.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start));
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
    return out;
}

bool HoldsControls(const Control* c) {
    return dynamic_cast<const GroupBox*>(c) || dynamic_cast<const Panel*>(c) || dynamic_cast<const TabSheet*>(c) ||
           dynamic_cast<const Form*>(c);
}

QWidget* NewFormWidget() {
    Application::Instance();
    auto* w = new Hooked<QWidget>(nullptr, Qt::Window);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    QFont f = w->font();
    f.setPointSize(8);  // the forms are laid out for small dialog text
    w->setFont(f);
    return w;
}
}  // namespace

Form* ActiveModalForm() { return ModalStack().empty() ? nullptr : ModalStack().back(); }

struct Form::Receiver {
    uiproc::WindowReceiver receiver;
    explicit Receiver(Form* f)
        : receiver([f](std::uint32_t msg, std::uintptr_t w, std::intptr_t l) { f->Deliver(msg, w, l); }) {}
};

Form::Form(std::string name) : Control(this, std::move(name), nullptr, NewFormWidget()) {
    auto* w = static_cast<Hooked<QWidget>*>(Widget());
    w->resize(320, 240);
    w->onClose = [this](QCloseEvent* e) {
        e->ignore();  // the form decides, through its close handlers
        Close();
    };
    w->onKeyPress = [this](QKeyEvent* e) {
        return HandleKey(VirtualKeyFromQt(e->key()), ShiftFromQt(e->modifiers(), 0), true);
    };
    w->onKeyRelease = [this](QKeyEvent* e) {
        if (e->isAutoRepeat()) return false;
        return HandleKey(VirtualKeyFromQt(e->key()), ShiftFromQt(e->modifiers(), 0), false);
    };
    w->onResize = [this] {
        if (canvasPicture_) canvasPicture_->SetSize(Width(), Height());
        if (OnResize) OnResize();
    };
    w->onPaint = [this](QPainter& p, QPaintEvent*) {
        if (OnPaint) OnPaint(GetCanvas());
        if (canvasPicture_) p.drawImage(0, 0, canvasPicture_->Image());
    };
    Application::Instance().Register(this);
    receiver_ = std::make_unique<Receiver>(this);
    handle_ = receiver_->receiver.Handle();
    if (handle_ == 0) LogLine("Form " + Name() + ": the window registry is full, the form has no handle");
}

Form::~Form() {
    Application::Instance().Unregister(this);
    auto& stack = ModalStack();
    stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
    receiver_.reset();
    // The derived form is gone already: nothing its controls' widgets signal
    // while they are taken down may reach its handlers.
    for (const auto& c : components_)
        if (auto* ctl = dynamic_cast<Control*>(c.get()); ctl && ctl->Widget())
            QObject::disconnect(ctl->Widget(), nullptr, nullptr, nullptr);
    while (!components_.empty()) components_.pop_back();
}

void Form::CheckNewName(const std::string& name) const {
    if (!name.empty() && FindComponent(name))
        throw Error("form " + Name() + " already has a component named " + name);
}

Component* Form::FindComponent(std::string_view name) const {
    for (const auto& c : components_)
        if (EqualsNoCase(c->Name(), name)) return c.get();
    return nullptr;
}

void Form::RemoveComponent(Component* c) {
    auto within = [c](const Component* x) {
        auto* ctl = dynamic_cast<const Control*>(x);
        for (const Control* p = ctl; p; p = p->Parent())
            if (p == c) return true;
        return x == c;
    };
    for (std::size_t i = components_.size(); i-- > 0;)
        if (within(components_[i].get())) components_.erase(components_.begin() + static_cast<std::ptrdiff_t>(i));
}

void Form::Build(std::span<const ControlSpec> table) {
    for (const ControlSpec& spec : table) Create(spec);
}

Component& Form::Create(const ControlSpec& spec) {
    std::string name(spec.name);
    Control* parent = nullptr;
    if (!spec.parent.empty()) {
        parent = dynamic_cast<Control*>(FindComponent(spec.parent));
        if (!parent)
            throw Error("form " + Name() + ": the parent " + std::string(spec.parent) + " of " + name + " does not exist");
        bool sheetInPages = spec.cls == ControlClass::TabSheet && dynamic_cast<PageControl*>(parent);
        if (!sheetInPages && !HoldsControls(parent))
            throw Error("form " + Name() + ": " + std::string(spec.parent) + " cannot hold the control " + name);
    }
    if (spec.cls == ControlClass::TabSheet && !dynamic_cast<PageControl*>(parent))
        throw Error("form " + Name() + ": the tab sheet " + name + " needs a page control as its parent");
    const std::string caption(spec.caption);
    const auto items = ItemsOf(spec.items);

    Component* made = nullptr;
    switch (spec.cls) {
    case ControlClass::Label: {
        auto& c = Add<Label>(name, parent);
        c.SetCaption(caption);
        made = &c;
        break;
    }
    case ControlClass::Edit: {
        auto& c = Add<Edit>(name, parent);
        c.SetMaxLength(spec.maxLength);
        c.SetText(caption);
        made = &c;
        break;
    }
    case ControlClass::Memo: {
        auto& c = Add<Memo>(name, parent);
        c.SetMaxLength(spec.maxLength);
        if (!items.empty())
            c.SetLines(items);
        else
            c.SetText(caption);
        made = &c;
        break;
    }
    case ControlClass::CheckBox: {
        auto& c = Add<CheckBox>(name, parent);
        c.SetCaption(caption);
        made = &c;
        break;
    }
    case ControlClass::RadioGroup: {
        auto& c = Add<RadioGroup>(name, parent);
        c.SetCaption(caption);
        c.SetColumns(spec.columns);
        c.SetItems(items);
        made = &c;
        break;
    }
    case ControlClass::ListBox: {
        auto& c = Add<ListBox>(name, parent);
        c.SetItems(items);
        made = &c;
        break;
    }
    case ControlClass::CheckListBox: {
        auto& c = Add<CheckListBox>(name, parent);
        c.SetItems(items);
        made = &c;
        break;
    }
    case ControlClass::ComboBox: {
        auto& c = Add<ComboBox>(name, parent);
        c.SetItems(items);
        if (!caption.empty()) c.SetText(caption);
        made = &c;
        break;
    }
    case ControlClass::ColorBox: made = &Add<ColorBox>(name, parent); break;
    case ControlClass::GroupBox: {
        auto& c = Add<GroupBox>(name, parent);
        c.SetCaption(caption);
        made = &c;
        break;
    }
    case ControlClass::Panel: {
        auto& c = Add<Panel>(name, parent);
        c.SetCaption(caption);
        made = &c;
        break;
    }
    case ControlClass::PageControl: made = &Add<PageControl>(name, parent); break;
    case ControlClass::TabSheet: {
        auto& c = Add<TabSheet>(name, parent);
        c.SetCaption(caption);
        made = &c;
        break;
    }
    case ControlClass::Button: {
        auto& c = Add<Button>(name, parent);
        c.SetCaption(caption);
        c.SetModalResult(spec.modalResult);
        made = &c;
        break;
    }
    case ControlClass::BitButton: {
        auto& c = Add<BitButton>(name, parent);
        c.SetCaption(caption);
        c.SetKind(spec.kind);
        if (spec.modalResult != mrNone) c.SetModalResult(spec.modalResult);
        made = &c;
        break;
    }
    case ControlClass::Image: made = &Add<Image>(name, parent); break;
    case ControlClass::Shape: made = &Add<Shape>(name, parent); break;
    case ControlClass::Timer: {
        auto& t = Add<Timer>(name, parent);
        t.SetEnabled(false);
        t.SetInterval(spec.interval);
        t.SetEnabled(spec.enabled);
        return t;
    }
    case ControlClass::PopupMenu: return Add<PopupMenu>(name, parent);
    }
    auto* ctl = static_cast<Control*>(made);
    ctl->SetBounds(spec.left, spec.top, spec.width, spec.height);
    if (!spec.hint.empty()) ctl->SetHint(std::string(spec.hint));
    if (!spec.enabled) ctl->SetEnabled(false);
    if (!spec.visible) ctl->SetVisible(false);
    return *made;
}

std::string Form::Caption() const { return caption_; }

void Form::SetCaption(const std::string& text) {
    caption_ = text;
    Widget()->setWindowTitle(QString::fromStdString(text));
}

void Form::SetClientSize(int width, int height) { Widget()->resize(width, height); }

void Form::SetBounds(int left, int top, int width, int height) {
    Widget()->move(left, top);
    Widget()->resize(std::max(0, width), std::max(0, height));
}

void Form::SetBorderStyle(BorderStyle b) {
    QWidget* w = Widget();
    if (b == BorderStyle::Dialog) {
        w->setWindowFlags((w->windowFlags() & ~Qt::Window) | Qt::Dialog);
        w->setFixedSize(w->size());
    } else {
        w->setWindowFlags((w->windowFlags() & ~Qt::Dialog) | Qt::Window);
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void Form::SetWindowState(WindowState s) {
    state_ = s;
    if (!Widget()->isVisible()) return;
    if (s == WindowState::Maximized)
        Widget()->showMaximized();
    else if (s == WindowState::Minimized)
        Widget()->showMinimized();
    else
        Widget()->showNormal();
}

void Form::Centre() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect area = screen->availableGeometry();
    QSize size = Widget()->frameGeometry().size();
    Widget()->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

void Form::Show() {
    bool wasShown = Widget()->isVisible();
    if (position_ == FormPosition::ScreenCenter && !wasShown) Centre();
    Control::SetVisible(true);
    if (state_ == WindowState::Maximized) Widget()->showMaximized();
    if (!wasShown && OnShow) OnShow();
}

void Form::Hide() { Control::SetVisible(false); }

void Form::SetVisible(bool on) {
    if (on)
        Show();
    else
        Hide();
}

bool Form::CloseModal() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(canClose);
    if (!canClose) {
        modalResult_ = mrNone;
        return false;
    }
    CloseAction action = CloseAction::Hide;
    if (OnClose) OnClose(action);
    if (action == CloseAction::None) {
        modalResult_ = mrNone;
        return false;
    }
    Hide();
    if (action == CloseAction::Free) Release();
    return true;
}

int Form::ShowModal() {
    if (modal_) throw Error("form " + Name() + " is already shown modally");
    Application& app = Application::Instance();
    modalResult_ = mrNone;
    modal_ = true;
    ModalStack().push_back(this);
    Widget()->setWindowModality(Qt::ApplicationModal);
    if (Widget()->isVisible()) Widget()->hide();
    Show();
    app.ProcessMessages();
    for (;;) {
        if (modalResult_ != mrNone) {
            if (CloseModal()) break;
            continue;
        }
        if (ScriptFailed()) {
            modalResult_ = mrAbort;
            LogLine("ShowModal " + Name() + ": the automation script stopped, closed with mrAbort");
            if (!CloseModal()) {
                modalResult_ = mrAbort;
                Hide();
            }
            break;
        }
        if (automation::PlayModal(*this)) continue;
        if (app.Headless()) {
            LogLine("ShowModal " + Name() + ": no automation action left, closed with mrCancel");
            modalResult_ = mrCancel;
            if (!CloseModal()) {
                LogLine("ShowModal " + Name() + ": kept open by its close handlers, closed anyway");
                modalResult_ = mrCancel;
                Hide();
            }
            break;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        app.ProcessMessages();
    }
    Widget()->setWindowModality(Qt::NonModal);
    auto& stack = ModalStack();
    stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
    modal_ = false;
    return modalResult_;
}

void Form::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(canClose);
    if (!canClose) return;
    CloseAction action = CloseAction::Hide;
    if (OnClose) OnClose(action);
    if (action == CloseAction::None) return;
    Hide();
    if (action == CloseAction::Free) Release();
}

void Form::Free() {
    if (modal_) {
        modalResult_ = mrCancel;
        Release();
        return;
    }
    Application::Instance().DestroyForm(this);
}

void Form::Release() { Application::Instance().ReleaseForm(this); }

Canvas& Form::GetCanvas() {
    if (!canvasPicture_) {
        canvasPicture_ = std::make_unique<Picture>(std::max(1, Width()), std::max(1, Height()), clBtnFace);
        canvasPicture_->GetCanvas().onChange = [this] { Widget()->update(); };
    }
    return canvasPicture_->GetCanvas();
}

void Form::SetMessageHandler(std::uint32_t msg, std::function<void(std::uintptr_t, std::intptr_t)> fn) {
    if (fn)
        messageHandlers_[msg] = std::move(fn);
    else
        messageHandlers_.erase(msg);
}

void Form::Deliver(std::uint32_t msg, std::uintptr_t w, std::intptr_t l) {
    auto it = messageHandlers_.find(msg);
    if (it != messageHandlers_.end()) it->second(w, l);
}

void Form::MoveMouseTo(int x, int y) { QCursor::setPos(Widget()->mapToGlobal(QPoint(x, y))); }

void Form::DoCreate() {
    if (created_) return;
    created_ = true;
    if (OnCreate) OnCreate();
}

bool Form::HandleKey(int vk, ShiftState shift, bool press) {
    if (press) {
        if (vk == 13 || vk == 27) {
            for (const auto& c : components_) {
                auto* b = dynamic_cast<Button*>(c.get());
                if (b && b->Usable() && ((vk == 13 && b->IsDefault()) || (vk == 27 && b->IsCancel()))) {
                    b->Click();
                    return true;
                }
            }
        }
        if (OnKeyDown) OnKeyDown(vk, shift);
        return false;
    }
    if (OnKeyUp) OnKeyUp(vk, shift);
    return false;
}

int VirtualKeyFromQt(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    default: return 0;
    }
}

}  // namespace kvd::ui
