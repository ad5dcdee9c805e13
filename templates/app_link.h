// The app link to the host window: text commands posted one character per
// window message, answers received as message 33173 on the templates form.
//
// Dialog side: Template7 sets AppLink().endpoint; the templates form sets
// AppLink().formHandle = Handle() and registers
//   SetMessageHandler(kAppLinkAnswerMessage, AppLinkAnswerHandler);
//
// Waiting runs ui::ProcessMessages and reads ui::CurrentClock(). Under a
// manual clock (tests) each pass of the wait loop advances the clock by
// AppLinkManualStepMs (1 ms), so a host that never answers times out after
// 5001 manual milliseconds (timers due on the way fire as they would), and a
// host that answers inside ProcessMessages ends the wait on the first pass.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "kvd/element.h"
#include "ui/messages.h"

namespace kvd {

inline constexpr std::uint32_t kAppLinkAnswerMessage = 33173;
inline constexpr int kAppLinkTimeoutMs = 5000;
inline constexpr int kAppLinkStopwatchDepth = 10;

struct AppLinkEndpoint {
    ui::WindowHandle window = 0;  // the host's window
    std::uint32_t message = 0;    // the message number the host listens on
    bool Active() const { return window != 0 && message != 0; }
};

struct AppLinkState {
    AppLinkEndpoint endpoint;
    ui::WindowHandle formHandle = 0;  // the templates form (sent in code 15)
    bool answerReceived = false;
    std::string answer;  // 8-bit text of the current answer
    std::uint32_t answerCode = 0;
    bool busy = false;
};
AppLinkState& AppLink();
// Clears the answer text and flags (FormClose); the endpoint stays.
void ClearAppLinkAnswer();

// Manual-clock step of the wait loop, in milliseconds.
extern int AppLinkManualStepMs;

// Posts every byte of `text` as (code, byte), then (13, 0). Nothing when the
// endpoint has no window.
void PostCommand(int code, std::string_view text);
// PostCommand, then waits for the answer; true when it timed out (logged
// when `name` is not empty).
bool SendCommandWaiting(int code, int timeoutMs, std::string_view text, std::string_view name);
bool SendAppLinkWaitingAnswers(int code, std::string_view text);

// Sends the list element by element (whole list, or the first contour only).
// True when a send timed out.
bool SendDrawingWaitingAnswers(const TTempElement* list, int elementCode, int endCode, bool wholeList,
                               bool withIField, std::int32_t sValue, double offsetX, double offsetY);
// The text of one element in SendDrawingWaitingAnswers.
std::string ElementCommandText(const TTempElement& e, bool withIField, std::int32_t sValue, double offsetX,
                               double offsetY);

// The handler of message 33173 (wParam = code, lParam = character).
void AppLinkAnswerHandler(std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace kvd
