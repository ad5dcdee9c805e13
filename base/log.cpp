// Placeholder until the log file lands: keeps lines in memory only.
#include "base/log.h"

#include <vector>

#include "base/streams.h"

namespace kvd {

LogState& Log() {
    static LogState s;
    return s;
}

static std::vector<std::string>& Pending() {
    static std::vector<std::string> p;
    return p;
}

void InitLog(int) {}
void OpenLog(const std::string& fileName, const std::string& header) {
    Log().fileName = fileName;
    Log().header = header;
    Log().fileOpen = true;
}
void WriteLog(const std::string& text) {
    if (text == Log().lastMessage) return;
    Log().lastMessage = text;
    Pending().push_back(text);
}
void WriteLogForced(const std::string& text) {
    Log().lastMessage = text + "-";
    WriteLog(text);
}
void WriteDebugLog(const std::string& text) {
    if (Log().debug) WriteLogForced(text);
}
void WriteLogTimed(const std::string& text) { WriteLog(text); }
void WriteLogTimedForced(const std::string& text) { WriteLogForced(text); }
void LogIoError() {}
void LogIoErrorAt(int) {}
void LogStart(const std::string& caption) { WriteLog(caption + " [START]"); }
void LogStop() {}
std::string FormatDuration(long double) { return "0\""; }
void TailFromStream(KvdStream* stream, std::int64_t count, const std::string& message) {
    if (!message.empty()) WriteLog("TailFromStream: " + message);
    StreamSkip(stream, count);
}

}  // namespace kvd
