// The exports as the host calls them: streams handed out, files written in
// place of old ones, files closed on every path, and the shared library
// itself loaded with dlopen.
#include <dlfcn.h>
#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "datalink/piece_stream.h"
#include "piece_support.h"

using namespace kvd;
using namespace kvd::testing;
namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path;
    TempDir() {
        char t[] = "/tmp/kvd-datalink-XXXXXX";
        path = mkdtemp(t);
    }
    ~TempDir() { fs::remove_all(path); }
    std::size_t Files() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(path), fs::directory_iterator())); }
};

std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

Bytes FileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::size_t OpenDescriptors() {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// A small piece with one list and a name.
struct SmallPiece {
    HostList list{Element(0, 1, 2), Element(1, 3, 4), Element(3, 1, 2, 0, 1)};
    TPieceRecord record{};
    TPieceRecord* var = &record;
    SmallPiece() {
        SetName(record, "Vasca");
        record.PieceData32 = 42;
        record.List1 = list.head;
    }
};

// Gives the lists of a loaded record back to the library that made them.
void GiveBack(LoadPieceByVarFn load, TPieceRecord& record) {
    StreamPtr empty(NewMemoryStream());
    KvdStream* var = empty.get();
    TPieceRecord* p = &record;
    load(nullptr, &var, &p, false);
}

// Limits the size of files this process writes, for one scope.
struct FileSizeLimit {
    rlimit saved{};
    explicit FileSizeLimit(rlim_t bytes) {
        signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit l = saved;
        l.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

}  // namespace

TEST(SavePieceByVar, WithoutAFileNameHandsOutAMemoryStreamAtItsEnd) {
    SmallPiece piece;
    KvdStream* var = nullptr;
    SavePieceByVar(nullptr, &var, &piece.var);
    ASSERT_NE(var, nullptr);
    StreamPtr owned(var);
    EXPECT_GT(StreamSize(var), 0);
    EXPECT_EQ(StreamPosition(var), StreamSize(var));

    KvdStream* var2 = nullptr;
    SavePieceByVar(u"", &var2, &piece.var);
    StreamPtr owned2(var2);
    EXPECT_EQ(StreamBytes(var2), StreamBytes(var));
}

TEST(SavePieceByVar, ReplacesAFileOnlyWithAWholePiece) {
    TempDir dir;
    const fs::path file = dir.path / "piece.kvp";
    SmallPiece piece;
    KvdStream* var = reinterpret_cast<KvdStream*>(0x1);  // the variable is set to nil
    SavePieceByVar(U16(file.string()).c_str(), &var, &piece.var);
    EXPECT_EQ(var, nullptr);
    const Bytes good = FileBytes(file);
    StreamPtr expected(NewMemoryStream());
    datalink::SavePiece(expected.get(), piece.record);
    ASSERT_EQ(good, *MemoryStreamBytes(expected.get()));

    // A bigger piece that the disk cannot take: the old file stays whole and
    // no temporary file is left behind.
    HostList big;
    for (int i = 0; i < 5000; ++i) big.Add(Element(1, i, i));
    piece.record.List3 = big.head;
    {
        FileSizeLimit limit(good.size() + 100);
        EXPECT_THROW(SavePieceByVar(U16(file.string()).c_str(), &var, &piece.var), Error);
    }
    EXPECT_EQ(FileBytes(file), good);
    EXPECT_EQ(dir.Files(), 1u);

    // A piece refused before writing leaves the old file too.
    for (int i = 0; i < 65535; ++i) big.Add(Element(1, i, i));
    EXPECT_THROW(SavePieceByVar(U16(file.string()).c_str(), &var, &piece.var), Error);
    EXPECT_EQ(FileBytes(file), good);
    EXPECT_EQ(dir.Files(), 1u);

    EXPECT_THROW(SavePieceByVar(U16((dir.path / "no-such-folder" / "p.kvp").string()).c_str(), &var, &piece.var), Error);
}

TEST(LoadPieceByVar, ReadsAFileAndSetsTheStreamVariableToNil) {
    TempDir dir;
    const fs::path file = dir.path / "piece.kvp";
    SmallPiece piece;
    KvdStream* var = nullptr;
    SavePieceByVar(U16(file.string()).c_str(), &var, &piece.var);

    TPieceRecord loaded{};
    TPieceRecord* p = &loaded;
    StreamPtr unrelated(NewMemoryStream());
    var = unrelated.get();
    LoadPieceByVar(U16(file.string()).c_str(), &var, &p, false);
    EXPECT_EQ(var, nullptr);
    EXPECT_EQ(loaded.PieceData32, 42u);
    EXPECT_EQ(0, std::memcmp(loaded.PieceName, "\x05Vasca", 6));
    EXPECT_EQ(ElementsOf(loaded.List1).size(), 3u);
    GiveBack(LoadPieceByVar, loaded);
    EXPECT_EQ(loaded.List1.get(), nullptr);
}

TEST(LoadPieceByVar, AFileThatCannotBeOpenedLeavesTheRecordAlone) {
    TempDir dir;
    SmallPiece piece;
    const TPieceRecord before = piece.record;
    KvdStream* var = nullptr;
    EXPECT_THROW(LoadPieceByVar(U16((dir.path / "missing.kvp").string()).c_str(), &var, &piece.var, false), Error);
    EXPECT_EQ(0, std::memcmp(&before, &piece.record, sizeof before));

    EXPECT_THROW(LoadPieceByVar(nullptr, &var, &piece.var, false), Error) << "no stream";
    TPieceRecord* none = nullptr;
    StreamPtr s(NewMemoryStream());
    var = s.get();
    EXPECT_THROW(LoadPieceByVar(nullptr, &var, &none, false), Error) << "no record";
}

TEST(Exports, CloseTheFilesTheyOpenOnEveryPath) {
    TempDir dir;
    const fs::path file = dir.path / "piece.kvp";
    HostBitmap texture(2, 2);
    texture.SetColor(0, 0, 0xFF102030);
    DisplayObject display(&texture);
    SmallPiece piece;
    piece.record.DisplayObject = display.object;
    KvdStream* var = nullptr;
    const std::size_t fds = OpenDescriptors();

    SavePieceByVar(U16(file.string()).c_str(), &var, &piece.var);
    EXPECT_EQ(OpenDescriptors(), fds);
    {
        FileSizeLimit limit(40);  // fails while writing
        EXPECT_THROW(SavePieceByVar(U16(file.string()).c_str(), &var, &piece.var), Error);
    }
    EXPECT_EQ(OpenDescriptors(), fds);

    // A load that fails half way: the texture meets a material of another kind.
    TPieceRecord loaded{};
    TPieceRecord* p = &loaded;
    DisplayObject other;
    other.UseOtherMaterial();
    loaded.DisplayObject = other.object;
    EXPECT_THROW(LoadPieceByVar(U16(file.string()).c_str(), &var, &p, false), Error);
    EXPECT_EQ(OpenDescriptors(), fds);
    EXPECT_THROW(LoadPieceByVar(U16((dir.path / "missing").string()).c_str(), &var, &p, false), Error);
    EXPECT_EQ(OpenDescriptors(), fds);
    LoadPieceByVar(U16(file.string()).c_str(), &var, &p, true);
    EXPECT_EQ(OpenDescriptors(), fds);
    GiveBack(LoadPieceByVar, loaded);
}

TEST(GetDllVersion, StoresTheInterfaceVersionOne) {
    std::int32_t v = -5;
    GetDllVersion(&v);
    EXPECT_EQ(v, 1);
    GetDllVersion(nullptr);
}

// The deliverable as the host meets it: loaded at run time, exports found by name.
TEST(Ardatalink, LoadsWithDlopenAndRunsItsExportsByName) {
    const char* bin = std::getenv("KVD_BIN_DIR");
    ASSERT_NE(bin, nullptr) << "KVD_BIN_DIR names the folder of libArdatalink.so";
    const std::string path = std::string(bin) + "/libArdatalink.so";
    void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    auto save = reinterpret_cast<SavePieceByVarFn>(dlsym(lib, "SavePieceByVar"));
    auto load = reinterpret_cast<LoadPieceByVarFn>(dlsym(lib, "LoadPieceByVar"));
    auto flip = reinterpret_cast<FlipBitmapFn>(dlsym(lib, "FlipBitmap"));
    auto toPng = reinterpret_cast<FMXBitmapToStreamFn>(dlsym(lib, "FMXBitmapToStream"));
    auto version = reinterpret_cast<GetDllVersionFn>(dlsym(lib, "GetDllVersion"));
    ASSERT_TRUE(save && load && flip && toPng && version);
    EXPECT_EQ(dlsym(lib, "PreparePiece"), nullptr) << "internals are not exported";

    std::int32_t v = 0;
    version(&v);
    EXPECT_EQ(v, 1);

    HostBitmap texture(2, 3);
    texture.SetColor(0, 0, 0xFFAA0000);
    texture.SetColor(0, 2, 0xFF0000BB);
    DisplayObject display(&texture);
    SmallPiece piece;
    piece.record.DisplayObject = display.object;
    KvdStream* out = nullptr;
    save(nullptr, &out, &piece.var);
    ASSERT_NE(out, nullptr);
    StreamPtr owned(out);  // released through the library's own table

    HostBitmap into(1, 1);
    DisplayObject target(&into);
    TPieceRecord loaded{};
    loaded.DisplayObject = target.object;
    TPieceRecord* p = &loaded;
    load(nullptr, &out, &p, false);
    EXPECT_EQ(loaded.PieceData32, 42u);
    ASSERT_EQ(ElementsOf(loaded.List1).size(), 3u);
    EXPECT_EQ(ElementsOf(loaded.List1)[1]->Y.ToDouble(), 4.0);
    ASSERT_EQ(into.height, 3);
    EXPECT_EQ(into.Color(0, 2), 0xFF0000BBu);

    flip(&into);
    EXPECT_EQ(into.Color(0, 0), 0xFF0000BBu);

    // Errors cross the boundary as kvd::Error.
    KvdStream* none = nullptr;
    EXPECT_THROW(load(u"/nonexistent/piece.kvp", &none, &p, false), Error);
    EXPECT_THROW(toPng(u"/nonexistent/picture.png", &out), Error);

    GiveBack(load, loaded);
    EXPECT_EQ(loaded.List1.get(), nullptr);
}
