#include "templates/template_settings_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>
#include <random>
#include <vector>

#include "base/log.h"
#include "base/streams.h"

using namespace kvd;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

class SettingsFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kvd_def_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "KOVA");
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Folder() const { return dir_.string(); }
    std::string DefPath() const { return (dir_ / "KvdTemplates.DEF").string(); }
    std::string OlderPath() const { return (dir_ / "KOVA" / "KvdTemplates.DEF").string(); }
    void Write(const std::string& path, const Bytes& b) const {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                                    static_cast<std::streamsize>(b.size()));
    }
    void Load() { LoadTemplateSettings(Folder(), p_, working_, matrix_); }

    fs::path dir_;
    TemplateParameters p_;
    QuadrilateralSet working_[kQuadrilateralKinds];
    MatrixSettings matrix_;
};

// Little helpers that build record bytes by hand.
void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Record(Bytes& b, std::uint16_t id, const Bytes& payload) {
    Put16(b, id);
    Put16(b, static_cast<std::uint16_t>(payload.size()));
    b.insert(b.end(), payload.begin(), payload.end());
}
template <typename T>
Bytes Le(T v) {
    Bytes b(sizeof v);
    std::memcpy(b.data(), &v, sizeof v);
    return b;
}
const Bytes kHeader = {0x00, 0x00, 0x02, 0x00, 0xF1, 0xFF};
const Bytes kEnd = {0xFE, 0x7F, 0x02, 0x00, 0xE1, 0xEE};

struct Rec {
    std::uint16_t id, length;
    std::size_t at;
};
std::vector<Rec> Walk(const Bytes& b) {
    std::vector<Rec> out;
    for (std::size_t p = 0; p + 4 <= b.size();) {
        Rec r{static_cast<std::uint16_t>(b[p] | b[p + 1] << 8), static_cast<std::uint16_t>(b[p + 2] | b[p + 3] << 8),
              p};
        out.push_back(r);
        p += 4 + r.length;
    }
    return out;
}

template <typename T>
T At(const TemplateParameters& p, std::size_t offset) {
    T v;
    std::memcpy(&v, reinterpret_cast<const char*>(&p) + offset, sizeof v);
    return v;
}

// Byte ranges of the record that the file does not carry (reserved bytes,
// run-time fields and set 4's slot 3), from the record's layout.
std::vector<std::pair<std::size_t, std::size_t>> NotCarried() {
    std::vector<std::pair<std::size_t, std::size_t>> r = {
        {2, 6},       {14, 2},     {22, 2},     {30, 2},     {38, 2},     {46, 2},     {54, 2},
        {62, 2},      {70, 2},     {462, 2},    {470, 2},    {478, 2},    {484, 4},    {494, 2},
        {502, 2},     {508, 4},    {518, 2},    {526, 2},    {1428, 4},   {2282, 9248 - 2282},
        {9272, 8},    {10012, 4},  {10022, 2},  {10030, 2},  {10038, 2},  {10046, 2},  {10054, 2},
        {10062, 2},   {10070, 2},  {10340, 4},  {10350, 2},  {10358, 2},  {10366, 2},  {10374, 2},
        {10382, 2},   {10390, 2},  {10398, 2},  {10406, 2},  {10414, 2},  {10422, 2},  {10430, 10688 - 10430},
        {10689, 7},   {10825, 3},  {24204, 4},  {24212, 4},  {24351, 1},  {24544, 4},  {24566, 2},
    };
    for (std::size_t k = 0; k < 3; ++k) {
        r.push_back({640 + 48 * k + 42, 6});
        r.push_back({1680 + 48 * k + 42, 6});
    }
    for (std::size_t k = 0; k < 20; ++k) r.push_back({784 + 32 * k + 25, 7});
    for (std::size_t k = 0; k < 14; ++k) r.push_back({1824 + 32 * k + 25, 7});
    for (std::size_t k = 0; k < 16; ++k) {
        std::size_t item = 10828 + 836 * k;
        r.insert(r.end(), {{item + 24, 20}, {item + 173, 3}, {item + 180, 12}, {item + 321, 1}, {item + 834, 2}});
    }
    for (std::size_t k = 0; k < 8; ++k) {
        std::size_t hole = 24352 + 24 * k;
        r.insert(r.end(), {{hole + 4, 4}, {hole + 14, 2}, {hole + 22, 2}});
    }
    for (std::size_t k = 0; k < 4; ++k) r.push_back({24576 + 28 * k + 1, 3});
    return r;
}

