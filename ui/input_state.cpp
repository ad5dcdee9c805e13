#include "ui/input_state.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <chrono>

#include "kvd/ui_process.h"
#include "ui/application.h"

namespace kvd::ui {

namespace {
class InputCatcher : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) SimulateRightButtonPress();
            return true;
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ContextMenu:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
            return true;
        default: return false;
        }
    }
};

std::int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

bool ShiftDown() {
    Application::Instance();
    uiproc::SharedState* s = uiproc::State();
    if (s && s->shiftOverride >= 0) return s->shiftOverride == 1;
    return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
}

void SetShiftOverride(std::optional<bool> down) {
    Application::Instance();
    if (uiproc::SharedState* s = uiproc::State()) s->shiftOverride = down ? (*down ? 1 : 0) : -1;
}

bool RightButtonPending() {
    Application::Instance();
    uiproc::SharedState* s = uiproc::State();
    if (!s) return false;
    static std::int64_t lastPump = 0;
    std::int64_t now = SteadyMs();
    if (!s->rightPressPending && now - lastPump >= 50) {
        lastPump = now;
        InputCatcher catcher;
        qApp->installEventFilter(&catcher);
        ++s->inputPeekDepth;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        --s->inputPeekDepth;
        qApp->removeEventFilter(&catcher);
    }
    return s->rightPressPending != 0;
}

void ClearRightButtonPress() {
    Application::Instance();
    if (uiproc::SharedState* s = uiproc::State()) s->rightPressPending = 0;
}

void SimulateRightButtonPress() {
    Application::Instance();
    if (uiproc::SharedState* s = uiproc::State()) s->rightPressPending = 1;
}

}  // namespace kvd::ui
