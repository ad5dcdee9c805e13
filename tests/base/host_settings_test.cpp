#include "base/host_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "base/log.h"
#include "base/streams.h"
#include "kvd/error.h"
#include "kvd/real48.h"
#include "tagged_stream_builder.h"

using namespace kvd;
using kvd::test::TaggedBytes;

namespace {

TaggedBytes& First(TaggedBytes& b) { return b.Value<std::uint16_t>(0, 0xFFF1); }
TaggedBytes& Last(TaggedBytes& b) { return b.Value<std::uint16_t>(889, 0xEEE1); }

struct Loaded {
    HostSettings settings;
    WorkRecord work;
    std::vector<std::uint8_t> record952;
    std::uint8_t presence = 0;
};

Loaded LoadStream(const std::vector<std::uint8_t>& bytes) {
    Loaded out;
    StreamPtr s(NewMemoryStream(bytes.data(), bytes.size()));
    StreamSkip(s.get(), static_cast<std::int64_t>(bytes.size()));  // the reader seeks to the start itself
    out.presence = LoadDfltByVar(s.get(), out.settings, out.work, out.record952);
    return out;
}

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// Settings with every field random; strings get valid lengths.
HostSettings RandomSettings(unsigned seed) {
    std::mt19937 rng(seed);
    HostSettings s;
    for (const HostField& f : HostFields()) {
        std::uint8_t* p = s.bytes.data() + f.storeOffset;
        for (int i = 0; i < f.size; ++i) p[i] = static_cast<std::uint8_t>(rng());
        if (f.kind == HostFieldKind::String) p[0] = static_cast<std::uint8_t>(p[0] % f.size);
        if (f.kind == HostFieldKind::Real) {
            Real48 r(static_cast<long double>(static_cast<std::int32_t>(rng())) / 1024.0L);
            std::memcpy(p, &r, 6);
        }
    }
    return s;
}

}  // namespace

TEST(HostSettings, FieldTableHoldsTheHostsOffsetsAndKinds) {
    using K = HostFieldKind;
    struct Case {
        std::uint16_t id;
        K kind;
        int size;
        std::int32_t blockOffset;
    } cases[] = {
        {141, K::U32, 4, 2532},   {396, K::U32, 4, 2532 + 4 * 255}, {71, K::Byte, 1, 1125},
        {88, K::U32, 4, 1580},    {102, K::U32, 4, 1636},           {890, K::Byte, 1, 4},
        {648, K::Byte, 1, 6341},  {37, K::Byte, 1, 1004},           {408, K::Byte, 1, 3743},
        {133, K::U16, 2, 2504},   {869, K::U32, 4, 8295},           {1503, K::Byte, 1, kStreamOnly},
        {1504, K::Byte, 1, kStreamOnly}, {403, K::String, 51, 3580}, {891, K::String, 32, 10794},
        {892, K::Byte, 1, 10826}, {138, K::U16, 2, 2518},           {11, K::Real, 6, 784},
        {20, K::Real, 6, 838},    {1, K::Byte, 1, 0},               {4, K::Byte, 1, 3},
        {5, K::String, 128, 5},
        // stream-only fields with defaults
        {912, K::Byte, 1, kStreamOnly}, {924, K::U32, 4, kStreamOnly}, {926, K::Single, 4, kStreamOnly},
        {933, K::U16, 2, kStreamOnly},  {944, K::U32, 4, kStreamOnly}, {955, K::Single, 4, kStreamOnly},
        {978, K::Single, 4, kStreamOnly},
    };
    for (const Case& c : cases) {
        const HostField* f = FindHostField(c.id);
        ASSERT_NE(f, nullptr) << c.id;
        EXPECT_EQ(f->kind, c.kind) << c.id;
        EXPECT_EQ(f->size, c.size) << c.id;
        EXPECT_EQ(f->blockOffset, c.blockOffset) << c.id;
    }
    // Ids 1..140 lie in id order from offset 0; every block field fits the block.
    std::int32_t previous = -1;
    for (std::uint16_t id = 1; id <= 140; ++id) {
        EXPECT_GT(FindHostField(id)->blockOffset, previous) << id;
        previous = FindHostField(id)->blockOffset;
    }
    std::size_t storeEnd = 0;
    for (const HostField& f : HostFields()) {
        if (f.blockOffset != kStreamOnly) {
            EXPECT_LE(f.blockOffset + f.size, 10834) << f.id;
        }
        storeEnd = std::max<std::size_t>(storeEnd, f.storeOffset + f.size);
    }
    EXPECT_LE(storeEnd, sizeof(HostSettings::bytes));
    EXPECT_EQ(sizeof(HostSettings::bytes), 11632u);
    // Ids outside the known ranges have no field.
    for (std::uint16_t id : {526, 600, 625, 654, 853, 895, 920, 921, 950, 982, 990, 1298, 1499, 1517, 2000})
        EXPECT_EQ(FindHostField(id), nullptr) << id;
}