// A record with every carried byte random and the rest zero; texts have
// valid lengths and zeros past them; tombstone items survive the clean-up.
TemplateParameters RandomParameters(unsigned seed) {
    std::mt19937 rng(seed);
    TemplateParameters p;
    auto* b = reinterpret_cast<std::uint8_t*>(&p);
    for (std::size_t i = 0; i < sizeof p; ++i) b[i] = static_cast<std::uint8_t>(rng());
    for (auto [at, n] : NotCarried()) std::memset(b + at, 0, n);
    auto text = [&](auto& s, std::size_t length) {
        s.length = static_cast<std::uint8_t>(length);
        std::memset(s.chars + length, 0, sizeof s.chars - length);
    };
    for (std::size_t k = 0; k < 16; ++k) text(p.MarkingText[k], k * 2);
    text(p.StepOuterMachining, 128);
    text(p.StepInnerMachining, 0);
    text(p.BackgroundImage, 17);
    text(p.CircularHoleMachining, 5);
    for (std::size_t k = 0; k < 16; ++k) {
        TombstoneItem& item = p.TombstoneItems[k];
        text(item.FirstFileName, k * 8);
        text(item.SecondFileName, 128 - k);
        item.SizeX = 10.0f + static_cast<float>(k);
        item.SizeY = 20.0f;
        item.Text[0] = u'T';
    }
    return p;
}

Bytes SavedDefaults() {
    TemplateParameters p;
    QuadrilateralSet working[kQuadrilateralKinds];
    SetTemplateDefaults(p, working);
    StreamPtr s(NewMemoryStream());
    SaveConfigByVars(s.get(), p);
    return *MemoryStreamBytes(s.get());
}

}  // namespace

TEST_F(SettingsFolder, TheFirstRecordsOfTheFileAreByteExact) {
    SetTemplateDefaults(p_, working_);
    ASSERT_TRUE(SaveTemplateSettings(Folder(), 0, p_, working_, MatrixSettings{}));
    Bytes file = ReadWholeFile(DefPath());

    Bytes expected = {
        0x00, 0x00, 0x02, 0x00, 0xF1, 0xFF,                          // header, $FFF1
        0xFF, 0x7F, 0x08, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,              // length (checked below)
        0x12, 0x00, 0x04, 0x00, 0, 0, 0, 0,                          // 18 slab width 0.0
        0x13, 0x00, 0x04, 0x00, 0, 0, 0, 0,                          // 19 slab height 0.0
        0x14, 0x00, 0x02, 0x00, 0x06, 0x00,                          // 20 six sides
        0x15, 0x00, 0x06, 0x00, 0x87, 0, 0, 0, 0, 0x48,              // 21 side 100
        0x16, 0x00, 0x06, 0x00, 0x89, 0, 0, 0, 0, 0x16,              // 22 circumradius 300
        0x17, 0x00, 0x06, 0x00, 0x88, 0, 0, 0, 0, 0x7A,              // 23 inradius 250
        0x18, 0x00, 0x06, 0x00, 0, 0, 0, 0, 0, 0,                    // 24 fillet 0
        0x19, 0x00, 0x06, 0x00, 0, 0, 0, 0, 0, 0,                    // 25 rotation 0
        0x1A, 0x00, 0x06, 0x00, 0x89, 0, 0, 0, 0, 0x7A,              // 26 width 500
        0x1B, 0x00, 0x06, 0x00, 0x89, 0, 0, 0, 0, 0x16,              // 27 height 300
        0x1C, 0x00, 0x06, 0x00, 0, 0, 0, 0, 0, 0,                    // 28 fillet 0
        0x1D, 0x00, 0x08, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,              // 29 set 0 slot 0
        0x1E, 0x00, 0x08, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,              // 30 slot 1
        0x1F, 0x00, 0x08, 0x00, 0, 0, 0, 0, 0, 0x40, 0x7F, 0x40,     // 31 slot 2 = 500.0
        0x20, 0x00, 0x08, 0x00, 0, 0, 0, 0, 0, 0, 0x79, 0x40,        // 32 slot 4 = 400.0
    };
    ASSERT_GE(file.size(), expected.size());
    std::int64_t length;
    std::memcpy(&length, file.data() + 10, 8);
    EXPECT_EQ(length, static_cast<std::int64_t>(fs::file_size(DefPath()))) << "length record = file size";
    std::memset(file.data() + 10, 0, 8);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
    EXPECT_EQ(Bytes(file.end() - 6, file.end()), kEnd);
    // No temporary file is left beside it.
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir_)) entries += e.is_regular_file();
    EXPECT_EQ(entries, 1);
}

