// The application object: it makes sure there is a Qt application (the host
// normally creates it; a library called without one creates it on first use
// and keeps it), owns the forms, holds the hint, menu and icon fonts, knows the
// screen, and pumps the event loop.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/font.h"

namespace kvd::ui {

class Form;

class Application {
public:
    // The one application object of this library; creates the Qt
    // application when there is none (throws kvd::Error when the process has a
    // Qt application without widgets).
    static Application& Instance();
    ~Application();

    // Creates a form owned by the application and fires its OnCreate.
    template <typename T, typename... Args>
    T& CreateForm(Args&&... args) {
        auto f = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *f;
        Adopt(std::move(f));
        ref.DoCreate();
        return ref;
    }
    // Every live form, owned or not, in creation order.
    const std::vector<Form*>& Forms() const { return forms_; }
    Form* FindForm(const std::string& name) const;  // case-insensitive
    bool Owns(const Form* f) const;
    // Fires OnDestroy and destroys an owned form now.
    void DestroyForm(Form* f);
    // Destroys an owned form at the next ProcessMessages.
    void ReleaseForm(Form* f);

    // Delivers what is waiting: posted window messages, due timers, input,
    // painting; then frees released forms. Never waits.
    void ProcessMessages();

    // True when no person can answer: QT_QPA_PLATFORM=offscreen (or the
    // minimal platform), or KVD_UI_NONINTERACTIVE=1.
    bool Headless() const { return headless_; }

    int ScreenWidth() const;
    int ScreenHeight() const;

    Font HintFont() const { return hintFont_; }
    void SetHintFont(const Font& f);
    Font MenuFont() const { return menuFont_; }
    void SetMenuFont(const Font& f) { menuFont_ = f; }
    Font IconFont() const { return iconFont_; }
    void SetIconFont(const Font& f) { iconFont_ = f; }

    // Used by Form.
    void Register(Form* f);
    void Unregister(Form* f);

private:
    Application();
    void Adopt(std::unique_ptr<Form> f);
    void FreeReleased();

    std::vector<Form*> forms_;
    std::vector<std::unique_ptr<Form>> owned_;
    std::vector<Form*> released_;
    bool headless_ = false;
    Font hintFont_, menuFont_, iconFont_;
};

inline Application& App() { return Application::Instance(); }
inline void ProcessMessages() { Application::Instance().ProcessMessages(); }
inline bool Headless() { return Application::Instance().Headless(); }

}  // namespace kvd::ui
