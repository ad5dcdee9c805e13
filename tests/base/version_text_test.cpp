#include "base/version_text.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/elf_test_image.h"

namespace kvd {
namespace {

class LibraryVersionText : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/kvd_libversion_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string noted(const platform::FileVersion& v) {
        testing::ElfImageSpec spec;
        spec.version = v;
        std::string path = dir_ + "/lib" + std::to_string(counter_++) + ".so";
        testing::WriteBytes(path, testing::MakeElfImage(spec));
        return path;
    }

    std::string dir_;
    int counter_ = 0;
};

TEST_F(LibraryVersionText, NotedFileGivesTextAndNumbers) {
    SetLibraryVersion(noted({1, 0, 0, 1, 0}));
    EXPECT_EQ(GetLibraryVersion().text, "v.1.0.0.1");
    EXPECT_EQ(GetLibraryVersion().numbers, (std::array<std::uint32_t, 4>{1, 0, 0, 1}));
}

TEST_F(LibraryVersionText, FlagWordsDoNotSpoilTheBuildNumber) {
    SetLibraryVersion(noted({3, 2, 1, 77, platform::kVersionFlagDebug | platform::kVersionFlagPreRelease}));
    EXPECT_EQ(GetLibraryVersion().text, "v.3.2.1.77 debug beta");
    EXPECT_EQ(GetLibraryVersion().numbers, (std::array<std::uint32_t, 4>{3, 2, 1, 77}));
}

TEST_F(LibraryVersionText, NoVersionClearsTheNumbers) {
    SetLibraryVersion(noted({1, 2, 3, 4, 0}));
    SetLibraryVersion(dir_ + "/missing.so");
    EXPECT_EQ(GetLibraryVersion().text, "v.NoVersionInfo");
    EXPECT_EQ(GetLibraryVersion().numbers, (std::array<std::uint32_t, 4>{}));
}

}  // namespace
}  // namespace kvd
