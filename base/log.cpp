#include "base/log.h"

#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <deque>
#include <fstream>

#include "base/streams.h"
#include "kvd/error.h"
#include "platform/host_folder.h"

namespace kvd {

namespace {

// Two-letter codes of the host family's modules, indexed by module number.
constexpr std::array<const char*, 14> kModuleCodes = {
    "KV", "PP", "QZ", "LT", "MC", "CN", "ED", "NS", "SB", "FT", "RL", "DX", "AR", "TL",
};

constexpr std::size_t kMaxLastMessage = 255;   // characters
constexpr std::size_t kMaxCaption = 180;       // characters
constexpr std::size_t kKeptOldLines = 100;
constexpr int kMaxIndent = 255;
constexpr int kStopwatchLevels = 10;
constexpr char kRunHeaderMark[] = "LOG-FILE";

std::vector<std::string>& Pending() {
    static std::vector<std::string> p;
    return p;
}

// Logging never changes the caller's errno: a LogIoError after a WriteLog
// still reports the caller's failure, not the log file's.
class ErrnoKeeper {
public:
    ErrnoKeeper() : saved_(errno) {}
    ~ErrnoKeeper() { errno = saved_; }
    ErrnoKeeper(const ErrnoKeeper&) = delete;
    ErrnoKeeper& operator=(const ErrnoKeeper&) = delete;

private:
    int saved_;
};

// ---- text ----------------------------------------------------------------

// Windows-1252 bytes 0x80..0x9F as code points; the five unassigned bytes map
// to the C1 controls, as Windows itself maps them.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the valid UTF-8 sequence at s[i], or 0 when there is none.
std::size_t Utf8SequenceLength(const std::string& s, std::size_t i) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    if (c < 0x80) return 1;
    std::size_t len;
    char32_t cp, min;
    if ((c & 0xE0) == 0xC0) {
        len = 2, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4, cp = c & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

// The log file is UTF-8. Callers convert their single-byte strings, but a
// Windows-1252 byte that slips through (a layer name read from a file) is
// converted here instead of making the whole file invalid.
std::string ToValidUtf8(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        std::size_t len = Utf8SequenceLength(s, i);
        if (len > 0) {
            out.append(s, i, len);
            i += len;
            continue;
        }
        auto c = static_cast<unsigned char>(s[i++]);
        AppendUtf8(out, c < 0xA0 ? kCp1252High[c - 0x80] : static_cast<char32_t>(c));
    }
    return out;
}

// The first `count` characters (not bytes) of a UTF-8 text.
std::string FirstCharacters(const std::string& s, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t n = 0; i < s.size() && n < count; ++n) {
        std::size_t len = Utf8SequenceLength(s, i);
        i += len ? len : 1;
    }
    return s.substr(0, i);
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// ---- clocks --------------------------------------------------------------

// "hh:nn:ss.z": the wall clock, milliseconds without leading zeros.
std::string TimeOfDayText() {
    timeval tv{};
    ::gettimeofday(&tv, nullptr);
    std::tm tm{};
    ::localtime_r(&tv.tv_sec, &tm);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%d", tm.tm_hour, tm.tm_min, tm.tm_sec,
                  static_cast<int>(tv.tv_usec / 1000));
    return buf;
}

// Date and time of a run header in the user's locale (short date, long time).
// The C locale's date is the two-digit-year "%m/%d/%y"; there the unambiguous
// "yyyy-mm-dd" is written instead.
std::string DateTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    char buf[128] = {};
    locale_t loc = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) loc = ::newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) {
        std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
        return buf;
    }
    const char* dateFormat = ::nl_langinfo_l(D_FMT, loc);
    std::string format = dateFormat && *dateFormat && std::strcmp(dateFormat, "%m/%d/%y") != 0 ? dateFormat
                                                                                               : "%Y-%m-%d";
    const char* timeFormat = ::nl_langinfo_l(T_FMT, loc);
    format += " ";
    format += timeFormat && *timeFormat ? timeFormat : "%H:%M:%S";
    if (::strftime_l(buf, sizeof buf, format.c_str(), &tm, loc) == 0) buf[0] = '\0';
    ::freelocale(loc);
    return buf;
}

long double (*g_stopwatchClock)() = nullptr;

