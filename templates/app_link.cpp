#include "templates/app_link.h"

#include <vector>

#include "base/cp1252.h"
#include "base/log.h"
#include "base/number_format.h"
#include "ui/application.h"
#include "ui/clock.h"
#include "ui/dialogs.h"

namespace kvd {

int AppLinkManualStepMs = 1;

AppLinkState& AppLink() {
    static AppLinkState s;
    return s;
}

void ClearAppLinkAnswer() {
    AppLinkState& s = AppLink();
    s.answer.clear();
    s.answerCode = 0;
    s.answerReceived = false;
    s.busy = false;
}

namespace {

// Nested stopwatch levels of the waited sends (a push beyond the depth
// reuses the top level).
struct Stopwatch {
    std::int64_t start = 0;
    std::int64_t last = 0;
    std::int64_t elapsed = 0;
};
struct StopwatchStack {
    Stopwatch levels[kAppLinkStopwatchDepth];
    int depth = 0;
    Stopwatch& Push() {
        if (depth < kAppLinkStopwatchDepth) ++depth;
        Stopwatch& w = levels[depth - 1];
        w.start = w.last = ui::CurrentClock().NowMs();
        w.elapsed = 0;
        return w;
    }
    void Pop() {
        if (depth > 0) --depth;
    }
};
StopwatchStack& Stopwatches() {
    static StopwatchStack s;
    return s;
}

std::int64_t Read(Stopwatch& w) {
    w.last = ui::CurrentClock().NowMs();
    w.elapsed = w.last - w.start;
    return w.elapsed;
}

std::string Utf8(std::string_view bytes) { return Cp1252ToUtf8(bytes); }

std::string Fixed(long double v) { return FormatRealFixed(6, v); }

}  // namespace

void PostCommand(int code, std::string_view text) {
    const AppLinkEndpoint& ep = AppLink().endpoint;
    if (ep.window == 0) return;
    for (char ch : text)
        ui::PostMessage(ep.window, ep.message, static_cast<std::uintptr_t>(code),
                        static_cast<std::intptr_t>(static_cast<unsigned char>(ch)));
    ui::PostMessage(ep.window, ep.message, 13, 0);
}

bool SendCommandWaiting(int code, int timeoutMs, std::string_view text, std::string_view name) {
    AppLinkState& s = AppLink();
    s.answerReceived = false;
    Stopwatch& w = Stopwatches().Push();
    PostCommand(code, text);
    std::int64_t elapsed = 0;
    for (;;) {
        ui::ProcessMessages();
        elapsed = Read(w);
        if (elapsed > timeoutMs || s.answerReceived) break;
        // A manual clock does not move by itself: let the wait take its time.
        ui::Clock& clock = ui::CurrentClock();
        if (clock.IsManual()) static_cast<ui::ManualClock&>(clock).Advance(AppLinkManualStepMs);
    }
    const bool timedOut = elapsed > timeoutMs;
    if (timedOut && !name.empty())
        WriteLog("TimeOut on " + std::string(name) + "(" + std::to_string(code) + ")[" + Utf8(text) +
                 "] delay=" + std::to_string(elapsed) + ">" + std::to_string(timeoutMs));
    Stopwatches().Pop();
    if (timedOut) {
        WriteLog("[TimeOutSending] executing: [" + std::string(name) + "] sending: " + Utf8(text));
        WriteLog(std::string("TimeOutSending: ReceivedAnswer=") + (s.answerReceived ? "TRUE" : "FALSE") +
                 " TimeOut=TRUE " + Utf8(text));
    }
    return timedOut;
}

bool SendAppLinkWaitingAnswers(int code, std::string_view text) {
    return SendCommandWaiting(code, kAppLinkTimeoutMs, text, "SendAppLinkWaitingAnswers");
}

std::string ElementCommandText(const TTempElement& e, bool withIField, std::int32_t sValue, double offsetX,
                               double offsetY) {
    std::string t;
    t += "T" + std::to_string(KindCode(e.Kind));
    t += "X" + Fixed(e.X.ToLongDouble() + offsetX);
    t += "Y" + Fixed(e.Y.ToLongDouble() + offsetY);
    t += "Z" + Fixed(e.Z);
    t += "B" + Fixed(e.Bulge);
    t += "S" + std::to_string(sValue);
    t += "P" + std::to_string(e.Flags);
    t += "D" + std::to_string(e.Flags2);
    t += "E" + std::to_string(e.Extra50 + 256u * e.Extra51);
    t += "U" + Fixed(e.Correction);
    t += "V" + Fixed(e.Inclination);
    t += "W" + Fixed(e.Aux);
    t += "J" + std::to_string(e.Param);
    t += "r" + std::to_string(e.ColorR);
    t += "g" + std::to_string(e.ColorG);
    t += "b" + std::to_string(e.ColorB);
    t += "w0d0";
    if (withIField) t += "I" + std::to_string(e.Param);
    return t;
}

bool SendDrawingWaitingAnswers(const TTempElement* list, int elementCode, int endCode, bool wholeList,
                               bool withIField, std::int32_t sValue, double offsetX, double offsetY) {
    // The elements are copied first: the waits run the dialog's handlers, and a
    // regeneration among them would free the list under the loop.
    std::vector<TTempElement> toSend;
    for (const TTempElement* e = list; e; e = e->Next) {
        if (!wholeList && e != list && KindCode(e->Kind) == ecStart) break;
        toSend.push_back(*e);
    }
    bool timedOut = false;
    std::string stage = "1";
    if (SendAppLinkWaitingAnswers(63, " ")) {
        timedOut = true;
    } else {
        PostCommand(elementCode, "N" + std::to_string(toSend.size()));
        stage = "2";
        if (SendAppLinkWaitingAnswers(63, " ")) {
            timedOut = true;
        } else {
            stage = "3";
            for (const TTempElement& e : toSend) {
                timedOut = SendCommandWaiting(elementCode, kAppLinkTimeoutMs,
                                              ElementCommandText(e, withIField, sValue, offsetX, offsetY),
                                              "SendDrawingWaitingAnswers");
                if (timedOut) break;
            }
        }
    }
    if (timedOut) WriteLog("TimeOut on SendDrawingWaitingAnswers (" + stage + ")");
    if (endCode > 0) PostCommand(endCode, " ");
    return timedOut;
}

void AppLinkAnswerHandler(std::uintptr_t wParam, std::intptr_t lParam) {
    AppLinkState& s = AppLink();
    s.busy = true;
    if (wParam != 13) {
        s.answerCode = static_cast<std::uint32_t>(wParam);
        const auto ch = static_cast<char16_t>(lParam & 0xFFFF);
        if (ch < 0x100) {
            s.answer += static_cast<char>(ch);
        } else {
            std::string u;
            AppendUtf8(u, ch);
            s.answer += Utf8ToCp1252(u);
        }
        return;
    }
    switch (s.answerCode) {
        case 9:
        case 27: s.answerReceived = true; break;
        case 18: ui::AskUser(0, Cp1252ToUtf8(s.answer)); break;
        case 63: PostCommand(9, " "); break;
        default: break;
    }
    s.busy = false;
    s.answer.clear();
}

}  // namespace kvd
