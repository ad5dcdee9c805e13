#include "base/work_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <vector>

#include "base/log.h"
#include "base/streams.h"
#include "base/tagged_records.h"
#include "tagged_stream_builder.h"

using namespace kvd;
using kvd::test::TaggedBytes;

namespace {

WorkRecord Cleared() {
    WorkRecord w;
    w.Clear();
    return w;
}

// Every tagged field filled with random bytes; texts get valid lengths.
WorkRecord RandomWork(unsigned seed) {
    std::mt19937 rng(seed);
    WorkRecord w = Cleared();
    auto* b = reinterpret_cast<std::uint8_t*>(&w);
    for (std::size_t i = 0; i < offsetof(WorkRecord, Reserved); ++i) b[i] = static_cast<std::uint8_t>(rng());
    w.Name.length = 127;
    w.Text185.length = 0;  // bytes past a text's length are not carried
    std::memset(w.Text185.chars, 0, sizeof w.Text185.chars);
    w.Text228.length = 63;
    w.Text236.length = 10;
    std::memset(w.Text236.chars + 10, 0, sizeof w.Text236.chars - 10);
    return w;
}

std::vector<std::uint8_t> Saved(const WorkRecord& w, std::size_t prefix = 0) {
    StreamPtr s(NewMemoryStream());
    std::vector<std::uint8_t> pad(prefix, 0xAB);
    WriteAll(s.get(), pad.data(), static_cast<std::int64_t>(pad.size()));
    EXPECT_TRUE(SaveWorkByVar(s.get(), w, false));
    EXPECT_EQ(StreamPosition(s.get()), StreamSize(s.get())) << "left at the end";
    return *MemoryStreamBytes(s.get());
}

bool Load(const std::vector<std::uint8_t>& bytes, WorkRecord& w, std::size_t from = 0) {
    StreamPtr s(NewMemoryStream(bytes.data(), bytes.size()));
    StreamSeek(s.get(), static_cast<std::int64_t>(from));
    return LoadWorkByVar(s.get(), w, false);
}

struct Rec {
    std::uint16_t id, length;
    std::size_t at;
};
std::vector<Rec> Walk(const std::vector<std::uint8_t>& b, std::size_t from) {
    std::vector<Rec> out;
    for (std::size_t p = from; p + 4 <= b.size();) {
        Rec r{static_cast<std::uint16_t>(b[p] | b[p + 1] << 8), static_cast<std::uint16_t>(b[p + 2] | b[p + 3] << 8), p};
        out.push_back(r);
        p += 4 + r.length;
    }
    return out;
}

std::filesystem::path TempDir() {
    auto d = std::filesystem::temp_directory_path() / ("kvd_work_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
}

}  // namespace

TEST(WorkRecord, LayoutOfTheFieldsThisSystemReads) {
    WorkRecord w = Cleared();
    w.SetToolDiameter(12.5f);
    w.SetCutWidth(3.25f);
    float at0, at68;
    std::memcpy(&at0, reinterpret_cast<const char*>(&w) + 0, 4);
    std::memcpy(&at68, reinterpret_cast<const char*>(&w) + 68, 4);
    EXPECT_EQ(at0, 12.5f);
    EXPECT_EQ(at68, 3.25f);
    for (std::uint16_t id = 1; id <= 50; ++id) {
        ASSERT_NE(WorkFieldOf(id), nullptr);
        EXPECT_EQ(WorkFieldOf(id)->offset, 4 * (id - 1));
        EXPECT_EQ(WorkFieldOf(id)->size, 4);
    }
    for (std::uint16_t id : {0, 172, 234, 237, 300, 32766, 32767}) EXPECT_EQ(WorkFieldOf(id), nullptr) << id;
    for (std::uint16_t id : {169, 185, 228, 236}) EXPECT_TRUE(WorkFieldOf(id)->text) << id;
}

TEST(WorkRecord, SaveThenLoadGivesBackEveryFieldAndTheLengthRecordHoldsTheRecordLength) {
    for (std::size_t prefix : {std::size_t{0}, std::size_t{7}}) {
        WorkRecord w = RandomWork(42);
        std::vector<std::uint8_t> bytes = Saved(w, prefix);
        // Opening: record 0 with $FFF1, then the length record.
        const std::vector<std::uint8_t> head = {0x00, 0x00, 0x02, 0x00, 0xF1, 0xFF, 0xFF, 0x7F, 0x08, 0x00};
        ASSERT_GE(bytes.size(), prefix + 18);
        EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin() + prefix));
        std::int64_t length;
        std::memcpy(&length, bytes.data() + prefix + 10, 8);
        EXPECT_EQ(length, static_cast<std::int64_t>(bytes.size() - prefix));
        // Closing record: id 172, $EEE1.
        const std::vector<std::uint8_t> tail = {0xAC, 0x00, 0x02, 0x00, 0xE1, 0xEE};
        EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - 6));

        WorkRecord back = Cleared();
        EXPECT_TRUE(Load(bytes, back, prefix));
        EXPECT_EQ(std::memcmp(&back, &w, sizeof w), 0);
        EXPECT_EQ(WorkPresenceFlags & 2, 2);
    }
}

