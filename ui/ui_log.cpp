#include "ui/ui_log.h"

#include "base/log.h"

namespace kvd::ui {

namespace {
std::function<void(const std::string&)>& Sink() {
    static std::function<void(const std::string&)> sink;
    return sink;
}
}  // namespace

void LogLine(const std::string& text) {
    if (Sink())
        Sink()(text);
    else
        WriteLog(text);
}

void SetLogSink(std::function<void(const std::string&)> sink) { Sink() = std::move(sink); }

}  // namespace kvd::ui
