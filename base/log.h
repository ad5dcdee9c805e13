// The library's log file: LOG<code>.TXT next to the host executable, trimmed
// at the start of each run and appended one line at a time.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

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

// The two-letter code of a module number ("QZ" for 2, "DX" for 11); empty
// for a number outside the table (negative, or 14 and more).
std::string LogModuleCode(int moduleNumber);
// HostFolder() + "/LOG" + code + ".TXT".
std::string LogFilePath(int moduleNumber);

// Resets the log state (lines waiting for the file stay), then opens the
// module's log file with the header "LOG-FILE " + host executable name.
void InitLog(int moduleNumber);
void OpenLog(const std::string& fileName, const std::string& header);
void WriteLog(const std::string& text);
void WriteLogForced(const std::string& text);
void WriteDebugLog(const std::string& text);
void WriteLogTimed(const std::string& text);
void WriteLogTimedForced(const std::string& text);
// When the last file operation failed (errno != 0): the error code, ": " and
// the system's message. Like a Pascal IOResult, reading the error clears it
// (errno := 0), so the same failure is logged once. Callers set errno = 0
// before the operation they check.
void LogIoError();
// The same as "IOR=" + code + " [da:" + place + "]: " + message.
void LogIoErrorAt(int place);

// Stopwatch of at most 10 nested levels (a deeper push reuses level 10).
void LogStart(const std::string& caption);
// Stops the top level and logs caption + " [END] " + its duration; nothing
// when no level is running.
void LogStop();
// "1' 30\"", "250µs", … : the two largest units of a duration.
std::string FormatDuration(long double milliseconds);

// Logs "TailFromStream: " + message (when not empty), then skips `count` bytes.
// Throws kvd::Error when the stream is missing, the count is negative (a
// reader would go round in circles) or the stream cannot move.
void TailFromStream(KvdStream* stream, std::int64_t count, const std::string& message);

// Lines logged before the file was opened, in order, as they will be written.
const std::vector<std::string>& PendingLogLines();

// Test support: every log and stopwatch setting back to its default, the
// pending lines dropped, the real clocks back in place.
void ResetLogForTesting();
// Test support: the stopwatch reads this clock (milliseconds) instead of the
// monotonic clock; nullptr restores it.
void SetStopwatchClockForTesting(long double (*nowMilliseconds)());

}  // namespace kvd