TEST(WorkRecord, FieldRecordsComeInTheirOrderAndTextsCarryTheirLengthPlusOne) {
    WorkRecord w = RandomWork(7);
    std::vector<std::uint8_t> bytes = Saved(w);
    std::vector<Rec> recs = Walk(bytes, 0);
    std::vector<std::uint16_t> ids;
    for (const Rec& r : recs) ids.push_back(r.id);
    std::vector<std::uint16_t> expected = {0, 0x7FFF};
    for (int id = 1; id <= 171; ++id) expected.push_back(static_cast<std::uint16_t>(id));
    for (int id = 173; id <= 233; ++id) expected.push_back(static_cast<std::uint16_t>(id));
    expected.insert(expected.end(), {235, 236, 172});
    EXPECT_EQ(ids, expected);
    for (const Rec& r : recs) {
        if (r.id >= 1 && r.id <= 50) {
            EXPECT_EQ(r.length, 4) << r.id;
        }
        const std::map<std::uint16_t, std::uint16_t> textLengths = {{169, 128}, {185, 1}, {228, 64}, {236, 11}};
        if (auto it = textLengths.find(r.id); it != textLengths.end()) {
            EXPECT_EQ(r.length, it->second) << r.id;
        } else if (r.id != 0 && r.id != 0x7FFF && r.id != 172) {
            EXPECT_TRUE(r.length == 1 || r.length == 2 || r.length == 4 || r.length == 8) << r.id;
        }
    }
}

TEST(WorkRecord, ReaderEdgeCases) {
    const float diameter = 8.0f, width = 4.5f;
    // Ends without the closing record: read up to its last complete record, still true.
    {
        auto b = TaggedBytes().Value<std::uint16_t>(0, 0xFFF1).Value(1, diameter).Value(18, width).Raw({0x13, 0x00});
        WorkRecord w = Cleared();
        EXPECT_TRUE(Load(b.bytes, w));
        EXPECT_EQ(w.ToolDiameter(), diameter);
        EXPECT_EQ(w.CutWidth(), width);
    }
    // A wrong magic stops reading with false; what was read stays.
    {
        auto b = TaggedBytes().Value(1, diameter).Value<std::uint16_t>(0, 0x1234).Value(18, width);
        WorkRecord w = Cleared();
        EXPECT_FALSE(Load(b.bytes, w));
        EXPECT_EQ(w.ToolDiameter(), diameter);
        EXPECT_EQ(w.CutWidth(), 0.0f);
    }
    // Fields without a record keep their values: the reader does not clear.
    {
        auto b = TaggedBytes().Value<std::uint16_t>(0, 0xFFF1).Value(18, width).Value<std::uint16_t>(172, 0xEEE1);
        WorkRecord w = Cleared();
        w.SetToolDiameter(99.0f);
        EXPECT_TRUE(Load(b.bytes, w));
        EXPECT_EQ(w.ToolDiameter(), 99.0f);
        EXPECT_EQ(w.CutWidth(), width);
    }
    // Reading stops at the closing record.
    {
        auto b = TaggedBytes().Value<std::uint16_t>(0, 0xFFF1).Value<std::uint16_t>(172, 0xEEE1).Value(1, diameter);
        WorkRecord w = Cleared();
        EXPECT_TRUE(Load(b.bytes, w));
        EXPECT_EQ(w.ToolDiameter(), 0.0f);
    }
    // A payload past the end is not read; the next header follows its header.
    {
        auto b = TaggedBytes().Value<std::uint16_t>(0, 0xFFF1).Header(18, 40).Value(1, diameter);
        WorkRecord w = Cleared();
        EXPECT_TRUE(Load(b.bytes, w));
        EXPECT_EQ(w.ToolDiameter(), diameter);
        EXPECT_EQ(w.CutWidth(), 0.0f);
    }
}

