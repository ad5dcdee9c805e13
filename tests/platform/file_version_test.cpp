#include "platform/file_version.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "platform/elf_test_image.h"
#include "platform/module_path.h"

namespace kvd::platform {
namespace {

using kvd::testing::ElfImageSpec;
using kvd::testing::MakeElfImage;
using kvd::testing::ReadBytes;
using kvd::testing::WriteBytes;

const FileVersion kV1001{1, 0, 0, 1, 0};

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/kvd_version_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    std::string dir_;
};

// ---- the notes our own CMake function puts into real shared libraries ----

TEST(VersionNoteOfBuiltFiles, TextFollowsVersionAndFlagsInFixedOrder) {
    EXPECT_EQ(GetFileVersionText(KVD_NOTE_PLAIN), "1.0.0.1");
    EXPECT_EQ(GetFileVersionText(KVD_NOTE_FLAGS), "2.5.0.17 debug beta private special");
    EXPECT_EQ(GetFileVersionText(KVD_NOTE_TWO_FLAGS), "1.0.0.1 beta special");  // given as SPECIAL PRERELEASE
    EXPECT_EQ(GetFileVersionText(KVD_NOTE_PROJECT), KVD_NOTE_PROJECT_TEXT);
    EXPECT_EQ(GetFileVersionText(KVD_NOTE_NONE), "NoVersionInfo");
}

TEST(VersionNoteOfBuiltFiles, NoteIsFoundThroughProgramHeadersWhenSectionHeadersAreGone) {
    std::vector<std::uint8_t> image = ReadBytes(KVD_NOTE_FLAGS);
    ASSERT_GT(image.size(), 64u);
    ASSERT_EQ(image[4], 2) << "the test expects a 64-bit build";
    // e_shoff, e_shnum and e_shstrndx cleared, as a tool that drops section headers leaves them.
    std::memset(image.data() + 40, 0, 8);
    std::memset(image.data() + 60, 0, 4);
    auto v = ParseVersionNote(image.data(), image.size());
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(FormatFileVersion(*v), "2.5.0.17 debug beta private special");
}

TEST(VersionNoteOfBuiltFiles, EveryTruncationGivesTheVersionOrNothing) {
    const std::vector<std::uint8_t> image = ReadBytes(KVD_NOTE_PLAIN);
    ASSERT_FALSE(image.empty());
    int found = 0;
    for (std::size_t len = 0; len <= image.size(); len += (len < 8192 ? 1 : 97)) {
        // A copy of exactly `len` bytes, so that AddressSanitizer sees any read past the end.
        std::vector<std::uint8_t> cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(len));
        auto v = ParseVersionNote(cut.data(), cut.size());
        if (v) {
            EXPECT_EQ(*v, kV1001) << "length " << len;
            ++found;
        }
    }
    EXPECT_GT(found, 0);
    EXPECT_FALSE(ParseVersionNote(image.data(), 100).has_value());  // header only
}

// ---- resolving a module name -------------------------------------------

