// The host's end of the templates' app link: commands arrive one character
// per window message at kvdhost's window; every command is answered as a
// host answers it, and a drawing sent for the sibling cutting program is
// kept as a JSON file in the outbox folder.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kvd/element.h"

namespace kvd::uiproc {
class WindowReceiver;
}

namespace kvdhost {

class AppLinkHost {
public:
    // `onDrawing` is told the file of every drawing kept in the outbox.
    AppLinkHost(std::string outboxFolder, std::function<void(const std::string&)> onDrawing = {});
    ~AppLinkHost();

    std::uint32_t WindowHandle() const;
    static constexpr std::uint32_t kMessage = 0x8100;  // the message number handed to Template7

    // Commands received so far, as "code:text" (for people and tests).
    const std::vector<std::string>& Received() const { return received_; }

private:
    void OnMessage(std::uint32_t msg, std::uintptr_t code, std::intptr_t ch);
    void OnCommand(int code, const std::string& text);
    void Answer();

    std::string outbox_;
    std::function<void(const std::string&)> onDrawing_;
    std::unique_ptr<kvd::uiproc::WindowReceiver> receiver_;
    std::string buffer_;
    int code_ = 0;
    std::uint32_t formHandle_ = 0;
    std::uint32_t answerMessage_ = 33173;
    std::vector<kvd::TTempElement> drawing_;
    std::vector<std::string> received_;
};

// The element that a "T…X…Y…" text of the link describes.
kvd::TTempElement ElementFromLinkText(const std::string& text);

}  // namespace kvdhost