TEST(HostSettings, AStreamWithOnlyTheFirstAndLastRecordsLeavesTheDefaults) {
    TaggedBytes b;
    Last(First(b));
    WriteLog("host marker");
    Loaded l = LoadStream(b.bytes);
    EXPECT_EQ(l.presence, 7);
    EXPECT_EQ(Log().lastMessage, "host marker") << "no line for a complete stream";
    const HostSettings& s = l.settings;
    EXPECT_EQ(s.Byte(912), 1);
    EXPECT_EQ(s.U32(924), 0u);
    EXPECT_EQ(s.Single(926), 0.05f);
    EXPECT_EQ(s.U16(933), 0xFFFF);
    EXPECT_EQ(s.U16(938), 0xFFFF);
    EXPECT_EQ(s.U32(944), 7000u);
    EXPECT_EQ(s.Single(955), 0.0f);
    EXPECT_EQ(s.Single(956), 0.0f);
    EXPECT_EQ(s.U32(964), 2u);
    EXPECT_EQ(s.U32(965), 1u);
    const std::pair<std::uint16_t, float> singles[] = {{967, 45}, {968, 46}, {969, 50}, {970, 150}, {971, 150},
                                                      {974, 60}, {975, 50}, {976, 50}, {977, 10}, {978, 30}};
    for (auto [id, v] : singles) EXPECT_EQ(s.Single(id), v) << id;
    // Everything else is zero.
    EXPECT_EQ(s.DefaultColorIndex(), 0);
    EXPECT_EQ(s.HostPalette(17), 0u);
    EXPECT_EQ(s.LanguageName(), "");
    EXPECT_EQ(s.Single(972), 0.0f);
    EXPECT_EQ(s.U32(966), 0u);
}

TEST(HostSettings, AStreamRecordSetsABlockFieldExactlyAsTheBlockByteWould) {
    // Block: bytes placed at the host's offsets by hand.
    std::vector<std::uint8_t> block(kHostBlockSize, 0);
    block[1125] = 42;                                   // id 71
    const std::uint32_t colour = 0x00336699;
    std::memcpy(block.data() + 2532 + 4 * 5, &colour, 4);  // palette index 5 (id 146)
    block[3580] = 7;                                    // id 403, "ENGLISH"
    std::memcpy(block.data() + 3581, "ENGLISH", 7);
    HostSettings fromBlock;
    WorkRecord work;
    LoadHostBlock(block.data(), fromBlock, work);

    TaggedBytes b;
    First(b).Record(71, {42}).Value<std::uint32_t>(146, colour).Record(403, {7, 'E', 'N', 'G', 'L', 'I', 'S', 'H'});
    Last(b);
    Loaded l = LoadStream(b.bytes);
    for (std::uint16_t id : {71, 146, 403}) {
        const HostField* f = FindHostField(id);
        EXPECT_EQ(std::memcmp(l.settings.FieldData(id), fromBlock.FieldData(id), f->size), 0) << id;
    }
    EXPECT_EQ(l.settings.DefaultColorIndex(), 42);
    EXPECT_EQ(l.settings.HostPalette(5), colour);
    EXPECT_EQ(l.settings.LanguageName(), "ENGLISH");
}

