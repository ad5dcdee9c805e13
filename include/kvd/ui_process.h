// State that the host and every library share through the process's one
// QApplication: the window-handle registry with its message posting, and the
// cursor of the automation script. Each library links its own copy of the
// toolkit layer, so this state cannot live in a global of ours; it hangs on
// the application object as dynamic properties whose storage Qt owns (a
// QByteArray), so it outlives any library that is unloaded and is freed with
// the application.
//
// Header only, so that kvdhost (which links none of the libraries) can take
// part: it registers its main window with a WindowReceiver and posts answers
// with PostWindowMessage.
#pragma once
#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QVariant>

#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>

namespace kvd::uiproc {

inline constexpr std::uint32_t kLayoutVersion = 1;
inline constexpr int kMaxWindows = 1024;
inline constexpr const char* kStateProperty = "kvdUiProcessState";
inline constexpr const char* kScriptProperty = "kvdUiScript";          // QByteArray: the script text
inline constexpr const char* kScriptNameProperty = "kvdUiScriptName";  // QByteArray: file name or label
inline constexpr QEvent::Type kWakeEvent = static_cast<QEvent::Type>(QEvent::User + 0x4B56);

// Queues one message at the receiver; called by the poster, runs code of the
// receiver's library (which stays loaded while the window is registered).
using DeliverFn = void (*)(void* context, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

struct WindowSlot {
    std::uint32_t handle;  // 0 = free
    DeliverFn deliver;
    void* context;
};

struct SharedState {
    std::uint32_t version;
    std::uint32_t nextHandle;
    WindowSlot windows[kMaxWindows];
    // Automation script (its text is the kScriptProperty byte array).
    std::uint32_t scriptGeneration;  // bumped whenever a script is installed or dropped
    std::int32_t nextLine;           // 0-based index of the next line to play
    std::int32_t envChecked;         // KVD_UI_SCRIPT has been looked at
    std::int32_t failed;             // the script stopped on an error
    char error[1024];                // that error, UTF-8
    // Input state.
    std::int32_t shiftOverride;  // -1 none, 0 up, 1 down
    std::int32_t rightPressPending;
    std::int32_t inputPeekDepth;  // > 0 while a pending-input query pumps events: receivers and timers wait
};

// The shared state, created on first use; nullptr without a Qt application.
inline SharedState* State() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return nullptr;
    QVariant v = app->property(kStateProperty);
    if (!v.isValid()) {
        QByteArray storage(static_cast<int>(sizeof(SharedState)), '\0');
        auto* s = reinterpret_cast<SharedState*>(storage.data());
        s->version = kLayoutVersion;
        s->nextHandle = 1;
        s->shiftOverride = -1;
        app->setProperty(kStateProperty, QVariant(storage));
        v = app->property(kStateProperty);
    }
    // The property keeps the one shared buffer alive; constData() never detaches it.
    const QByteArray bytes = v.toByteArray();
    if (bytes.size() != static_cast<int>(sizeof(SharedState))) return nullptr;
    auto* s = reinterpret_cast<SharedState*>(const_cast<char*>(bytes.constData()));
    return s->version == kLayoutVersion ? s : nullptr;
}

// Installs an automation script for the whole process: every library's layer
// (and the host) plays it from its first line. Returns false without a Qt application.
inline bool InstallScript(const QByteArray& text, const QByteArray& name) {
    SharedState* s = State();
    if (!s) return false;
    QCoreApplication* app = QCoreApplication::instance();
    app->setProperty(kScriptProperty, QVariant(text));
    app->setProperty(kScriptNameProperty, QVariant(name));
    ++s->scriptGeneration;
    s->nextLine = 0;
    s->failed = 0;
    s->error[0] = '\0';
    s->envChecked = 1;  // a script set in code takes the place of KVD_UI_SCRIPT
    return true;
}

// A new window handle (small integer, never 0), or 0 when the registry is full.
inline std::uint32_t RegisterWindow(DeliverFn deliver, void* context) {
    SharedState* s = State();
    if (!s) return 0;
    for (auto& slot : s->windows) {
        if (slot.handle == 0) {
            slot.handle = s->nextHandle++;
            if (s->nextHandle == 0) s->nextHandle = 1;
            slot.deliver = deliver;
            slot.context = context;
            return slot.handle;
        }
    }
    return 0;
}

inline void UnregisterWindow(std::uint32_t handle) {
    SharedState* s = State();
    if (!s || handle == 0) return;
    for (auto& slot : s->windows)
        if (slot.handle == handle) slot = WindowSlot{0, nullptr, nullptr};
}

inline bool IsWindow(std::uint32_t handle) {
    SharedState* s = State();
    if (!s || handle == 0) return false;
    for (const auto& slot : s->windows)
        if (slot.handle == handle) return true;
    return false;
}

// Queues (msg, wParam, lParam) for the window; never waits. False when no
// window has that handle.
inline bool PostWindowMessage(std::uint32_t handle, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    SharedState* s = State();
    if (!s || handle == 0) return false;
    for (const auto& slot : s->windows) {
        if (slot.handle == handle && slot.deliver) {
            slot.deliver(slot.context, msg, wParam, lParam);
            return true;
        }
    }
    return false;
}

// A window of the registry: messages posted to its handle are delivered to
// the handler, in posting order, by the Qt event loop (and by every
// ProcessMessages of the layer). While a pending-input query pumps events,
// delivery waits.
class WindowReceiver : public QObject {
public:
    using Handler = std::function<void(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)>;

    explicit WindowReceiver(Handler handler) : handler_(std::move(handler)) {
        handle_ = RegisterWindow(&WindowReceiver::Deliver, this);
        retry_.setSingleShot(true);
        retry_.setInterval(5);
        QObject::connect(&retry_, &QTimer::timeout, [this] { Wake(); });
    }
    ~WindowReceiver() override { UnregisterWindow(handle_); }
    WindowReceiver(const WindowReceiver&) = delete;
    WindowReceiver& operator=(const WindowReceiver&) = delete;

    std::uint32_t Handle() const { return handle_; }
    std::size_t Pending() const { return queue_.size(); }
    void SetHandler(Handler handler) { handler_ = std::move(handler); }

protected:
    bool event(QEvent* e) override {
        if (e->type() != kWakeEvent) return QObject::event(e);
        SharedState* s = State();
        if (s && s->inputPeekDepth > 0) {
            if (!retry_.isActive()) retry_.start();
            return true;
        }
        if (queue_.empty()) return true;
        Message m = queue_.front();
        queue_.pop_front();
        if (handler_) handler_(m.msg, m.wParam, m.lParam);
        return true;
    }

private:
    struct Message {
        std::uint32_t msg;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    static void Deliver(void* context, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
        auto* self = static_cast<WindowReceiver*>(context);
        self->queue_.push_back(Message{msg, wParam, lParam});
        QCoreApplication::postEvent(self, new QEvent(kWakeEvent));
    }
    // One wake-up per waiting message, so that messages keep their order
    // with the messages of other windows.
    void Wake() {
        for (std::size_t i = 0; i < queue_.size(); ++i) QCoreApplication::postEvent(this, new QEvent(kWakeEvent));
    }

    Handler handler_;
    std::uint32_t handle_ = 0;
    std::deque<Message> queue_;
    QTimer retry_;
};

}  // namespace kvd::uiproc