TEST(TemplateSettingsFile, RecordsComeInTheirOrderWithFillersAndTextLengths) {
    // The order of the file, filler records included.
    std::vector<int> ids = {0, 32767, 18, 19};
    auto range = [&](int a, int b) {
        for (int id = a; id <= b; ++id) ids.push_back(id);
    };
    range(20, 28);
    range(29, 56);
    range(582, 601);
    range(57, 74);
    range(75, 175);
    range(176, 205);
    range(206, 209);
    range(210, 286);
    range(287, 289);
    range(290, 399);
    range(400, 409);
    range(410, 481);
    range(482, 485);
    for (int k = 0; k < 16; ++k) range(486 + 6 * k, 491 + 6 * k);
    range(602, 640);
    range(641, 648);
    for (int k = 0; k < 16; ++k) range(649 + 2 * k, 650 + 2 * k);
    range(681, 712);
    range(749, 782);
    ids.push_back(32766);

    Bytes file = SavedDefaults();
    std::vector<Rec> recs = Walk(file);
    std::vector<int> got;
    for (const Rec& r : recs) got.push_back(r.id);
    EXPECT_EQ(got, ids);

    std::map<int, int> lengths;
    for (const Rec& r : recs) lengths[r.id] = r.length;
    const std::pair<int, int> expected[] = {
        {74, 48},  {75, 8},   {80, 1},   {81, 1},  {99, 1},    {176, 4},  {196, 8},  {287, 2}, {290, 2},
        {399, 2},  {407, 6},  {408, 2},  {409, 4}, {410, 1},   {425, 1},  {426, 4},  {442, 4}, {458, 4},
        {474, 6},  {482, 1},  {483, 1},  {485, 1}, {490, 1},   {491, 4},  {603, 6},  {604, 1}, {605, 4},
        {606, 6},  {638, 1},  {643, 4},  {645, 1}, {649, 1},   {650, 512}, {681, 4}, {749, 1}, {753, 4},
        {782, 4},
    };
    for (auto [id, n] : expected) EXPECT_EQ(lengths[id], n) << id;
    // Fillers hold their own id.
    for (const Rec& r : recs)
        if (r.id == 287 || (r.id >= 290 && r.id <= 399)) {
            EXPECT_EQ(file[r.at + 4] | file[r.at + 5] << 8, r.id);
        }
}

TEST(TemplateSettingsFile, SaveThenLoadGivesBackEveryFieldTheFileCarries) {
    TemplateParameters original = RandomParameters(2024);
    StreamPtr s(NewMemoryStream());
    SaveConfigByVars(s.get(), original);
    Bytes bytes = *MemoryStreamBytes(s.get());
    // Texts are written with their current length + 1.
    std::map<int, int> lengths;
    for (const Rec& r : Walk(bytes)) lengths[r.id] = r.length;
    EXPECT_EQ(lengths[482], 129);
    EXPECT_EQ(lengths[483], 1);
    EXPECT_EQ(lengths[411], 3);

    StreamPtr in(NewMemoryStream(bytes.data(), bytes.size()));
    TemplateParameters loaded;
    std::memset(static_cast<void*>(&loaded), 0x3C, sizeof loaded);
    LoadConfigByVars(in.get(), loaded);
    EXPECT_EQ(Log().lastMessage, "TailFromStream: LoadConfigByVars extra :399 2");
    const auto* a = reinterpret_cast<const std::uint8_t*>(&original);
    const auto* b = reinterpret_cast<const std::uint8_t*>(&loaded);
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < sizeof loaded; ++i)
        if (a[i] != b[i] && ++mismatches < 10) ADD_FAILURE() << "byte " << i;
    EXPECT_EQ(mismatches, 0u);
}

