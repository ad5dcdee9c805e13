#include "host/app_link_host.h"

#include <QDateTime>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "host/element_json.h"
#include "host/host_files.h"
#include "kvd/ui_process.h"

namespace kvdhost {

namespace {
constexpr int kElementCode = 48;  // one element of a drawing (and "N<count>" before them)
constexpr int kDrawingEnd = 92;   // the drawing is complete

// "H123" inside a command text: the number after the letter, or -1.
long NumberAfter(const std::string& text, char key) {
    auto p = text.find(key);
    if (p == std::string::npos) return -1;
    return std::strtol(text.c_str() + p + 1, nullptr, 10);
}
}  // namespace

kvd::TTempElement ElementFromLinkText(const std::string& text) {
    std::map<char, double> v;
    for (std::size_t i = 0; i < text.size();) {
        char key = text[i++];
        std::size_t j = i;
        while (j < text.size() && (std::isdigit(static_cast<unsigned char>(text[j])) || text[j] == '-' ||
                                   text[j] == '+' || text[j] == '.'))
            ++j;
        v[key] = std::strtod(text.substr(i, j - i).c_str(), nullptr);
        i = j;
    }
    kvd::TTempElement e{};
    auto u = [&](char k) { return v.count(k) ? v[k] : 0.0; };
    e.Kind = static_cast<std::uint16_t>(u('T'));
    e.X = u('X');
    e.Y = u('Y');
    e.Z = u('Z');
    e.Bulge = u('B');
    e.Flags = static_cast<std::uint32_t>(u('P'));
    e.Flags2 = static_cast<std::uint16_t>(u('D'));
    auto extra = static_cast<std::uint32_t>(u('E'));
    e.Extra50 = static_cast<std::uint8_t>(extra & 0xFF);
    e.Extra51 = static_cast<std::uint8_t>((extra >> 8) & 0xFF);
    e.Correction = static_cast<float>(u('U'));
    e.Inclination = static_cast<float>(u('V'));
    e.Aux = static_cast<float>(u('W'));
    e.Param = static_cast<std::uint16_t>(u('J'));
    e.ColorR = static_cast<std::uint8_t>(u('r'));
    e.ColorG = static_cast<std::uint8_t>(u('g'));
    e.ColorB = static_cast<std::uint8_t>(u('b'));
    return e;
}

AppLinkHost::AppLinkHost(std::string outboxFolder, std::function<void(const std::string&)> onDrawing)
    : outbox_(std::move(outboxFolder)), onDrawing_(std::move(onDrawing)) {
    receiver_ = std::make_unique<kvd::uiproc::WindowReceiver>(
        [this](std::uint32_t msg, std::uintptr_t w, std::intptr_t l) { OnMessage(msg, w, l); });
}

AppLinkHost::~AppLinkHost() = default;

std::uint32_t AppLinkHost::WindowHandle() const { return receiver_->Handle(); }

void AppLinkHost::OnMessage(std::uint32_t msg, std::uintptr_t code, std::intptr_t ch) {
    if (msg != kMessage) return;
    if (code != 13) {
        code_ = static_cast<int>(code);
        buffer_ += static_cast<char>(ch & 0xFF);
        return;
    }
    std::string text;
    text.swap(buffer_);
    OnCommand(code_, text);
}

void AppLinkHost::OnCommand(int code, const std::string& text) {
    received_.push_back(std::to_string(code) + ":" + text);
    if (code == 15 || code == 108) {
        if (long h = NumberAfter(text, 'H'); h > 0) formHandle_ = static_cast<std::uint32_t>(h);
        if (long s = NumberAfter(text, 'S'); s > 0) answerMessage_ = static_cast<std::uint32_t>(s);
    }
    if (code == kElementCode) {
        if (!text.empty() && text[0] == 'N') {
            drawing_.clear();
            return;  // the count is posted without waiting for an answer
        }
        if (!text.empty() && text[0] == 'T') drawing_.push_back(ElementFromLinkText(text));
    } else if (code == kDrawingEnd) {
        std::filesystem::create_directories(outbox_);
        std::string file = outbox_ + "/drawing-" +
                           QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss-zzz").toStdString() + ".json";
        WriteTextFileAtomically(file, ElementListToJson(drawing_));
        if (onDrawing_) onDrawing_(file);
        return;
    } else if (code == 9) {
        return;  // the templates' reply to a question of ours
    }
    Answer();
}

// A host confirms a command with code 9 ("OK") on the form's answer message.
void AppLinkHost::Answer() {
    if (!formHandle_) return;
    for (char c : std::string("OK")) kvd::uiproc::PostWindowMessage(formHandle_, answerMessage_, 9, c);
    kvd::uiproc::PostWindowMessage(formHandle_, answerMessage_, 13, 0);
}

}  // namespace kvdhost
