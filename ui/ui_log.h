// Where the layer's log lines go: the library's log (base/log.h WriteLog)
// unless a sink is installed (tests capture the lines that way).
#pragma once
#include <functional>
#include <string>

namespace kvd::ui {

void LogLine(const std::string& text);
// An empty function restores the library log.
void SetLogSink(std::function<void(const std::string&)> sink);

}  // namespace kvd::ui