long double StopwatchNow() {
    if (g_stopwatchClock) return g_stopwatchClock();
    using Ms = std::chrono::duration<long double, std::milli>;
    return std::chrono::duration_cast<Ms>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct StopwatchLevel {
    long double start = 0;
    long double current = 0;
    long double elapsed = 0;
    std::string caption;
};

struct Stopwatch {
    std::array<StopwatchLevel, kStopwatchLevels> levels;
    int depth = 0;
};

Stopwatch& Watch() {
    static Stopwatch w;
    return w;
}

// ---- the file ------------------------------------------------------------

bool WriteFd(int fd, const std::string& data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Opened and closed for every line, so that a reader can open the file at any time.
void AppendToFile(const std::string& path, const std::string& data) {
    if (path.empty()) return;
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0) return;
    WriteFd(fd, data);
    ::close(fd);
}

// The last `count` lines of a file (without their line ends); none when it cannot be read.
std::deque<std::string> LastLines(const std::string& path, std::size_t count) {
    std::deque<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (in && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();  // a log written on Windows
        lines.push_back(std::move(line));
        if (lines.size() > count) lines.pop_front();
    }
    return lines;
}

// The trimmed log replaces the old one through a temporary file, so a failure
// on the way leaves the old log whole. Where no temporary file can be made
// (a folder without write access but a writable log), it is rewritten in place.
void RewriteFile(const std::string& path, const std::string& content) {
    try {
        AtomicFileWriter writer(path);
        WriteAll(writer.stream(), content.data(), static_cast<std::int64_t>(content.size()));
        writer.Commit();
        return;
    } catch (const std::exception&) {
    }
    int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0) return;
    WriteFd(fd, content);
    ::close(fd);
}

// Start of a run: keep the end of the old log from its last whole run on,
// then a blank line and this run's header.
void TrimAtStartOfRun() {
    LogState& s = Log();
    s.trimmed = true;  // once per run, whether or not the file could be written
    if (s.fileName.empty()) return;
    std::deque<std::string> old = LastLines(s.fileName, kKeptOldLines);
    while (!old.empty() && !StartsWith(old.front(), kRunHeaderMark)) old.pop_front();
    std::string content;
    for (const std::string& line : old) content += ToValidUtf8(line) + "\n";
    content += " \n";
    content += ToValidUtf8(s.header + " " + DateTimeText()) + "\n";
    RewriteFile(s.fileName, content);
    s.lastMessage.clear();
}

void TrimIfDue() {
    if (Log().fileOpen && !Log().trimmed) TrimAtStartOfRun();
}

// Lines that passed every rule: to the file when it is open, else they wait.
void Deliver(const std::vector<std::string>& lines) {
    LogState& s = Log();
    if (s.fileOpen) {
        std::string data;
        for (const std::string& line : lines) data += line + "\n";
        AppendToFile(s.fileName, data);
    } else {
        Pending().insert(Pending().end(), lines.begin(), lines.end());
    }
}

void WriteLine(const std::string& text, bool timestamp) {
    ErrnoKeeper keepErrno;
    TrimIfDue();
    LogState& s = Log();
    if (!s.enabled && !s.enabledExtra) return;
    if (text == s.lastMessage) return;  // an immediate repetition is written once
    if (s.maxLines > 0 && s.linesWritten >= s.maxLines) return;
    ++s.linesWritten;

    std::string body = text;
    bool blankLineBefore = false;
    if (s.blankLineMarker && !body.empty() && body.front() == ' ') {
        body.erase(0, 1);
        blankLineBefore = true;
    }
    // The text as given is remembered, with its leading blank, so that a
    // repeated blank-marked message is dropped like any other repetition.
    s.lastMessage = FirstCharacters(text, kMaxLastMessage);

    std::string line(static_cast<std::size_t>(std::clamp(s.indent, 0, kMaxIndent)), ' ');
    line += body;
    if (timestamp) line = "[" + TimeOfDayText() + "] " + line;

    std::vector<std::string> lines;
    if (blankLineBefore) lines.emplace_back(" ");
    lines.push_back(ToValidUtf8(line));
    Deliver(lines);
}

std::string ErrnoMessage(int code) {
    char buf[256];
    // GNU strerror_r returns the message, which need not be in buf.
    const char* msg = ::strerror_r(code, buf, sizeof buf);
    return msg ? msg : "";
}

}  // namespace

LogState& Log() {
    static LogState s;
    return s;
}

const std::vector<std::string>& PendingLogLines() { return Pending(); }

std::string LogModuleCode(int moduleNumber) {
    if (moduleNumber < 0 || moduleNumber >= static_cast<int>(kModuleCodes.size())) return {};
    return kModuleCodes[static_cast<std::size_t>(moduleNumber)];
}

std::string LogFilePath(int moduleNumber) {
    return platform::JoinHostPath(platform::HostFolder(), "LOG" + LogModuleCode(moduleNumber) + ".TXT");
}

void InitLog(int moduleNumber) {
    Log() = LogState{};  // lines waiting for the file are kept; OpenLog writes them
    OpenLog(LogFilePath(moduleNumber), "LOG-FILE " + platform::HostExecutableBaseName());
}

