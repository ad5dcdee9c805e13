#include "ui/application.h"

#include <QApplication>
#include <QScreen>
#include <QStyleFactory>
#include <QToolTip>
#include <algorithm>
#include <cstdlib>

#include "kvd/error.h"
#include "ui/form.h"
#include "ui/text_util.h"

namespace kvd::ui {

namespace {
bool EnvTrue(const char* name) {
    const char* v = std::getenv(name);
    return v && *v && std::string(v) != "0";
}

bool& CreatedQt() {
    static bool created = false;
    return created;
}

// The Qt application of the process, created when there is none.
void EnsureQtApplication() {
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            throw Error("the process has a Qt application without widgets; the dialogs need a QApplication");
        return;
    }
    // Without a display there is no interactive platform to fall back on.
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kvd";
    static char* argv[] = {name, nullptr};
    auto* app = new QApplication(argc, argv);  // kept for the life of the process
    CreatedQt() = true;
    app->setStyle(QStyleFactory::create("Fusion"));
}
}  // namespace

Application& Application::Instance() {
    static Application* instance = nullptr;
    if (!instance) {
        EnsureQtApplication();
        static Application app;
        instance = &app;
    }
    return *instance;
}

Application::Application() {
    QString platform = QGuiApplication::platformName();
    headless_ = platform == "offscreen" || platform == "minimal" || EnvTrue("KVD_UI_NONINTERACTIVE");
    hintFont_ = FromQFont(QToolTip::font());
    menuFont_ = FromQFont(QApplication::font());
    iconFont_ = menuFont_;
}

Application::~Application() {
    // When the library is unloaded while the host's Qt application lives on,
    // the forms go with it (their widgets hold our code). At the end of the
    // process Qt may be half torn down already (the host's application is
    // gone, or ours, which is never destroyed, has lost its globals): then
    // the forms are left to the process.
    if (!QCoreApplication::instance() || CreatedQt()) {
        for (auto& f : owned_) (void)f.release();
        return;
    }
    while (!owned_.empty()) {
        std::unique_ptr<Form> f = std::move(owned_.back());
        owned_.pop_back();
        f.reset();
    }
}

void Application::Adopt(std::unique_ptr<Form> f) { owned_.push_back(std::move(f)); }

void Application::Register(Form* f) { forms_.push_back(f); }

void Application::Unregister(Form* f) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
    released_.erase(std::remove(released_.begin(), released_.end(), f), released_.end());
}

Form* Application::FindForm(const std::string& name) const {
    for (Form* f : forms_)
        if (EqualsNoCase(f->Name(), name)) return f;
    return nullptr;
}

bool Application::Owns(const Form* f) const {
    return std::any_of(owned_.begin(), owned_.end(), [f](const auto& p) { return p.get() == f; });
}

void Application::DestroyForm(Form* f) {
    if (!Owns(f)) throw Error("form " + f->Name() + " is not owned by the application");
    if (!f->destroyFired) {
        f->destroyFired = true;
        if (f->OnDestroy) f->OnDestroy();
    }
    // OnDestroy may have made or freed other forms: look the form up again.
    auto it = std::find_if(owned_.begin(), owned_.end(), [f](const auto& p) { return p.get() == f; });
    if (it == owned_.end()) return;
    std::unique_ptr<Form> doomed = std::move(*it);
    owned_.erase(it);
    doomed.reset();
}

void Application::ReleaseForm(Form* f) {
    if (!Owns(f)) throw Error("form " + f->Name() + " is not owned by the application");
    if (std::find(released_.begin(), released_.end(), f) == released_.end()) released_.push_back(f);
}

void Application::FreeReleased() {
    // A form still in its modal run waits for a later round.
    std::vector<Form*> waiting;
    while (!released_.empty()) {
        Form* f = released_.front();
        released_.erase(released_.begin());
        if (!Owns(f)) continue;
        if (f->IsModal())
            waiting.push_back(f);
        else
            DestroyForm(f);
    }
    released_.insert(released_.end(), waiting.begin(), waiting.end());
}

void Application::ProcessMessages() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    FreeReleased();
}

int Application::ScreenWidth() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 1024;
}

int Application::ScreenHeight() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

void Application::SetHintFont(const Font& f) {
    hintFont_ = f;
    QToolTip::setFont(ToQFont(f, QToolTip::font()));
}

}  // namespace kvd::ui
