// kvdhost template, run as a process against the real dialog.
#include <gtest/gtest.h>

#include "run_kvdhost.h"

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "host/element_json.h"

namespace fs = std::filesystem;

namespace {

class KvdhostTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kvdhost-template-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& n) const { return (dir_ / n).string(); }
    fs::path dir_;
};

}  // namespace

TEST_F(KvdhostTemplate, TypedRectangleComesBackAsTheElementList) {
    KvdhostRun r = RunKvdhost("template --tab Rettangolo --set Edit7=100 --set Edit8=50 --set Edit50=10 --host-dir " +
                   Path("host") + " --json " + Path("r.json") + " --svg " + Path("r.svg") + " --png " + Path("r.png"));
    ASSERT_EQ(r.status, 0) << r.out;
    std::ifstream in(Path("r.json"));
    std::string json((std::istreambuf_iterator<char>(in)), {});
    std::vector<kvd::TTempElement> e = kvdhost::ElementsFromJson(json);
    // Start in the middle of the side x = W, then the sides and the four filleted corners.
    const struct {
        unsigned code;
        double x, y;
    } want[] = {{0, 100, 25}, {1, 100, 40}, {2, 90, 50}, {1, 10, 50}, {2, 0, 40}, {1, 0, 10},
                {2, 10, 0},   {1, 90, 0},   {2, 100, 10}, {1, 100, 25}};
    ASSERT_GE(e.size(), std::size(want) + 2) << json;
    for (std::size_t i = 0; i < std::size(want); ++i) {
        EXPECT_EQ(kvd::KindCode(e[i].Kind), want[i].code) << i;
        EXPECT_NEAR(e[i].X.ToDouble(), want[i].x, 1e-3) << i;
        EXPECT_NEAR(e[i].Y.ToDouble(), want[i].y, 1e-3) << i;
    }
    // Then the template's records, the closing record last.
    EXPECT_EQ(e.back().Kind, kvd::rkClosing);
    EXPECT_TRUE(fs::exists(Path("r.svg")));
    EXPECT_TRUE(fs::exists(Path("r.png")));
}

TEST_F(KvdhostTemplate, CancelledDialogGivesExitStatus1AndNoFiles) {
    std::ofstream(Path("cancel.kvds")) << "close cancel\n";
    KvdhostRun r = RunKvdhost("template --tab Rettangolo --script " + Path("cancel.kvds") + " --host-dir " + Path("host") +
                   " --json " + Path("r.json") + " --png " + Path("r.png"));
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_FALSE(fs::exists(Path("r.json")));
    EXPECT_FALSE(fs::exists(Path("r.png")));
    EXPECT_FALSE(fs::exists(Path("r.png.part.png")));
}

TEST_F(KvdhostTemplate, ScriptErrorIsReportedWithItsLine) {
    KvdhostRun r = RunKvdhost("template --tab Rettangolo --set NoSuchEdit=1 --host-dir " + Path("host") + " --json " + Path("r.json"));
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.out.find("NoSuchEdit"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(Path("r.json")));
}
