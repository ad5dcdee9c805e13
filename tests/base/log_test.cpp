#include "base/log.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <regex>
#include <set>

#include "base/streams.h"
#include "kvd/error.h"

namespace kvd {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

// Every test gets its own host folder (KVD_HOST_DIR) and a fresh log state.
class LogFile : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/kvd_log_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        if (const char* old = std::getenv("KVD_HOST_DIR")) oldHostDir_ = old;
        ::setenv("KVD_HOST_DIR", dir_.c_str(), 1);
        ResetLogForTesting();
    }
    void TearDown() override {
        ResetLogForTesting();
        if (oldHostDir_)
            ::setenv("KVD_HOST_DIR", oldHostDir_->c_str(), 1);
        else
            ::unsetenv("KVD_HOST_DIR");
        std::filesystem::remove_all(dir_);
    }

    std::string logPath() const { return dir_ + "/LOGQZ.TXT"; }

    static Lines ReadLines(const std::string& path) {
        Lines lines;
        std::ifstream in(path, std::ios::binary);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    static void WriteLines(const std::string& path, const Lines& lines) {
        std::ofstream out(path, std::ios::binary);
        for (const auto& l : lines) out << l << "\n";
    }
    // The lines after the run header; checks that the header is where it belongs.
    Lines LinesOfThisRun() const {
        Lines all = ReadLines(logPath());
        auto header = std::find_if(all.begin(), all.end(),
                                   [](const std::string& l) { return l.rfind("LOG-FILE test_base ", 0) == 0; });
        EXPECT_NE(header, all.end()) << "no run header";
        if (header == all.end()) return {};
        EXPECT_NE(header, all.begin());
        if (header != all.begin()) {
            EXPECT_EQ(*(header - 1), " ");
        }
        return Lines(header + 1, all.end());
    }

    std::string dir_;
    std::optional<std::string> oldHostDir_;
};

TEST_F(LogFile, ModuleNumbersGiveTheFileNames) {
    EXPECT_EQ(LogModuleCode(kModuleTemplates), "QZ");
    EXPECT_EQ(LogModuleCode(kModuleExchange), "DX");
    std::set<std::string> codes;
    for (int m = 0; m < 14; ++m) {
        EXPECT_EQ(LogModuleCode(m).size(), 2u) << m;
        codes.insert(LogModuleCode(m));
    }
    EXPECT_EQ(codes.size(), 14u);
    EXPECT_EQ(LogModuleCode(14), "");
    EXPECT_EQ(LogModuleCode(-1), "");
    EXPECT_EQ(LogFilePath(kModuleTemplates), dir_ + "/LOGQZ.TXT");
    EXPECT_EQ(LogFilePath(kModuleExchange), dir_ + "/LOGDX.TXT");
    EXPECT_EQ(LogFilePath(99), dir_ + "/LOG.TXT");
}

TEST_F(LogFile, FirstLineOfARunWritesTheRunHeader) {
    InitLog(kModuleTemplates);
    EXPECT_FALSE(std::filesystem::exists(logPath())) << "nothing is written before the first line";
    WriteLog("hello");
    Lines all = ReadLines(logPath());
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], " ");
    EXPECT_TRUE(std::regex_match(all[1], std::regex("LOG-FILE test_base .+"))) << all[1];
    EXPECT_EQ(all[2], "hello");
}

TEST_F(LogFile, RepetitionRule) {
    struct Case {
        const char* name;
        std::function<void()> run;
        Lines expected;
    };
    const Case cases[] = {
        {"same text twice", [] { WriteLog("A"); WriteLog("A"); }, {"A"}},
        {"A B A", [] { WriteLog("A"); WriteLog("B"); WriteLog("A"); }, {"A", "B", "A"}},
        {"forced repeat", [] { WriteLog("A"); WriteLogForced("A"); WriteLogForced("A"); }, {"A", "A", "A"}},
        {"forced then plain", [] { WriteLogForced("A"); WriteLog("A"); }, {"A"}},
        {"blank-marked twice", [] { WriteLog(" A"); WriteLog(" A"); }, {" ", "A"}},
    };
    for (const Case& c : cases) {
        ResetLogForTesting();
        std::filesystem::remove(logPath());
        InitLog(kModuleTemplates);
        WriteLog("start");
        c.run();
        Lines run = LinesOfThisRun();
        ASSERT_FALSE(run.empty()) << c.name;
        EXPECT_EQ(Lines(run.begin() + 1, run.end()), c.expected) << c.name;
    }
}

TEST_F(LogFile, BlankLineMarker) {
    InitLog(kModuleTemplates);
    WriteLog(" Section");
    Log().blankLineMarker = false;
    WriteLog(" kept as it is");
    EXPECT_THAT(LinesOfThisRun(), ElementsAre(" ", "Section", " kept as it is"));
}