TEST_F(SettingsFolder, NoFileGivesTheDefaults) {
    Load();
    EXPECT_EQ(p_.PolygonSides, 6);
    EXPECT_EQ(p_.PolygonSide.ToLongDouble(), 100);
    EXPECT_EQ(p_.RectWidth.ToLongDouble(), 500);
    EXPECT_EQ(p_.RectHeight.ToLongDouble(), 300);
    EXPECT_EQ(matrix_.Columns, 0);
    EXPECT_EQ(matrix_.Rows, 0);
    EXPECT_EQ(p_.ActiveTab, 0);
    EXPECT_EQ(working_[4].Slot[2], 500);
}

TEST_F(SettingsFolder, AFileWithOnlyHeaderAndEndRecordsZeroesEveryField) {
    Bytes file = kHeader;
    file.insert(file.end(), kEnd.begin(), kEnd.end());
    Write(DefPath(), file);
    Load();
    TemplateParameters zero;
    ClearTemplateParameters(zero);
    EXPECT_EQ(std::memcmp(&p_, &zero, sizeof zero), 0);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(working_[k].Slot[2], 0) << k;
    EXPECT_EQ(working_[5].Slot[2], 500) << "set 5 always starts from its defaults";
    EXPECT_EQ(working_[5].Slot[7], 400);
}

TEST_F(SettingsFolder, OlderSixtyFourByteRecordsForQuantitiesColoursAndDirectionsLoad) {
    // Older writers gave ids 442..473 64 bytes each: the entry and what follows it.
    TemplateParameters p = RandomParameters(5);
    for (int k = 0; k < 16; ++k) {
        p.MarkingQuantity[k] = 100 + k;
        p.MarkingDirection[k] = 0.5f * static_cast<float>(k);
    }
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&p);
    StreamPtr s(NewMemoryStream());
    SaveConfigByVars(s.get(), p);
    Bytes current = *MemoryStreamBytes(s.get());
    Bytes older;
    for (const Rec& r : Walk(current)) {
        Bytes payload(current.begin() + static_cast<std::ptrdiff_t>(r.at + 4),
                      current.begin() + static_cast<std::ptrdiff_t>(r.at + 4 + r.length));
        if (r.id >= 442 && r.id <= 473) {
            std::size_t at = (r.id <= 457 ? 9884 + 4 * (r.id - 442) : 9948 + 4 * (r.id - 458));
            payload.assign(raw + at, raw + at + 64);
        }
        Record(older, r.id, payload);
    }
    Write(DefPath(), older);
    Load();
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(p_.MarkingQuantity[k], 100 + k) << k;
        EXPECT_EQ(p_.MarkingDirection[k], 0.5f * static_cast<float>(k)) << k;
        EXPECT_EQ(p_.MarkingColor[k], p.MarkingColor[k]) << k;
    }
    EXPECT_EQ(std::memcmp(&p_.StepLeftDepth, &p.StepLeftDepth, 6), 0);
    EXPECT_EQ(std::memcmp(&p_.StepBottomWidth, &p.StepBottomWidth, 6), 0);
    EXPECT_EQ(At<std::uint32_t>(p_, 10012), 0u) << "the reserved bytes after the directions stay zero";
}