TEST(VersionNoteOfBuiltFiles, ModuleNameResolvesToTheLoadedLibrary) {
    void* handle = ::dlopen(KVD_NOTE_PLAIN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << ::dlerror();
    char real[PATH_MAX];
    ASSERT_NE(::realpath(KVD_NOTE_PLAIN, real), nullptr);

    for (const char* name : {"kvd_note_plain", "libkvd_note_plain.so", "KVD_NOTE_PLAIN.DLL"}) {
        std::string found = FindLoadedModule(name);
        ASSERT_FALSE(found.empty()) << name;
        char foundReal[PATH_MAX];
        ASSERT_NE(::realpath(found.c_str(), foundReal), nullptr);
        EXPECT_STREQ(foundReal, real) << name;
        EXPECT_EQ(GetFileVersionText(name), "1.0.0.1") << name;
    }
    void* symbol = ::dlsym(handle, "kvd_note_fixture");
    ASSERT_NE(symbol, nullptr);
    char byAddress[PATH_MAX];
    ASSERT_NE(::realpath(ModulePathOfAddress(symbol).c_str(), byAddress), nullptr);
    EXPECT_STREQ(byAddress, real);
    ::dlclose(handle);
}

TEST(ModulePath, ExecutableAndUnknownNames) {
    char self[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    self[n] = '\0';
    EXPECT_EQ(FindLoadedModule("test_platform"), self);

    EXPECT_EQ(FindLoadedModule("NoSuchModuleAnywhere"), "");
    EXPECT_EQ(ResolveModuleFile("NoSuchModuleAnywhere"), "NoSuchModuleAnywhere");
    EXPECT_EQ(ResolveModuleFile("KOVA\\x.bin"), "KOVA/x.bin");  // a path is taken as it is
    EXPECT_EQ(GetFileVersionText("NoSuchModuleAnywhere"), "NoVersionInfo");
    EXPECT_EQ(GetFileVersionText(""), "NoVersionInfo");
}

// ---- hand-made images: both classes, both byte orders, both routes ------

TEST(VersionNoteParser, FindsTheNoteInEveryElfFlavour) {
    const FileVersion v{7, 65535, 70000, 4, kVersionFlagPreRelease};
    for (bool is64 : {false, true})
        for (bool big : {false, true})
            for (auto [sections, segments] : {std::pair{true, true}, {true, false}, {false, true}}) {
                ElfImageSpec spec;
                spec.is64 = is64;
                spec.bigEndian = big;
                spec.withSections = sections;
                spec.withSegments = segments;
                spec.version = v;
                auto image = MakeElfImage(spec);
                auto found = ParseVersionNote(image.data(), image.size());
                ASSERT_TRUE(found.has_value()) << is64 << big << sections << segments;
                EXPECT_EQ(*found, v);
                EXPECT_EQ(FormatFileVersion(*found), "7.65535.70000.4 beta");
            }
}

TEST(VersionNoteParser, AcceptsLongerDescriptorsAndRejectsShortOnes) {
    ElfImageSpec spec;
    spec.version = kV1001;
    spec.descSize = 28;  // a later layout with more fields
    auto longer = MakeElfImage(spec);
    EXPECT_EQ(ParseVersionNote(longer.data(), longer.size()), kV1001);

    spec.descSize = 16;  // no flags word: not a note we can read
    auto shorter = MakeElfImage(spec);
    EXPECT_FALSE(ParseVersionNote(shorter.data(), shorter.size()).has_value());

    spec.descSize = 20;
    spec.version.reset();  // only the foreign note
    auto none = MakeElfImage(spec);
    EXPECT_FALSE(ParseVersionNote(none.data(), none.size()).has_value());
}

TEST(VersionNoteParser, DamagedHeadersNeverReadOutside) {
    ElfImageSpec spec;
    spec.version = kV1001;
    const auto good = MakeElfImage(spec);

    struct Damage {
        const char* what;
        std::size_t at;
        std::uint64_t value;
        int size;
    };
    const Damage damages[] = {
        {"section table far away", 40, 0x7FFFFFFFFFFFFFF0ull, 8},
        {"huge section count", 60, 0xFFFF, 2},
        {"tiny section entries", 58, 8, 2},
        {"extended section count", 60, 0, 2},
        {"program table far away", 32, 0xFFFFFFFFFFFFFFFFull, 8},
        {"extended program count", 56, 0xFFFF, 2},
        {"unknown class", 4, 9, 1},
        {"unknown byte order", 5, 0, 1},
    };
    for (const Damage& d : damages) {
        auto image = good;
        kvd::testing::ElfWriter w(false);
        w.bytes = image;
        w.put(d.at, d.value, d.size);
        image = w.bytes;
        auto v = ParseVersionNote(image.data(), image.size());
        if (v) {
            EXPECT_EQ(*v, kV1001) << d.what;  // the other route may still find it
        }
    }

    // Every byte of a small image set to 0xFF in turn, and every note size word: no crash, no overread.
    for (std::size_t i = 0; i < good.size(); ++i) {
        auto image = good;
        image[i] = 0xFF;
        (void)ParseVersionNote(image.data(), image.size());
    }
}

TEST(VersionNoteParser, GarbageIsNoVersion) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> bytes(rng() % 4096);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
        if (bytes.size() >= 6 && round % 2 == 0) {  // half of them pass the magic check
            bytes[0] = 0x7F, bytes[1] = 'E', bytes[2] = 'L', bytes[3] = 'F';
            bytes[4] = static_cast<std::uint8_t>(1 + round % 4 / 2);
            bytes[5] = static_cast<std::uint8_t>(1 + round % 8 / 4);
        }
        EXPECT_FALSE(ParseVersionNote(bytes.data(), bytes.size()).has_value());
    }
    EXPECT_FALSE(ParseVersionNote(nullptr, 0).has_value());
}

TEST_F(TempDir, FilesThatCannotGiveAVersion) {
    ElfImageSpec spec;
    spec.version = kV1001;
    const auto good = MakeElfImage(spec);
    WriteBytes(path("good.so"), good);
    EXPECT_EQ(GetFileVersionText(path("good.so")), "1.0.0.1");

    WriteBytes(path("empty.so"), {});
    WriteBytes(path("cut.so"), std::vector<std::uint8_t>(good.begin(), good.begin() + 40));
    WriteBytes(path("text.so"), std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o'});
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);  // must not block waiting for a writer
    for (const char* name : {"empty.so", "cut.so", "text.so", "missing.so", "fifo"})
        EXPECT_EQ(GetFileVersionText(path(name)), "NoVersionInfo") << name;
    EXPECT_EQ(GetFileVersionText(dir_), "NoVersionInfo");
}

TEST(VersionNoteParser, LookingUpAVersionKeepsErrno) {
    errno = EACCES;
    (void)GetFileVersionText("/no/such/file");
    EXPECT_EQ(errno, EACCES);
}

}  // namespace
}  // namespace kvd::platform