void OpenLog(const std::string& fileName, const std::string& header) {
    ErrnoKeeper keepErrno;
    LogState& s = Log();
    s.fileName = fileName;
    s.header = header;
    s.fileOpen = true;
    if (Pending().empty()) return;
    // The waiting lines already passed the rules when they were logged; they
    // go to the file after the run header, as they are.
    std::vector<std::string> lines;
    lines.swap(Pending());
    TrimIfDue();
    Deliver(lines);
}

void WriteLog(const std::string& text) { WriteLine(text, Log().timestamps); }

void WriteLogForced(const std::string& text) {
    Log().lastMessage = text + "-";
    WriteLog(text);
}

void WriteDebugLog(const std::string& text) {
    if (Log().debug) WriteLogForced(text);
}

void WriteLogTimed(const std::string& text) { WriteLine(text, true); }

void WriteLogTimedForced(const std::string& text) {
    Log().lastMessage = text + "-";
    WriteLogTimed(text);
}

void LogIoError() {
    int code = errno;
    if (code == 0) return;
    errno = 0;
    WriteLog(std::to_string(code) + ": " + ErrnoMessage(code));
}

void LogIoErrorAt(int place) {
    int code = errno;
    if (code == 0) return;
    errno = 0;
    WriteLog("IOR=" + std::to_string(code) + " [da:" + std::to_string(place) + "]: " + ErrnoMessage(code));
}

void LogStart(const std::string& caption) {
    Stopwatch& w = Watch();
    if (w.depth < kStopwatchLevels) ++w.depth;  // beyond the last level, the last one is reused
    StopwatchLevel& level = w.levels[static_cast<std::size_t>(w.depth - 1)];
    level.caption = FirstCharacters(caption, kMaxCaption);
    level.start = level.current = StopwatchNow();
    level.elapsed = 0;
    WriteLog(level.caption + " [START]");
}

void LogStop() {
    Stopwatch& w = Watch();
    if (w.depth == 0) return;
    StopwatchLevel& level = w.levels[static_cast<std::size_t>(w.depth - 1)];
    level.current = StopwatchNow();
    level.elapsed = level.current - level.start;
    --w.depth;
    WriteLog(level.caption + " [END] " + FormatDuration(level.elapsed));
}

std::string FormatDuration(long double milliseconds) {
    // NaN and negative durations (a clock set back) show as nothing elapsed;
    // the cap keeps the conversion to an integer defined (about 31 700 years).
    long double t = milliseconds > 0 ? milliseconds : 0;
    t = std::min(t, 1e15L);
    auto m = static_cast<std::uint64_t>(t);
    auto u = static_cast<std::uint64_t>(std::llround((t - static_cast<long double>(m)) * 1000));
    if (u >= 1000) {  // 0.9996 ms rounds up to a whole millisecond, not to "1000µs"
        ++m;
        u -= 1000;
    }
    const std::uint64_t days = m / 86400000;
    const std::uint64_t hours = m / 3600000 % 24;
    const std::uint64_t minutes = m / 60000 % 60;
    const std::uint64_t seconds = m / 1000 % 60;
    const std::uint64_t hundredths = m % 1000 / 10;
    const std::uint64_t millis = m % 10;
    auto n = [](std::uint64_t v) { return std::to_string(v); };
    if (days) return n(days) + "d " + n(hours) + "h";
    if (hours) return n(hours) + "h " + n(minutes) + "'";
    if (minutes) return n(minutes) + "' " + n(seconds) + "\"";
    if (seconds) return n(seconds) + "\" " + n(hundredths) + "\xC2\xB0\xC2\xB0";
    if (hundredths) return n(hundredths) + "\xC2\xB0\xC2\xB0 " + n(millis) + "ms";
    if (millis) return n(millis) + "ms " + n(u) + "\xC2\xB5s";
    if (u) return n(u) + "\xC2\xB5s";
    return "0\"";
}

void TailFromStream(KvdStream* stream, std::int64_t count, const std::string& message) {
    if (!message.empty()) WriteLog("TailFromStream: " + message);
    if (stream == nullptr || stream->vtbl == nullptr) throw Error("TailFromStream: no stream");
    if (count < 0) throw Error("TailFromStream: negative record length " + std::to_string(count));
    StreamSkip(stream, count);
}

void ResetLogForTesting() {
    Log() = LogState{};
    Pending().clear();
    Watch() = Stopwatch{};
    g_stopwatchClock = nullptr;
}

void SetStopwatchClockForTesting(long double (*nowMilliseconds)()) { g_stopwatchClock = nowMilliseconds; }

}  // namespace kvd