TEST_F(SettingsFolder, AnActiveTabOutsideTheTabsOpensTabZero) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {{11, 0}, {12, 0}, {-1, 0}, {10, 10}, {3, 3}};
    for (auto [stored, shown] : cases) {
        Bytes file = kHeader;
        Record(file, 409, Le<std::int32_t>(stored));
        file.insert(file.end(), kEnd.begin(), kEnd.end());
        Write(DefPath(), file);
        Load();
        EXPECT_EQ(p_.ActiveTab, shown) << stored;
    }
}

TEST_F(SettingsFolder, WorkingCopiesGoThroughTheFile) {
    SetTemplateDefaults(p_, working_);
    for (int k = 0; k < kQuadrilateralKinds; ++k)
        for (int slot = 0; slot < 8; ++slot) working_[k].Slot[slot] = 10 * k + slot;
    MatrixSettings m;
    m.Columns = 3;
    m.Rows = 2;
    m.HorizontalIncrement = 12.5L;
    m.VerticalIncrement = 0.1L;  // narrowed to a single in the file
    m.HorizontalFromContact = 1;
    ASSERT_TRUE(SaveTemplateSettings(Folder(), 7, p_, working_, m));

    QuadrilateralSet saved[kQuadrilateralKinds];
    std::memcpy(static_cast<void*>(saved), working_, sizeof saved);
    Load();
    EXPECT_EQ(p_.ActiveTab, 7);
    EXPECT_EQ(matrix_.Columns, 3);
    EXPECT_EQ(matrix_.Rows, 2);
    EXPECT_EQ(matrix_.HorizontalIncrement.ToLongDouble(), 12.5L);
    EXPECT_EQ(matrix_.VerticalIncrement.ToLongDouble(), Real48(static_cast<long double>(0.1f)).ToLongDouble());
    EXPECT_EQ(matrix_.HorizontalFromContact, 1);
    EXPECT_EQ(matrix_.VerticalFromContact, 0);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(std::memcmp(&working_[k], &saved[k], 64), 0) << k;
    // Set 4 carries every slot but 3; set 5 is not stored.
    for (int slot : {0, 1, 2, 4, 5, 6, 7}) EXPECT_EQ(working_[4].Slot[slot], 40 + slot);
    EXPECT_EQ(working_[4].Slot[3], 0);
    EXPECT_EQ(working_[5].Slot[0], 0);
    EXPECT_EQ(working_[5].Slot[2], 500);
}

TEST_F(SettingsFolder, TheOlderRawFileIsReadWhenTheCurrentOneIsMissing) {
    TemplateParameters raw = RandomParameters(9);
    raw.ActiveTab = 12;
    raw.PolygonSides = 9;
    raw.TombstoneItems[3].RunTime[0] = 0xDEADBEEF;
    raw.DirectionTypedFlags = 0xFFFF;
    const auto* b = reinterpret_cast<const std::uint8_t*>(&raw);
    Write(OlderPath(), Bytes(b, b + sizeof raw));
    Load();
    EXPECT_EQ(p_.PolygonSides, 9);
    EXPECT_EQ(p_.ActiveTab, 0);
    EXPECT_EQ(p_.TombstoneItems[3].RunTime[0], 0u) << "stale run-time references are dropped";
    EXPECT_EQ(p_.DirectionTypedFlags, 0);
    EXPECT_EQ(std::memcmp(&working_[2], &raw.QuadSets[2], 64), 0);

    // The current file wins over the older one.
    Bytes file = kHeader;
    Record(file, 20, Le<std::uint16_t>(4));
    file.insert(file.end(), kEnd.begin(), kEnd.end());
    Write(DefPath(), file);
    Load();
    EXPECT_EQ(p_.PolygonSides, 4);

    // An older file shorter than a record is not used.
    fs::remove(DefPath());
    Write(OlderPath(), Bytes(b, b + 1000));
    Load();
    EXPECT_EQ(p_.PolygonSides, 6);
    EXPECT_NE(Log().lastMessage.find("a record needs 24688"), std::string::npos) << Log().lastMessage;
}

