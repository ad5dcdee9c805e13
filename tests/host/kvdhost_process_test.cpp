// Runs kvdhost as a process, as scripts do.
#include <gtest/gtest.h>

#include "run_kvdhost.h"

#include <sys/wait.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class KvdhostProcess : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kvdhost-test-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, const std::string& text) const { std::ofstream(Path(name)) << text; }
    fs::path dir_;
};

const char* kSquare = R"([{"Kind":0,"X":0,"Y":0,"ColorIndex":3},{"Kind":1,"X":10,"Y":0},{"Kind":2,"X":10,"Y":10,"Bulge":-1},{"Kind":1,"X":0,"Y":0}])";

}  // namespace

TEST_F(KvdhostProcess, PieceSaveThenDumpGivesTheListsBack) {
    Write("a.json", kSquare);
    KvdhostRun save = RunKvdhost("piece save " + Path("p.piece") + " --name Lastra --list1 " + Path("a.json"));
    ASSERT_EQ(save.status, 0) << save.out;
    KvdhostRun dump = RunKvdhost("piece dump " + Path("p.piece") + " --json " + Path("p.json"));
    ASSERT_EQ(dump.status, 0) << dump.out;
    EXPECT_NE(dump.out.find("PieceName: Lastra"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("List1: 4 elements"), std::string::npos) << dump.out;
    std::ifstream in(Path("p.json"));
    std::string json((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(json.find("\"List1\": [\n  {\"Kind\": 0"), std::string::npos);
    EXPECT_NE(json.find("\"ColorIndex\": 3"), std::string::npos);
    EXPECT_NE(json.find("\"Bulge\": -1"), std::string::npos);

    // The JSON of the dump reads back as a drawing.
    KvdhostRun svg = RunKvdhost("svg " + Path("a.json") + " " + Path("a.svg"));
    ASSERT_EQ(svg.status, 0) << svg.out;
    EXPECT_TRUE(fs::exists(Path("a.svg")));
}

TEST_F(KvdhostProcess, ErrorsAreOneLineWithExitStatus2) {
    Write("a.json", kSquare);
    struct Case {
        std::string args, env, expect;
    } cases[] = {
        {"piece dump " + Path("p.piece"), "KVD_LIB_DIR=" + Path("nolibs"), "libArdatalink.so"},
        {"piece dump " + Path("missing.piece"), "", "missing.piece"},
        {"frobnicate", "", "unknown command frobnicate"},
        {"piece save " + Path("x.piece") + " --list7 " + Path("a.json"), "", "unknown option --list7"},
        {"dump " + Path("bad.json"), "", "bad.json"},
    };
    Write("bad.json", "[{\"Kind\": ");
    for (const Case& c : cases) {
        KvdhostRun r = RunKvdhost(c.args, c.env);
        EXPECT_EQ(r.status, 2) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.expect), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << "not one line: " << r.out;
    }
    EXPECT_FALSE(fs::exists(Path("x.piece")));
}