TEST(WorkRecord, ExtraIdsAreLoggedAndTheObsoleteIdIsNot) {
    WriteLog("work marker");
    auto quiet = TaggedBytes().Value<std::uint16_t>(0, 0xFFF1).Record(234, {1, 2, 3}).Value(1, 2.0f);
    WorkRecord w = Cleared();
    EXPECT_TRUE(Load(quiet.bytes, w));
    EXPECT_EQ(w.ToolDiameter(), 2.0f);
    EXPECT_EQ(Log().lastMessage, "work marker");

    auto extra = TaggedBytes().Value<std::uint16_t>(0, 0xFFF1).Record(300, {9, 9}).Value(1, 3.0f);
    EXPECT_TRUE(Load(extra.bytes, w));
    EXPECT_EQ(w.ToolDiameter(), 3.0f);
    EXPECT_EQ(Log().lastMessage, "TailFromStream: LoadWorkByVar extra :300 2");
}

TEST(WorkRecord, APayloadLongerThanItsFieldFillsOnlyTheField) {
    const float d = 6.0f;
    std::vector<std::uint8_t> p(8, 0xEE);
    std::memcpy(p.data(), &d, 4);
    auto b = TaggedBytes().Value<std::uint16_t>(0, 0xFFF1).Record(1, p).Value(3, 1.5f);
    WorkRecord w = Cleared();
    EXPECT_TRUE(Load(b.bytes, w));
    EXPECT_EQ(w.ToolDiameter(), d);
    EXPECT_EQ(w.Values[1], 0u) << "the next field is not overrun";
    float v3;
    std::memcpy(&v3, &w.Values[2], 4);
    EXPECT_EQ(v3, 1.5f) << "the record after it is read in step";
    EXPECT_EQ(Log().lastMessage, "LoadWorkByVar long record :1 8 (field 4)");
    // A text longer than its field.
    auto t = TaggedBytes().Value<std::uint16_t>(0, 0xFFF1).Record(185, std::vector<std::uint8_t>(200, 'x'));
    EXPECT_TRUE(Load(t.bytes, w));
    EXPECT_EQ(w.Text185.size(), 63u);
    EXPECT_EQ(w.Values186[0], 0u);
}

TEST(WorkRecord, MustBeFileNeedsAFileStream) {
    WorkRecord w = RandomWork(3);
    StreamPtr mem(NewMemoryStream());
    EXPECT_FALSE(SaveWorkByVar(mem.get(), w, true));
    EXPECT_EQ(StreamSize(mem.get()), 0);
    std::vector<std::uint8_t> bytes = Saved(w);
    StreamPtr mem2(NewMemoryStream(bytes.data(), bytes.size()));
    WorkRecord back = Cleared();
    EXPECT_FALSE(LoadWorkByVar(mem2.get(), back, true));
    EXPECT_EQ(back.ToolDiameter(), 0.0f);

    auto path = (TempDir() / "must_be_file.ZL7").string();
    {
        StreamPtr f(OpenFileStream(path, FileMode::Create));
        EXPECT_TRUE(SaveWorkByVar(f.get(), w, true));
    }
    StreamPtr f(OpenFileStream(path, FileMode::Read));
    EXPECT_TRUE(LoadWorkByVar(f.get(), back, true));
    EXPECT_EQ(std::memcmp(&back, &w, sizeof w), 0);
}