TEST(TemplateSettingsFile, TombstoneItemsThatCannotBeDrawnAreRemoved) {
    struct Case {
        const char* what;
        int kind;
        float x, sizeX, sizeY;
        bool text;
        bool kept;
    } cases[] = {
        {"picture", 0, 10, 50, 40, false, true},
        {"picture at horizontal position 0", 0, 0, 50, 40, false, true},
        {"picture without width", 0, 10, 0, 40, false, false},
        {"picture width below the precision", 0, 10, 0.0004f, 40, false, false},
        {"picture width rounding up", 0, 10, 0.0006f, 40, false, true},
        {"picture without height", 0, 10, 50, 0, false, true},
        {"relief without height", 1, 10, 50, 0, false, false},
        {"engraving without height", 2, 10, 50, -1, false, false},
        {"kind 4 without height", 4, 10, 50, 0, false, false},
        {"text", 3, 10, 5, 0, true, true},
        {"empty text", 3, 10, 5, 8, false, false},
        {"negative width", 1, 10, -3, 8, false, false},
    };
    for (const Case& c : cases) {
        TemplateParameters p;
        ClearTemplateParameters(p);
        TombstoneItem& item = p.TombstoneItems[5];
        item.Flags = (c.kind << 2) | kItemInUse;
        item.X = c.x;
        item.SizeX = c.sizeX;
        item.SizeY = c.sizeY;
        item.FirstFileName = "PIETRA.JPG";
        if (c.text) item.Text[0] = u'A';
        CleanTombstoneItems(p);
        EXPECT_EQ(item.Flags != 0, c.kept) << c.what;
        if (!c.kept) {
            EXPECT_TRUE(item.FirstFileName.empty()) << c.what << ": all 836 bytes zeroed";
        }
    }
}

TEST(TemplateSettingsFile, ALongPayloadFillsOnlyItsField) {
    Bytes file = kHeader;
    Record(file, 410, Bytes(100, 5));  // a 30-character text with 99 bytes behind its length byte
    Record(file, 411, {2, 'O', 'K'});
    Record(file, 20, Le<std::uint16_t>(8));
    file.insert(file.end(), kEnd.begin(), kEnd.end());
    StreamPtr s(NewMemoryStream(file.data(), file.size()));
    TemplateParameters p;
    LoadConfigByVars(s.get(), p);
    EXPECT_EQ(p.MarkingText[0].size(), 5u);
    EXPECT_EQ(p.MarkingText[1].view(), "OK");
    EXPECT_EQ(p.PolygonSides, 8);
    EXPECT_EQ(Log().lastMessage, "LoadConfigByVars long record :410 100 (field 31)");
}

TEST(TemplateSettingsFile, ReadingStopsAtTheEndRecordAndSkipsPastTheEndRecords) {
    Bytes file = kHeader;
    Record(file, 20, Le<std::uint16_t>(8));
    Put16(file, 60);  // a payload that would pass the end: the next header follows this one
    Put16(file, 5000);
    Record(file, 63, Le<std::int32_t>(4));
    file.insert(file.end(), kEnd.begin(), kEnd.end());
    Record(file, 60, Le<std::int32_t>(9));  // after the end record
    StreamPtr s(NewMemoryStream(file.data(), file.size()));
    TemplateParameters p;
    LoadConfigByVars(s.get(), p);
    EXPECT_EQ(p.PolygonSides, 8);
    EXPECT_EQ(p.CutsVerticalCount, 4);
    EXPECT_EQ(p.CutsHorizontalCount, 0);
}

namespace {
// A stream that fails after `limit` bytes, as a broken disk would.
struct FailingStream {
    KvdStream base;
    Bytes bytes;
    std::int64_t pos = 0, limit = 0;
};
const KvdStreamVtbl kFailingVtbl = {
    [](KvdStream* s, void* buf, std::int64_t n) -> std::int64_t {
        auto* f = reinterpret_cast<FailingStream*>(s);
        if (f->pos + n > f->limit) return -1;
        std::memcpy(buf, f->bytes.data() + f->pos, static_cast<std::size_t>(n));
        f->pos += n;
        return n;
    },
    [](KvdStream*, const void*, std::int64_t) -> std::int64_t { return -1; },
    [](KvdStream* s, std::int64_t off, std::int32_t origin) -> std::int64_t {
        auto* f = reinterpret_cast<FailingStream*>(s);
        f->pos = (origin == KvdSeekBegin ? 0 : origin == KvdSeekCurrent ? f->pos : std::int64_t(f->bytes.size())) + off;
        return f->pos;
    },
    [](KvdStream* s) -> std::int64_t { return std::int64_t(reinterpret_cast<FailingStream*>(s)->bytes.size()); },
    [](KvdStream*) {},
};
}  // namespace