TEST(HostSettings, TemplateAfterTemplate7KeepsTheStreamOnlyFields) {
    TaggedBytes b;
    First(b).Value<std::uint32_t>(944, 1234).Record(1503, {9}).Record(71, {3});
    Last(b);
    Loaded l = LoadStream(b.bytes);
    std::vector<std::uint8_t> block(kHostBlockSize, 0);
    block[1125] = 8;
    LoadHostBlock(block.data(), l.settings, l.work);
    EXPECT_EQ(l.settings.U32(944), 1234u);
    EXPECT_EQ(l.settings.SideWallLevel(), 9);
    EXPECT_EQ(l.settings.U32(964), 2u);
    EXPECT_EQ(l.settings.DefaultColorIndex(), 8) << "block fields are overwritten";
}

TEST(HostSettings, ExtraIdsAreSkippedWithTheirLogLine) {
    TaggedBytes b;
    First(b).Record(626, std::vector<std::uint8_t>(64, 0x11)).Record(600, {1, 2, 3});
    Last(b);
    Loaded l = LoadStream(b.bytes);
    EXPECT_EQ(Log().lastMessage, "TailFromStream: LoadDfltByVar extra :600 3");
    EXPECT_EQ(l.settings.FieldData(626)[63], 0x11) << "626 is a known id";
    EXPECT_EQ(l.presence, 7);

    TaggedBytes c;
    First(c).Record(2000, {0xDE, 0xAD, 0xBE}).Record(71, {5});
    Last(c);
    Loaded m = LoadStream(c.bytes);
    EXPECT_EQ(Log().lastMessage, "TailFromStream: LoadDfltByVar extra :2000 3");
    EXPECT_EQ(m.settings.DefaultColorIndex(), 5) << "the next record is read";
}

TEST(HostSettings, MissingFirstOrLastRecordsAreLoggedAndDoNotStopTheCall) {
    TaggedBytes noFirst;
    noFirst.Record(71, {4});
    Last(noFirst);
    Loaded a = LoadStream(noFirst.bytes);
    EXPECT_EQ(Log().lastMessage, "LoadDfltByVar ERROR: the first record is missing");
    EXPECT_EQ(a.settings.DefaultColorIndex(), 4);
    EXPECT_EQ(a.presence, 5);

    TaggedBytes noLast;
    First(noLast).Record(71, {6});
    Loaded c = LoadStream(noLast.bytes);
    EXPECT_EQ(Log().lastMessage, "LoadDfltByVar ERROR: the last record is missing");
    EXPECT_EQ(c.settings.DefaultColorIndex(), 6);
    EXPECT_EQ(c.presence, 3);

    Loaded empty = LoadStream({});
    EXPECT_EQ(Log().lastMessage, "LoadDfltByVar ERROR: the first record is missing");
    EXPECT_EQ(empty.settings.U32(944), 7000u);
}

TEST(HostSettings, PayloadsShorterOrLongerThanTheField) {
    // Shorter: the field's first bytes change, the rest keeps its default.
    TaggedBytes s;
    First(s).Record(944, {0x01, 0x00});
    Last(s);
    EXPECT_EQ(LoadStream(s.bytes).settings.U32(944), 0x00000001u);  // 7000 = $1B58: both low bytes replaced
    TaggedBytes s2;
    First(s2).Record(944, {0xFF});
    Last(s2);
    EXPECT_EQ(LoadStream(s2.bytes).settings.U32(944), 0x1BFFu);

    // Longer: the field takes its size, the rest is read past and logged.
    TaggedBytes l;
    First(l).Record(71, {9, 0x77, 0x77}).Record(1504, {1});
    Last(l);
    Loaded r = LoadStream(l.bytes);
    EXPECT_EQ(r.settings.DefaultColorIndex(), 9);
    EXPECT_EQ(r.settings.Real(72), 0.0L) << "the following field is not overrun";
    EXPECT_EQ(r.settings.SideWallGate(), 1);
    EXPECT_EQ(r.presence, 7);
    TaggedBytes l2;
    First(l2).Record(891, std::vector<std::uint8_t>(300, 'F'));
    Last(l2);
    Loaded r2 = LoadStream(l2.bytes);
    EXPECT_EQ(Log().lastMessage, "LoadDfltByVar long record :891 300 (field 32)");
    EXPECT_EQ(r2.settings.LanguageFontName().size(), 31u) << "a length byte beyond the field is clamped";
    EXPECT_EQ(r2.settings.LanguageFontCharset(), 0);
}