TEST_F(LogFile, LinesBeforeOpenLogFollowTheRunHeader) {
    WriteLines(logPath(), {"LOG-FILE test_base earlier run", "old line"});
    WriteLog("early 1");
    WriteLog(" early 2");
    EXPECT_THAT(PendingLogLines(), ElementsAre("early 1", " ", "early 2"));
    InitLog(kModuleTemplates);
    EXPECT_THAT(PendingLogLines(), IsEmpty());
    WriteLog("later");
    Lines all = ReadLines(logPath());
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all[0], "LOG-FILE test_base earlier run");
    EXPECT_EQ(all[1], "old line");
    EXPECT_EQ(all[2], " ");
    EXPECT_TRUE(std::regex_match(all[3], std::regex("LOG-FILE test_base .+")));
    EXPECT_THAT(Lines(all.begin() + 4, all.end()), ElementsAre("early 1", " ", "early 2", "later"));
}

TEST_F(LogFile, TrimmingKeepsTheLastWholeRunWithinTheLastHundredLines) {
    Lines old;
    for (int i = 1; i <= 150; ++i) {
        if (i == 40 || i == 60)
            old.push_back("LOG-FILE run at line " + std::to_string(i));
        else
            old.push_back("line " + std::to_string(i) + (i % 7 == 0 ? "\r" : ""));  // some Windows line ends
    }
    WriteLines(logPath(), old);
    InitLog(kModuleTemplates);
    WriteLog("new");
    Lines all = ReadLines(logPath());
    ASSERT_EQ(all.size(), 91u + 3u);  // lines 60..150, blank, header, "new"
    EXPECT_EQ(all[0], "LOG-FILE run at line 60");
    EXPECT_EQ(all[1], "line 61");
    EXPECT_EQ(all[90], "line 150");
    EXPECT_EQ(all[13], "line 73") << "a Windows line end is dropped";
    EXPECT_EQ(all[91], " ");
    EXPECT_EQ(all[93], "new");

    // The next load trims again; all 94 lines fit in the window and start with a header.
    ResetLogForTesting();
    InitLog(kModuleTemplates);
    WriteLog("third");
    all = ReadLines(logPath());
    ASSERT_EQ(all.size(), 94u + 3u);
    EXPECT_EQ(all[0], "LOG-FILE run at line 60");
    EXPECT_EQ(all[93], "new");
    EXPECT_TRUE(std::regex_match(all[95], std::regex("LOG-FILE test_base .+")));
    EXPECT_EQ(all[96], "third");
}

TEST_F(LogFile, TrimmingDropsAnOldLogWithoutAHeaderNearItsEnd) {
    Lines old{"LOG-FILE too far back"};
    for (int i = 0; i < 120; ++i) old.push_back("noise " + std::to_string(i));
    WriteLines(logPath(), old);
    InitLog(kModuleTemplates);
    WriteLog("new");
    Lines all = ReadLines(logPath());
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], " ");
    EXPECT_EQ(all[2], "new");
}

TEST_F(LogFile, MaximumLineCountCountsOnlyWrittenLines) {
    Log().maxLines = 3;
    for (const char* t : {"A", "A", "B", "C", "D", "E"}) WriteLog(t);
    EXPECT_THAT(PendingLogLines(), ElementsAre("A", "B", "C"));
}

TEST_F(LogFile, SwitchesAndDebugLines) {
    Log().enabled = false;
    WriteLog("dropped");
    Log().enabledExtra = true;  // either switch is enough
    WriteLog("second switch");
    WriteDebugLog("no debug");
    Log().debug = true;
    WriteDebugLog("debug");
    WriteDebugLog("debug");
    EXPECT_THAT(PendingLogLines(), ElementsAre("second switch", "debug", "debug"));
}

TEST_F(LogFile, IndentationAndTimestamps) {
    Log().indent = 2;
    WriteLog("indented");
    WriteLogTimed("timed");
    WriteLog("plain again");
    Log().timestamps = true;
    Log().indent = 0;
    WriteLog("every line timed");
    WriteLogTimedForced("every line timed");
    const Lines& p = PendingLogLines();
    ASSERT_EQ(p.size(), 5u);
    EXPECT_EQ(p[0], "  indented");
    EXPECT_TRUE(std::regex_match(p[1], std::regex(R"(\[\d\d:\d\d:\d\d\.\d{1,3}\]   timed)"))) << p[1];
    EXPECT_EQ(p[2], "  plain again");
    for (int i : {3, 4}) EXPECT_TRUE(std::regex_match(p[i], std::regex(R"(\[\d\d:\d\d:\d\d\.\d{1,3}\] every line timed)"))) << p[i];
}