TEST(TemplateSettingsFile, AReadErrorIsLoggedAndKeepsWhatWasRead) {
    FailingStream f{{&kFailingVtbl}, SavedDefaults(), 0, 0};
    f.limit = 6 + 12 + 8 + 8 + 6 + 3;  // fails inside record 21
    TemplateParameters p;
    LoadConfigByVars(&f.base, p);
    EXPECT_EQ(p.PolygonSides, 6);
    EXPECT_EQ(p.PolygonSide.ToLongDouble(), 0);
    EXPECT_EQ(Log().lastMessage, "LoadConfigByVars ERROR: stream read error");
}

TEST_F(SettingsFolder, AFailedSaveLeavesTheOldFileWhole) {
    SetTemplateDefaults(p_, working_);
    ASSERT_TRUE(SaveTemplateSettings(Folder(), 2, p_, working_, MatrixSettings{}));
    const Bytes before = ReadWholeFile(DefPath());

    // Let the next write fail half-way: files may not grow past 4 KiB.
    struct sigaction ignore{}, old{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &old);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    p_.PolygonSides = 12;
    const bool ok = SaveTemplateSettings(Folder(), 5, p_, working_, MatrixSettings{});
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &old, nullptr);

    EXPECT_FALSE(ok);
    EXPECT_EQ(Log().lastMessage.rfind("SaveConfigByVars ERROR: ", 0), 0u) << Log().lastMessage;
    EXPECT_EQ(ReadWholeFile(DefPath()), before);
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir_)) entries += e.is_regular_file();
    EXPECT_EQ(entries, 1) << "no temporary file is left";
}

TEST_F(SettingsFolder, TheLibraryStateUsesTheHostFolder) {
    ::setenv("KVD_HOST_DIR", Folder().c_str(), 1);
    SetTemplateDefaults();
    WorkingMatrix.Columns = 4;
    TemplateParams.EllipseWidth = 123;
    ASSERT_TRUE(SaveTemplateSettings(3));
    EXPECT_TRUE(fs::exists(DefPath()));
    SetTemplateDefaults();
    WorkingMatrix = MatrixSettings{};
    LoadTemplateSettings();
    ::unsetenv("KVD_HOST_DIR");
    EXPECT_EQ(TemplateParams.ActiveTab, 3);
    EXPECT_EQ(TemplateParams.EllipseWidth.ToLongDouble(), 123);
    EXPECT_EQ(WorkingMatrix.Columns, 4);
}

