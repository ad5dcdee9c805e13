#include "ui/messages.h"

#include "kvd/ui_process.h"
#include "ui/application.h"

namespace kvd::ui {

bool PostMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    Application::Instance();
    return uiproc::PostWindowMessage(window, msg, wParam, lParam);
}

bool IsWindowHandle(WindowHandle window) {
    Application::Instance();
    return uiproc::IsWindow(window);
}

}  // namespace kvd::ui