TEST(HostSettings, SpecialIds) {
    TaggedBytes b;
    First(b)
        .Value<std::uint16_t>(128, 0x1234)
        .Record(1299, {1, 2, 3, 4})
        .Record(32767, std::vector<std::uint8_t>(8, 0x55))
        .Record(952, {0xA, 0xB, 0xC})
        .Record(71, {0})  // a zero-length record is passed over ...
        .Header(37, 0)
        .Record(37, {3});  // ... and the next one read
    Last(b).Value(1, 7.0f);  // after 889 the settings part is over
    WriteLog("special marker");
    Loaded l = LoadStream(b.bytes);
    EXPECT_EQ(Log().lastMessage, "special marker");
    EXPECT_EQ(l.settings.U16(128), 0) << "record 128 is ignored";
    EXPECT_EQ(l.record952, (std::vector<std::uint8_t>{0xA, 0xB, 0xC}));
    EXPECT_EQ(l.settings.OptionByte37(), 3);
    EXPECT_EQ(l.settings.Byte(1), 0);
}

TEST(HostSettings, RecordsRunningPastTheEndAreNotApplied) {
    TaggedBytes b;
    First(b).Header(1503, 40).Record(1504, {2});
    Loaded l = LoadStream(b.bytes);
    EXPECT_EQ(l.settings.SideWallLevel(), 0);
    EXPECT_EQ(l.settings.SideWallGate(), 2) << "the next header follows the short record's header";
}

TEST(HostSettings, TheMachiningRecordFollowsTheSettings) {
    WorkRecord w;
    w.Clear();
    w.SetToolDiameter(18.0f);
    w.SetCutWidth(3.5f);
    StreamPtr s(NewMemoryStream());
    HostSettings settings;
    SetHostDefaults(settings);
    SaveDfltByVar(s.get(), settings, w);
    const auto& bytes = *MemoryStreamBytes(s.get());
    Loaded l = LoadStream(bytes);
    EXPECT_EQ(l.work.ToolDiameter(), 18.0f);
    EXPECT_EQ(l.work.CutWidth(), 3.5f);
}

TEST(HostSettings, StreamWriterAndBlockWriterRoundTrip) {
    HostSettings s = RandomSettings(11);
    WorkRecord w;
    w.Clear();
    w.SetToolDiameter(4.0f);
    w.Name = "DISCO";
    const std::vector<std::uint8_t> r952 = {1, 2, 3, 4, 5};

    StreamPtr stream(NewMemoryStream());
    SaveDfltByVar(stream.get(), s, w, r952);
    Loaded l = LoadStream(*MemoryStreamBytes(stream.get()));
    EXPECT_EQ(l.presence, 7);
    for (const HostField& f : HostFields()) {
        if (f.id == 128) continue;  // the stream does not carry it
        EXPECT_EQ(std::memcmp(l.settings.FieldData(f.id), s.FieldData(f.id), f.size), 0) << f.id;
    }
    EXPECT_EQ(std::memcmp(&l.work, &w, sizeof w), 0);
    EXPECT_EQ(l.record952, r952);

    std::vector<std::uint8_t> block(kHostBlockSize, 0xCD);
    SaveHostBlock(s, w, block.data());
    EXPECT_EQ(U32At(block, 2532 + 4 * 200), s.HostPalette(200));
    EXPECT_EQ(block[1125], s.DefaultColorIndex());
    EXPECT_EQ(block[4], s.FileTypeIndex());
    EXPECT_EQ(block[10826], s.LanguageFontCharset());
    EXPECT_EQ(block[4556 + 512], 5) << "machining name inside the WorkRecord6";
    EXPECT_EQ(block[4555], 0xCD) << "host bytes between fields are left alone";

    HostSettings back;
    SetHostDefaults(back);
    back.SetU32(944, 77);
    WorkRecord wb;
    LoadHostBlock(block.data(), back, wb);
    for (const HostField& f : HostFields()) {
        if (f.blockOffset == kStreamOnly) continue;
        EXPECT_EQ(std::memcmp(back.FieldData(f.id), s.FieldData(f.id), f.size), 0) << f.id;
    }
    EXPECT_EQ(back.U32(944), 77u);
    EXPECT_EQ(wb.ToolDiameter(), 4.0f);
    EXPECT_EQ(wb.Name.view(), "DISCO");
}