TEST(WorkRecord, ConvertersCarryTheSharedFields) {
    WorkRecord5 w5;
    std::memset(static_cast<void*>(&w5), 0x5A, sizeof w5);
    const float d = 10.0f, cut = 2.5f;
    std::memcpy(&w5.Values[0], &d, 4);
    std::memcpy(&w5.Values[17], &cut, 4);
    w5.Flags = 0x0003;
    w5.Name = "FRESA 10";

    WorkRecord6 w6;
    Work5ToWork6(w5, w6);
    EXPECT_EQ(w6.Flags, 0x4003);
    std::uint16_t at404;
    std::memcpy(&at404, reinterpret_cast<const char*>(&w6) + 404, 2);
    EXPECT_EQ(at404 & 0x4000, 0x4000);
    EXPECT_EQ(w6.Name.view(), "FRESA 10");
    EXPECT_EQ(w6.Values51[29], w5.Values51[29]);
    EXPECT_EQ(w6.Values51[30], 0u) << "destination cleared first";

    WorkRecord w;
    Work5ToWork(w5, w);
    EXPECT_EQ(w.ToolDiameter(), d);
    EXPECT_EQ(w.CutWidth(), cut);
    EXPECT_EQ(w.Words[0], 0x4003);
    EXPECT_EQ(w.Name.view(), "FRESA 10");
    EXPECT_EQ(std::uint64_t{w.Wide235}, 0u);

    // Back down: the current form's name is cut to what each form holds.
    w.Name = std::string(100, 'N');
    WorkRecord6 down6;
    WorkToWork6(w, down6);
    EXPECT_EQ(down6.Name.size(), 63u);
    WorkRecord5 down5;
    WorkToWork5(w, down5);
    EXPECT_EQ(down5.Name.size(), 31u);
    float back;
    std::memcpy(&back, &down5.Values[17], 4);
    EXPECT_EQ(back, cut);
    WorkRecord up;
    Work6ToWork(down6, up);
    EXPECT_EQ(up.ToolDiameter(), d);
    EXPECT_EQ(std::memcmp(up.Words, w.Words, sizeof w.Words), 0);
    EXPECT_EQ(std::memcmp(up.Bytes141, w.Bytes141, sizeof w.Bytes141), 0);
    WorkRecord5 again;
    Work6ToWork5(down6, again);
    EXPECT_EQ(std::memcmp(again.Values51, w.Values51, sizeof again.Values51), 0);
}

TEST(WorkRecord, MachiningFilesAreReadByTheirUpperCasedName) {
    auto dir = TempDir();
    const float d6 = 6.0f, d5 = 5.0f, d7 = 7.0f;
    WorkRecord6 w6{};
    std::memset(static_cast<void*>(&w6), 0, sizeof w6);
    std::memcpy(&w6.Values[0], &d6, 4);
    WorkRecord5 w5;
    std::memset(static_cast<void*>(&w5), 0, sizeof w5);
    std::memcpy(&w5.Values[0], &d5, 4);
    WorkRecord w7 = Cleared();
    w7.SetToolDiameter(d7);

    auto write = [&](const std::string& name, const void* data, std::size_t n) {
        std::ofstream(dir / name, std::ios::binary).write(static_cast<const char*>(data), static_cast<std::streamsize>(n));
        return (dir / name).string();
    };
    std::string p6 = write("tool.zl6", &w6, sizeof w6);
    std::string p5 = write("TOOL.ZL5", &w5, sizeof w5);
    std::vector<std::uint8_t> tagged = Saved(w7);
    std::string p7 = write("tool.zl7", tagged.data(), tagged.size());
    std::string shortFile = write("short.ZL6", &w6, 100);

    struct Case {
        std::string path;
        bool ok;
        float diameter;
    } cases[] = {
        {p6, true, d6}, {p5, true, d5}, {p7, true, d7},
        {(dir / "missing.ZL7").string(), false, 0.0f}, {shortFile, false, 0.0f}, {"", false, 0.0f},
    };
    for (const Case& c : cases) {
        WorkRecord w = RandomWork(1);
        EXPECT_EQ(LoadMachiningFile(c.path, w), c.ok) << c.path;
        EXPECT_EQ(w.ToolDiameter(), c.diameter) << c.path;
        if (!c.ok) {
            EXPECT_EQ(w.CutWidth(), 0.0f) << c.path;
        }
    }
    WorkRecord w;
    LoadMachiningFile(p5, w);
    EXPECT_EQ(w.Words[0] & 0x4000, 0x4000) << "went through the 580-byte form";
    std::filesystem::remove_all(dir);
}
