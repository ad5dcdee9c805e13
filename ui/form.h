// Forms: top-level windows that own their components. A form is built from
// a declarative table of its controls, shown modally with a modal result or
// modelessly, and receives window messages through its handle.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kvd/error.h"
#include "ui/component.h"

namespace kvd::ui {

class Canvas;
class Picture;

// Modal results (the numbers of the host's toolkit).
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrClose = 8,
    mrHelp = 9,
    mrTryAgain = 10,
    mrContinue = 11,
    mrAll = 12,
    mrNoToAll = 13,
    mrYesToAll = 14,
};

enum class CloseAction { None, Hide, Free, Minimize };
enum class FormPosition { Designed, ScreenCenter };
enum class BorderStyle { Sizeable, Dialog };
enum class WindowState { Normal, Maximized, Minimized };

// Classes a form table can create.
enum class ControlClass {
    Label,
    Edit,
    Memo,
    CheckBox,
    RadioGroup,
    ListBox,
    CheckListBox,
    ComboBox,
    ColorBox,
    GroupBox,
    Panel,
    PageControl,
    TabSheet,
    Button,
    BitButton,
    Image,
    Shape,
    Timer,
    PopupMenu,
};

// Button kinds: a caption, a glyph, a modal result and the Enter/Esc role.
enum class BitKind { Custom, Ok, Cancel, Yes, No, Close, Abort, Retry, Ignore, All, Help };

// One row of a form table. Rows are created in order, so a parent comes
// before its children; `parent` empty means the form. `caption` is the
// caption or text; `items` separates list items (radio groups, list boxes,
// combo boxes, memo lines) with '\n'.
struct ControlSpec {
    std::string_view name;
    ControlClass cls;
    std::string_view parent;
    std::string_view caption;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string_view hint = {};
    std::string_view items = {};
    int maxLength = 0;        // edits and memos; 0 = no limit
    int columns = 1;          // radio groups
    int interval = 1000;      // timers
    bool enabled = true;      // controls and timers
    bool visible = true;
    BitKind kind = BitKind::Custom;  // bit buttons
    int modalResult = mrNone;        // buttons: closes the modal form with this result
};

using WindowHandle = std::uint32_t;

class Form : public Control {
public:
    explicit Form(std::string name);
    ~Form() override;
    const char* ClassName() const override { return "Form"; }

    // Creates the controls of a table (throws kvd::Error on a duplicate name,
    // an unknown parent or a parent that cannot hold controls).
    void Build(std::span<const ControlSpec> table);
    Component& Create(const ControlSpec& spec);

    // Adds a control made in code (`parent` null: the form).
    template <typename T, typename... Args>
    T& Add(std::string name, Control* parent = nullptr, Args&&... args) {
        CheckNewName(name);
        auto c = std::make_unique<T>(this, std::move(name), parent, std::forward<Args>(args)...);
        T& ref = *c;
        components_.push_back(std::move(c));
        return ref;
    }
    // Case-insensitive, among the components this form owns; nullptr when none.
    Component* FindComponent(std::string_view name) const;
    // The component of that name and class; throws kvd::Error when there is none.
    template <typename T>
    T& Get(std::string_view name) const {
        auto* t = dynamic_cast<T*>(FindComponent(name));
        if (!t) throw Error("form " + Name() + " has no control " + std::string(name) + " of the expected class");
        return *t;
    }
    // In creation order.
    const std::vector<std::unique_ptr<Component>>& Components() const { return components_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // Frees one component made in code (its child controls go with it).
    void RemoveComponent(Component* c);

    std::string Caption() const override;
    void SetCaption(const std::string& text) override;
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    void SetClientSize(int width, int height);
    void SetBounds(int left, int top, int width, int height) override;
    FormPosition Position() const { return position_; }
    void SetPosition(FormPosition p) { position_ = p; }
    void SetBorderStyle(BorderStyle b);
    void SetWindowState(WindowState s);
    WindowState GetWindowState() const { return state_; }

    // Runs the form modally and returns its modal result. Setting a modal
    // result (a button with one, or SetModalResult) ends the run; Close gives
    // mrCancel. Headless, the automation script is played and the form never
    // waits for a person (see docs/automation.md).
    int ShowModal();
    bool IsModal() const { return modal_; }
    int GetModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    void Show();
    void Hide();
    void SetVisible(bool on) override;
    // Asks OnCloseQuery and OnClose; a modal form gets mrCancel.
    void Close();
    // Fires OnDestroy and destroys the form now (forms made by
    // Application::CreateForm only).
    void Free();
    // Destroys the form at the next ProcessMessages, after the handler that
    // asked for it has returned.
    void Release();

    // Paints over the form's background.
    Canvas& GetCanvas();
    // The form's window handle in the process-wide registry (0 if full).
    WindowHandle Handle() const { return handle_; }
    // Handlers of posted window messages, by message number.
    void SetMessageHandler(std::uint32_t msg, std::function<void(std::uintptr_t wParam, std::intptr_t lParam)> fn);
    // Places the mouse pointer at form coordinates.
    void MoveMouseTo(int x, int y);

    // Fires OnCreate (once); Application::CreateForm calls it.
    void DoCreate();

    std::function<void()> OnCreate;
    std::function<void()> OnShow;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void(CloseAction& action)> OnClose;
    std::function<void()> OnDestroy;
    std::function<void()> OnResize;
    std::function<void(int key, ShiftState shift)> OnKeyDown;
    std::function<void(int key, ShiftState shift)> OnKeyUp;
    std::function<void(Canvas&)> OnPaint;

    // The layer's own bookkeeping (destroy events are fired once).
    bool destroyFired = false;

private:
    void CheckNewName(const std::string& name) const;
    void Centre();
    bool CloseModal();  // false: OnCloseQuery or OnClose kept the form open
    void Deliver(std::uint32_t msg, std::uintptr_t w, std::intptr_t l);
    bool HandleKey(int vk, ShiftState shift, bool press);

    std::vector<std::unique_ptr<Component>> components_;
    std::string caption_;
    FormPosition position_ = FormPosition::Designed;
    WindowState state_ = WindowState::Normal;
    bool modal_ = false;
    bool created_ = false;
    int modalResult_ = mrNone;
    std::unique_ptr<Picture> canvasPicture_;
    std::map<std::uint32_t, std::function<void(std::uintptr_t, std::intptr_t)>> messageHandlers_;
    struct Receiver;
    std::unique_ptr<Receiver> receiver_;
    WindowHandle handle_ = 0;
};

// The innermost form being shown modally, or nullptr.
Form* ActiveModalForm();

// Windows virtual-key code of a Qt key (F10 = 121, Enter = 13, Escape = 27, ...).
int VirtualKeyFromQt(int qtKey);

}  // namespace kvd::ui
