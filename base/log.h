// The library's log file: LOG<code>.TXT next to the host executable, trimmed
// at the start of each run and appended one line at a time.
#pragma once
#include <cstdint>
#include <string>

#include "kvd/stream.h"

namespace kvd {

// Module numbers of the log file names (LOGQZ.TXT, LOGDX.TXT).
inline constexpr int kModuleTemplates = 2;
inline constexpr int kModuleExchange = 11;

struct LogState {
    std::string fileName;
    std::string header;
    bool fileOpen = false;
    bool trimmed = false;
    bool enabled = true;        // first switch
    bool enabledExtra = false;  // second switch
    bool blankLineMarker = true;
    bool timestamps = false;
    bool debug = false;
    int maxLines = 0;  // 0 = no limit
    int linesWritten = 0;
    int indent = 0;
    std::string lastMessage;
};
LogState& Log();

void InitLog(int moduleNumber);
void OpenLog(const std::string& fileName, const std::string& header);
void WriteLog(const std::string& text);
void WriteLogForced(const std::string& text);
void WriteDebugLog(const std::string& text);
void WriteLogTimed(const std::string& text);
void WriteLogTimedForced(const std::string& text);
// When the last file operation failed (errno != 0): the error code, ": " and the system's message.
void LogIoError();
void LogIoErrorAt(int place);

void LogStart(const std::string& caption);
void LogStop();
std::string FormatDuration(long double milliseconds);

// Logs "TailFromStream: " + message (when not empty), then skips `count` bytes.
void TailFromStream(KvdStream* stream, std::int64_t count, const std::string& message);

}  // namespace kvd