TEST_F(LogFile, TextIsUtf8AndTheLastMessageIsCutTo255Characters) {
    std::string longText;
    for (int i = 0; i < 300; ++i) longText += "\xC3\xA9";  // é
    WriteLog(longText);
    EXPECT_EQ(Log().lastMessage.size(), 255u * 2u) << "cut at a character boundary";
    WriteLog(longText);  // longer than what is remembered: written again, nothing lost
    WriteLog("Layer \xB0 \x80");  // stray Windows-1252 bytes
    const Lines& p = PendingLogLines();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0], longText);
    EXPECT_EQ(p[2], "Layer \xC2\xB0 \xE2\x82\xAC");
}

TEST_F(LogFile, IoErrorLinesAndErrnoKeeping) {
    errno = ENOENT;
    LogIoError();
    EXPECT_EQ(errno, 0) << "a reported error is cleared";
    LogIoError();  // nothing more to report
    errno = EACCES;
    LogIoErrorAt(7);
    errno = EBADF;
    WriteLog("logging keeps errno");
    EXPECT_EQ(errno, EBADF);
    EXPECT_THAT(PendingLogLines(),
                ElementsAre(std::to_string(ENOENT) + ": " + std::strerror(ENOENT),
                            "IOR=" + std::to_string(EACCES) + " [da:7]: " + std::strerror(EACCES),
                            "logging keeps errno"));
}

TEST_F(LogFile, UnwritableLogFolderIsSilent) {
    ::setenv("KVD_HOST_DIR", (dir_ + "/missing/folder").c_str(), 1);
    InitLog(kModuleExchange);
    EXPECT_NO_THROW(WriteLog("goes nowhere"));
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/missing"));
}

TEST(FormatDuration, TwoLargestUnits) {
    const std::pair<long double, const char*> cases[] = {
        {90500, "1' 30\""},
        {0.25L, "250\xC2\xB5s"},
        {0, "0\""},
        {-5, "0\""},
        {5.25L, "5ms 250\xC2\xB5s"},
        {7, "7ms 0\xC2\xB5s"},
        {15.5L, "1\xC2\xB0\xC2\xB0 5ms"},
        {1234, "1\" 23\xC2\xB0\xC2\xB0"},
        {59999, "59\" 99\xC2\xB0\xC2\xB0"},
        {3600000 + 5 * 60000 + 7000, "1h 5'"},
        {2 * 86400000.0L + 3 * 3600000.0L, "2d 3h"},
        {86400000, "1d 0h"},
        {0.9996L, "1ms 0\xC2\xB5s"},  // rounding carries into the milliseconds
        {0.0004L, "0\""},
    };
    for (auto [ms, text] : cases) EXPECT_EQ(FormatDuration(ms), text) << static_cast<double>(ms);
}

long double g_fakeNow = 0;
long double FakeClock() { return g_fakeNow; }

TEST_F(LogFile, StopwatchLogsCaptionsAndDurations) {
    SetStopwatchClockForTesting(&FakeClock);
    g_fakeNow = 1000;
    LogStart("Import");
    LogStart("Read");
    g_fakeNow += 0.25L;
    LogStop();
    g_fakeNow += 90500 - 0.25L;
    LogStop();
    LogStop();  // nothing running: nothing logged
    EXPECT_THAT(PendingLogLines(), ElementsAre("Import [START]", "Read [START]", "Read [END] 250\xC2\xB5s",
                                               "Import [END] 1' 30\""));
}

TEST_F(LogFile, StopwatchReusesTheTenthLevel) {
    SetStopwatchClockForTesting(&FakeClock);
    for (int i = 1; i <= 12; ++i) LogStart("L" + std::to_string(i));
    for (int i = 0; i < 12; ++i) LogStop();
    Lines ends;
    for (const auto& l : PendingLogLines())
        if (l.find("[END]") != std::string::npos) ends.push_back(l.substr(0, l.find(' ')));
    EXPECT_THAT(ends, ElementsAre("L12", "L9", "L8", "L7", "L6", "L5", "L4", "L3", "L2", "L1"));

    ResetLogForTesting();
    LogStart(std::string(200, 'c'));
    EXPECT_EQ(PendingLogLines().back(), std::string(180, 'c') + " [START]");
}

TEST_F(LogFile, TailFromStreamSkipsAndLogs) {
    const std::uint8_t bytes[10] = {};
    StreamPtr s(NewMemoryStream(bytes, sizeof bytes));
    StreamSeek(s.get(), 2);
    TailFromStream(s.get(), 5, "id 300 len 5");
    EXPECT_EQ(StreamPosition(s.get()), 7);
    TailFromStream(s.get(), 2, "");
    EXPECT_EQ(StreamPosition(s.get()), 9);
    EXPECT_THROW(TailFromStream(s.get(), -4, "bad length"), Error);
    EXPECT_EQ(StreamPosition(s.get()), 9);
    EXPECT_THROW(TailFromStream(nullptr, 1, ""), Error);
    EXPECT_THAT(PendingLogLines(), ElementsAre("TailFromStream: id 300 len 5", "TailFromStream: bad length"));
}

}  // namespace
}  // namespace kvd
