// Window messages: forms (and the host's window) have handles from a
// process-wide registry; PostMessage queues a message that the event loop
// and ProcessMessages deliver to the handler of the window, in posting order.
#pragma once
#include <cstdint>

namespace kvd::ui {

using WindowHandle = std::uint32_t;

// Never waits; false when no window has the handle (the message is dropped).
bool PostMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
bool IsWindowHandle(WindowHandle window);

}  // namespace kvd::ui