TEST(TemplateSettingsFile, EachRecordCarriesTheBytesAtItsFieldsOffset) {
    // (id, offset, size) from the record's tables; texts compare length + 1 bytes.
    std::vector<std::tuple<int, std::size_t, std::size_t>> cases = {
        {18, 2272, 4},   {19, 2276, 4},   {20, 0, 2},      {25, 40, 6},     {28, 64, 6},     {29, 72, 8},
        {31, 88, 8},     {32, 104, 8},    {35, 128, 8},    {36, 136, 8},    {56, 320, 8},    {582, 96, 8},
        {585, 288, 8},   {586, 328, 8},   {589, 360, 8},   {593, 352, 8},   {594, 392, 8},   {601, 416, 8},
        {57, 456, 6},    {59, 472, 6},    {60, 480, 4},    {62, 496, 6},    {63, 504, 4},    {65, 520, 6},
        {66, 528, 8},    {73, 564, 4},    {74, 568, 48},   {75, 640, 8},    {79, 672, 8},    {80, 680, 1},
        {81, 681, 1},    {82, 688, 8},    {95, 640 + 2 * 48 + 41, 1}, {96, 784, 8}, {99, 808, 1},
        {119, 784 + 5 * 32 + 24, 1},      {120, 976, 8},   {152, 1232, 8},  {160, 1296, 8},  {175, 1360 + 32 + 24, 1},
        {176, 1424, 4},  {177, 1432, 8},  {195, 1576, 8},  {196, 1584, 8},  {201, 1624, 8},  {205, 1656, 8},
        {206, 1664, 4},  {209, 1676, 4},  {210, 1680, 8},  {230, 1680 + 96 + 41, 1},      {231, 1824, 8},
        {254, 1824 + 5 * 32 + 24, 1},     {255, 2016, 8},  {286, 2016 + 7 * 32 + 24, 1},  {288, 2280, 1},
        {289, 2281, 1},  {400, 9248, 8},  {402, 9264, 8},  {403, 9280, 8},  {406, 9304, 8},  {407, 9312, 6},
        {408, 9318, 2},  {409, 9320, 4},  {410, 9324, 1},  {425, 9324 + 15 * 31, 31},      {426, 9820, 4},
        {441, 9880, 4},  {442, 9884, 4},  {457, 9944, 4},  {458, 9948, 4},  {473, 10008, 4}, {474, 10016, 6},
        {481, 10072, 6}, {482, 10078, 129}, {484, 10336, 4}, {485, 10696, 18}, {602, 24208, 4},
        {603, 24216, 6}, {604, 24222, 6}, {605, 24352, 4}, {606, 24360, 6}, {607, 24368, 6}, {628, 24352 + 7 * 24 + 16, 6},
        {629, 10344, 6}, {630, 10352, 6}, {631, 10368, 6}, {632, 10376, 6}, {633, 10384, 6}, {634, 10392, 6},
        {635, 10400, 6}, {636, 10408, 6}, {637, 10416, 6}, {638, 10688, 1}, {639, 10424, 6}, {640, 10360, 6},
        {641, 24548, 4}, {642, 24552, 4}, {643, 24556, 4}, {644, 24560, 4}, {645, 24564, 1}, {646, 24565, 1},
        {647, 24568, 4}, {648, 24572, 4}, {777, 616, 4}, {780, 628, 4}, {781, 632, 4}, {782, 636, 4},
    };
    for (std::size_t k = 0; k < 16; ++k) {
        const std::size_t item = 10828 + 836 * k;
        const int i = static_cast<int>(k);
        cases.insert(cases.end(), {{486 + 6 * i, item, 4},
                                   {487 + 6 * i, item + 4, 4},
                                   {488 + 6 * i, item + 8, 4},
                                   {489 + 6 * i, item + 12, 4},
                                   {490 + 6 * i, item + 44, 8 * k + 1},
                                   {491 + 6 * i, item + 176, 4},
                                   {649 + 2 * i, item + 192, 129 - k},
                                   {650 + 2 * i, item + 322, 512},
                                   {681 + i, item + 16, 4},
                                   {697 + i, item + 20, 4}});
    }
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t side = 24576 + 28 * k;
        const int i = static_cast<int>(k);
        cases.insert(cases.end(), {{749 + i, side, 1},
                                   {753 + i, side + 4, 4},
                                   {757 + i, side + 8, 4},
                                   {761 + i, side + 12, 4},
                                   {765 + i, side + 16, 4},
                                   {769 + i, side + 20, 4},
                                   {773 + i, side + 24, 4}});
    }
    TemplateParameters p = RandomParameters(77);
    StreamPtr s(NewMemoryStream());
    SaveConfigByVars(s.get(), p);
    const Bytes file = *MemoryStreamBytes(s.get());
    std::map<int, Rec> byId;
    for (const Rec& r : Walk(file)) byId[r.id] = r;
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&p);
    for (auto [id, offset, size] : cases) {
        ASSERT_TRUE(byId.count(id)) << id;
        const Rec& r = byId[id];
        EXPECT_EQ(r.length, size) << id;
        EXPECT_EQ(std::memcmp(file.data() + r.at + 4, raw + offset, std::min<std::size_t>(size, r.length)), 0) << id;
    }
}