TEST(HostSettings, BlockNormalisesRealsAndCopiesStringsWhole) {
    std::vector<std::uint8_t> block(kHostBlockSize, 0);
    // id 20 at 838: exponent 0 with a fraction is the value 0.
    const std::uint8_t unnormal[6] = {0, 1, 2, 3, 4, 5};
    std::memcpy(block.data() + 838, unnormal, 6);
    // id 11 at 784: 0.001.
    Real48 tol(0.001L);
    std::memcpy(block.data() + 784, &tol, 6);
    // id 891 at 10794: a length byte of 200 for a 31-character field.
    block[10794] = 200;
    std::memset(block.data() + 10795, 'A', 31);
    block[10826] = 0xEE;
    HostSettings s;
    WorkRecord w;
    LoadHostBlock(block.data(), s, w);
    const std::uint8_t zero[6] = {};
    EXPECT_EQ(std::memcmp(s.FieldData(20), zero, 6), 0);
    EXPECT_EQ(s.EllipseTolerance(), 0.0L);
    EXPECT_EQ(s.ParallelTolerance(), Real48(0.001L).ToLongDouble());
    EXPECT_EQ(s.FieldData(891)[0], 200) << "the length byte is taken as is";
    EXPECT_EQ(s.LanguageFontName(), std::string(31, 'A'));
    EXPECT_EQ(s.LanguageFontCharset(), 0xEE);
}

TEST(HostSettings, SideWallsAreOfferedUnlessLevelBelow9AndGateZero) {
    struct Case {
        std::uint8_t level, gate;
        bool offered;
    } cases[] = {{0, 0, false}, {8, 0, false}, {9, 0, true}, {0, 1, true}, {8, 1, true}, {200, 0, true}};
    for (const Case& c : cases) {
        HostSettings s;
        s.SetByte(1503, c.level);
        s.SetByte(1504, c.gate);
        EXPECT_EQ(s.OffersSideWalls(), c.offered) << int(c.level) << " " << int(c.gate);
    }
}

TEST(HostSettings, TypedAccessRejectsTheWrongKind) {
    HostSettings s;
    EXPECT_THROW(s.U32(71), Error);
    EXPECT_THROW(s.Byte(600), Error);
    EXPECT_EQ(s.FieldData(600), nullptr);
    s.SetString(403, std::string(80, 'x'));
    EXPECT_EQ(s.LanguageName().size(), 50u);
}

TEST(HostSettings, GlobalEntryPointsUseTheLibraryState) {
    HostBlockCopy.fill(0);
    HostBlockCopy[1125] = 12;
    const float d = 9.0f;
    std::memcpy(HostBlockCopy.data() + 4556, &d, 4);
    SetHostDefaults();
    LoadHostBlock();
    EXPECT_EQ(Host.DefaultColorIndex(), 12);
    EXPECT_EQ(Host.U32(944), 7000u);
    EXPECT_EQ(CurrentWork.ToolDiameter(), d);

    TaggedBytes b;
    First(b).Record(648, {7}).Record(952, {1});
    Last(b);
    StreamPtr s(NewMemoryStream(b.bytes.data(), b.bytes.size()));
    LoadDfltByVar(s.get());
    EXPECT_EQ(HostPresenceFlags, 7);
    EXPECT_EQ(Host.MachiningFileTypeIndex(), 7);
    EXPECT_EQ(Host.DefaultColorIndex(), 0) << "Template7 starts from the defaults";
    EXPECT_EQ(CurrentWork.ToolDiameter(), 0.0f);
    EXPECT_EQ(HostRecord952, std::vector<std::uint8_t>{1});
    EXPECT_STREQ(HostFileTypeExtension(Host.MachiningFileTypeIndex()), ".ZL6");
    TaggedBytes again;
    Last(First(again));
    StreamPtr s2(NewMemoryStream(again.bytes.data(), again.bytes.size()));
    LoadDfltByVar(s2.get());
    EXPECT_TRUE(HostRecord952.empty()) << "each Template7 call starts afresh";
    EXPECT_STREQ(HostFileTypeExtension(20), "");
}
