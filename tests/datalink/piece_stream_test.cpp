// The piece stream: its bytes, what a load gives back, and how damaged or
// unusual streams and pieces are handled.
#include "datalink/piece_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "datalink/loaded_lists.h"
#include "piece_support.h"

using namespace kvd;
using namespace kvd::datalink;
using namespace kvd::testing;

namespace {

// ---- the fixture piece and its stream, written out by hand ------------------

// Real48 bytes used below: 0 = 00.., 1 = 81 00 00 00 00 00, 2 = 82 00.., -2 = 82 00 00 00 00 80,
// 0.5 = 80 00.., -1 = 81 00 00 00 00 80, 50 = 86 00 00 00 00 48, 100 = 87 00 00 00 00 48.
const Bytes kFixtureStream = {
    // 1: start marker
    0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0xF3, 0xFF,
    // 2: reserved
    0xFF, 0x7F, 0x08, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,
    // 3: PieceHeader
    0x11, 0x00, 0x08, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
    // 4: PieceData0
    0x02, 0x00, 0x08, 0x00, 0x00, 0x00, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17,
    // 5: PieceName "Top"
    0x03, 0x00, 0x04, 0x00, 0x00, 0x00, 0x03, 'T', 'o', 'p',
    // 6: PieceData32
    0x04, 0x00, 0x04, 0x00, 0x00, 0x00, 0x21, 0x22, 0x23, 0x24,
    // 7: PieceData112
    0x05, 0x00, 0x18, 0x00, 0x00, 0x00,
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B,
    0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47,
    // 8: PieceData136
    0x06, 0x00, 0x18, 0x00, 0x00, 0x00,
    0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B,
    0x5C, 0x5D, 0x5E, 0x5F, 0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67,
    // 9: PieceData160
    0x07, 0x00, 0x02, 0x00, 0x00, 0x00, 0x70, 0x71,
    // 10-14: PieceData12, 16, 20, 24, 28
    0x08, 0x00, 0x04, 0x00, 0x00, 0x00, 0x81, 0x82, 0x83, 0x84,
    0x09, 0x00, 0x04, 0x00, 0x00, 0x00, 0x91, 0x92, 0x93, 0x94,
    0x0A, 0x00, 0x04, 0x00, 0x00, 0x00, 0xA1, 0xA2, 0xA3, 0xA4,
    0x12, 0x00, 0x04, 0x00, 0x00, 0x00, 0xB1, 0xB2, 0xB3, 0xB4,
    0x13, 0x00, 0x04, 0x00, 0x00, 0x00, 0xC1, 0xC2, 0xC3, 0xC4,
    // 15: texture, 62 bytes: a 2x1 Windows bitmap, 24 bits, 96 dpi (3780 dots per metre)
    0x0B, 0x00, 0x3E, 0x00, 0x00, 0x00,
    'B', 'M', 0x3E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00,
    0x28, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x18, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0xC4, 0x0E, 0x00, 0x00, 0xC4, 0x0E, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x00, 0x00,
    // 16: List0, 4 elements of 26 bytes
    0x0C, 0x00, 0x02, 0x00, 0x00, 0x00, 0x04, 0x00,
    0x00, 0x04, /*X*/ 0, 0, 0, 0, 0, 0, /*Y*/ 0, 0, 0, 0, 0, 0, /*Z*/ 0, 0, 0, 0, 0, 0, /*ColorIndex 7*/ 0x07, 0, 0, 0, 0, 0,
    0x01, 0x04, 0x87, 0, 0, 0, 0, 0x48, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x02, 0x04, 0x87, 0, 0, 0, 0, 0x48, 0x86, 0, 0, 0, 0, 0x48, 0, 0, 0, 0, 0, 0, 0x81, 0, 0, 0, 0, 0x80,
    0x03, 0x04, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x82, 0, 0, 0, 0, 0x80, 0x80, 0, 0, 0, 0, 0,
    // 17: List1, empty
    0x0D, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
    // 18: List2, 3 elements
    0x0E, 0x00, 0x02, 0x00, 0x00, 0x00, 0x03, 0x00,
    0x60, 0x00, 0x81, 0, 0, 0, 0, 0, 0x82, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x61, 0x00, 0x82, 0, 0, 0, 0, 0, 0x82, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x63, 0x00, 0x81, 0, 0, 0, 0, 0, 0x82, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x81, 0, 0, 0, 0, 0,
    // 19: List3, empty
    0x0F, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
    // 20: PieceData8
    0x10, 0x00, 0x04, 0x00, 0x00, 0x00, 0xD1, 0xD2, 0xD3, 0xD4,
    // 21: end marker
    0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0xE3, 0xEE,
};

// Fields of the element record that the stream does not carry, set so that
// a writer that leaked them would be seen.
TTempElement WithJunk(TTempElement e) {
    e.Param = 0x5A5A;
    e.ColorR = 1;
    e.ColorG = 2;
    e.ColorB = 3;
    e.Slot = 4;
    e.Correction = 1.5f;
    e.Inclination = 2.5f;
    e.Aux = 3.5f;
    e.Flags = 0xFFFFFFFF;
    e.Flags2 = 0xBEEF;
    e.Extra50 = 5;
    e.Extra51 = 6;
    e.Link = 0xCAFEBABE;
    return e;
}

TTempElement StartWithColorIndex(std::uint16_t kind, long double x, long double y, std::uint8_t index) {
    TTempElement e = Element(kind, x, y);
    e.SetColorIndex(index);
    return e;
}

void FillFixtureFields(TPieceRecord& p) {
    for (int i = 0; i < 8; ++i) p.PieceHeader[i] = static_cast<std::uint8_t>(0x01 + i);
    for (int i = 0; i < 8; ++i) p.PieceData0[i] = static_cast<std::uint8_t>(0x10 + i);
    SetName(p, "Top");
    p.PieceData32 = 0x24232221;
    for (int i = 0; i < 24; ++i) p.PieceData112[i] = static_cast<std::uint8_t>(0x30 + i);
    for (int i = 0; i < 24; ++i) p.PieceData136[i] = static_cast<std::uint8_t>(0x50 + i);
    p.PieceData160 = 0x7170;
    p.PieceData12 = 0x84838281;
    p.PieceData16 = 0x94939291;
    p.PieceData20 = 0xA4A3A2A1;
    p.PieceData24 = 0xB4B3B2B1;
    p.PieceData28 = 0xC4C3C2C1;
    p.PieceData8 = 0xD4D3D2D1;
}

// The fixture piece as the host holds it: lists of its own, a 2x1 texture.
struct FixturePiece {
    HostList list0{WithJunk(StartWithColorIndex(0x0400, 0, 0, 7)), WithJunk(Element(0x0401, 100, 0)),
                   WithJunk(Element(0x0402, 100, 50, 0, -1)), WithJunk(Element(0x0403, 0, 0, -2, 0.5))};
    HostList list2{Element(0x0060, 1, 2), Element(0x0061, 2, 2), Element(0x0063, 1, 2, 0, 1)};
    HostBitmap texture{2, 1};
    DisplayObject display{&texture};
    TPieceRecord record{};

    FixturePiece() {
        texture.SetColor(0, 0, 0xFF112233);
        texture.SetColor(1, 0, 0xFF445566);
        FillFixtureFields(record);
        record.DisplayObject = display.object;
        record.List0 = list0.head;
        record.List2 = list2.head;
    }
};

Bytes Saved(const TPieceRecord& p) {
    StreamPtr s(NewMemoryStream());
    SavePiece(s.get(), p);
    return *MemoryStreamBytes(s.get());
}

// A record loaded by these tests; its lists go back to the library at the end.
struct LoadedPiece {
    TPieceRecord record{};
    ~LoadedPiece() { GiveBack(); }
    void Load(const Bytes& b, bool headerOnly = false) {
        StreamPtr s = MemoryStreamOf(b);
        LoadPiece(s.get(), record, headerOnly);
    }
    void GiveBack() { Load({}); }
};

// Tags of the records of a stream, in order (list elements stepped over).
std::vector<std::uint16_t> Tags(const Bytes& b) {
    std::vector<std::uint16_t> tags;
    std::size_t p = 0;
    while (p + 6 <= b.size()) {
        std::uint16_t tag = static_cast<std::uint16_t>(b[p] | (b[p + 1] << 8));
        std::uint32_t len;
        std::memcpy(&len, &b[p + 2], 4);
        tags.push_back(tag);
        p += 6 + len;
        if (tag >= kTagList0 && tag <= kTagList3) p += 26u * (b[p - 2] | (b[p - 1] << 8));
    }
    return tags;
}

void Append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

Bytes Record(std::uint16_t tag, const Bytes& payload) {
    Bytes r = {static_cast<std::uint8_t>(tag), static_cast<std::uint8_t>(tag >> 8)};
    std::uint32_t n = static_cast<std::uint32_t>(payload.size());
    for (int i = 0; i < 4; ++i) r.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    Append(r, payload);
    return r;
}

// A list record with compact elements of the given kinds at x = 1, 2, ...
Bytes ListRecord(std::uint16_t tag, const std::vector<std::uint16_t>& kinds) {
    Bytes r = Record(tag, {static_cast<std::uint8_t>(kinds.size()), static_cast<std::uint8_t>(kinds.size() >> 8)});
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        TTempElement e = Element(kinds[i], static_cast<long double>(i + 1), 0);
        r.push_back(static_cast<std::uint8_t>(e.Kind));
        r.push_back(static_cast<std::uint8_t>(e.Kind >> 8));
        r.insert(r.end(), e.X.bytes, e.X.bytes + 6);
        r.insert(r.end(), 18, 0);
    }
    return r;
}

const Bytes kEnd = Record(kTagEnd, {0xE3, 0xEE});
const Bytes kData8 = Record(kTagPieceData8, {0xD1, 0xD2, 0xD3, 0xD4});

void ExpectFixtureFields(const TPieceRecord& p) {
    TPieceRecord want{};
    FillFixtureFields(want);
    EXPECT_EQ(0, std::memcmp(p.PieceHeader, want.PieceHeader, 8));
    EXPECT_EQ(0, std::memcmp(p.PieceData0, want.PieceData0, 8));
    EXPECT_EQ(0, std::memcmp(p.PieceName, want.PieceName, sizeof p.PieceName));
    EXPECT_EQ(p.PieceData32, want.PieceData32);
    EXPECT_EQ(0, std::memcmp(p.PieceData112, want.PieceData112, 24));
    EXPECT_EQ(0, std::memcmp(p.PieceData136, want.PieceData136, 24));
    EXPECT_EQ(p.PieceData160, want.PieceData160);
    EXPECT_EQ(p.PieceData12, want.PieceData12);
    EXPECT_EQ(p.PieceData16, want.PieceData16);
    EXPECT_EQ(p.PieceData20, want.PieceData20);
    EXPECT_EQ(p.PieceData24, want.PieceData24);
    EXPECT_EQ(p.PieceData28, want.PieceData28);
    EXPECT_EQ(p.PieceData8, want.PieceData8);
}

// Kind and the four reals equal, every other field zero, links consistent.
void ExpectLoadedList(const TTempElement* head, const std::vector<TTempElement>& want) {
    std::vector<const TTempElement*> got = ElementsOf(head);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE("element " + std::to_string(i));
        TTempElement expect{};
        expect.Kind = want[i].Kind;
        expect.X = want[i].X;
        expect.Y = want[i].Y;
        expect.Z = want[i].Z;
        expect.Bulge = want[i].Bulge;
        expect.Next = got[i]->Next;
        expect.Prev = i == 0 ? nullptr : const_cast<TTempElement*>(got[i - 1]);
        EXPECT_EQ(0, std::memcmp(got[i], &expect, sizeof expect));
        if (i + 1 < got.size()) {
            EXPECT_EQ(static_cast<const TTempElement*>(got[i]->Next), got[i + 1]);
        }
    }
    if (!got.empty()) {
        EXPECT_EQ(static_cast<const TTempElement*>(got.back()->Next), nullptr);
    }
}

std::vector<TTempElement> Copies(const HostList& l) {
    std::vector<TTempElement> v;
    for (const TTempElement* e : ElementsOf(l.head)) v.push_back(*e);
    return v;
}

}  // namespace

// ---- format ------------------------------------------------------------------

TEST(PieceStreamFormat, WritesTheFixtureToTheByte) {
    FixturePiece f;
    Bytes got = Saved(f.record);
    ASSERT_EQ(got.size(), kFixtureStream.size());
    for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], kFixtureStream[i]) << "byte " << i;
    EXPECT_EQ(PreparePiece(f.record).streamSize, kFixtureStream.size());
}

TEST(PieceStreamFormat, AnEmptyPieceWritesFourZeroCountsAndNoTexture) {
    TPieceRecord blank{};
    Bytes want;
    Append(want, Record(kTagStart, {0xF3, 0xFF}));
    Append(want, Record(kTagReserved, Bytes(8, 0)));
    Append(want, Record(kTagHeader, Bytes(8, 0)));
    Append(want, Record(kTagPieceData0, Bytes(8, 0)));
    Append(want, Record(kTagName, {0}));
    Append(want, Record(kTagPieceData32, Bytes(4, 0)));
    Append(want, Record(kTagPieceData112, Bytes(24, 0)));
    Append(want, Record(kTagPieceData136, Bytes(24, 0)));
    Append(want, Record(kTagPieceData160, Bytes(2, 0)));
    for (std::uint16_t t : {kTagPieceData12, kTagPieceData16, kTagPieceData20, kTagPieceData24, kTagPieceData28})
        Append(want, Record(t, Bytes(4, 0)));
    for (std::uint16_t t = kTagList0; t <= kTagList3; ++t) Append(want, Record(t, {0, 0}));
    Append(want, Record(kTagPieceData8, Bytes(4, 0)));
    Append(want, kEnd);
    EXPECT_EQ(Saved(blank), want);
}

TEST(PieceStreamFormat, LoadsEveryFieldOfTheFixture) {
    FixturePiece source;
    // The host's texture is RGBA with padded rows and the wrong size: the load
    // resizes it through its own table and converts the pixels.
    HostBitmap texture(1, 1, KvdPixelFormatRGBA, 12);
    DisplayObject display(&texture);
    LoadedPiece loaded;
    std::memset(static_cast<void*>(&loaded.record), 0xAA, sizeof loaded.record);
    loaded.record.List0 = nullptr;  // not lists of this library: nothing to free
    loaded.record.List1 = nullptr;
    loaded.record.List2 = nullptr;
    loaded.record.List3 = nullptr;
    loaded.record.DisplayObject = display.object;

    loaded.Load(kFixtureStream);
    const TPieceRecord& p = loaded.record;
    ExpectFixtureFields(p);
    EXPECT_EQ(p.DisplayObject.get(), display.object);
    for (std::uint8_t b : p.Unused162) EXPECT_EQ(b, 0);
    for (std::uint8_t b : p.Unused168) EXPECT_EQ(b, 0);
    for (std::uint8_t b : p.Unused208) EXPECT_EQ(b, 0);
    ExpectLoadedList(p.List0, Copies(source.list0));
    EXPECT_EQ(p.List1.get(), nullptr);
    ExpectLoadedList(p.List2, Copies(source.list2));
    EXPECT_EQ(p.List3.get(), nullptr);
    EXPECT_EQ(p.List0->ColorIndex(), 7);

    ASSERT_EQ(texture.resizes, 1);
    ASSERT_EQ(texture.width, 2);
    ASSERT_EQ(texture.height, 1);
    EXPECT_EQ(texture.Color(0, 0), 0xFF112233u);
    EXPECT_EQ(texture.Color(1, 0), 0xFF445566u);
    EXPECT_EQ(texture.storage[8], 0xEE) << "row padding written";
}

TEST(PieceStreamFormat, SaveThenLoadGivesBackEveryField) {
    std::mt19937 rng(7);
    auto byte = [&] { return static_cast<std::uint8_t>(rng()); };
    TPieceRecord p{};
    for (auto& b : p.PieceHeader) b = byte();
    for (auto& b : p.PieceData0) b = byte();
    for (auto& b : p.PieceData112) b = byte();
    for (auto& b : p.PieceData136) b = byte();
    p.PieceData8 = rng();
    p.PieceData12 = rng();
    p.PieceData16 = rng();
    p.PieceData20 = rng();
    p.PieceData24 = rng();
    p.PieceData28 = rng();
    p.PieceData32 = rng();
    p.PieceData160 = static_cast<std::uint16_t>(rng());
    std::string name(kMaxNameLength, ' ');
    for (char& c : name) c = static_cast<char>(0x20 + rng() % 0xDF);  // Windows-1252 text
    SetName(p, name);
    HostList lists[4];
    const int sizes[4] = {1, 0, 1000, 37};
    std::uniform_real_distribution<double> coord(-5000, 5000);
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < sizes[i]; ++k)
            lists[i].Add(WithJunk(Element(static_cast<std::uint16_t>(rng()), coord(rng), coord(rng), coord(rng), coord(rng) / 1000)));
    p.List0 = lists[0].head;
    p.List1 = lists[1].head;
    p.List2 = lists[2].head;
    p.List3 = lists[3].head;
    HostBitmap texture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) texture.SetColor(x, y, 0xFF000000u | (rng() & 0xFFFFFF));
    DisplayObject display(&texture);
    p.DisplayObject = display.object;

    HostBitmap into(0, 0);
    DisplayObject target(&into);
    LoadedPiece loaded;
    loaded.record.DisplayObject = target.object;
    loaded.Load(Saved(p));

    const TPieceRecord& q = loaded.record;
    EXPECT_EQ(0, std::memcmp(&q, &p, offsetof(TPieceRecord, Unused162)));  // every plain field up to 162
    EXPECT_EQ(0, std::memcmp(q.PieceHeader, p.PieceHeader, 8));
    ExpectLoadedList(q.List0, Copies(lists[0]));
    ExpectLoadedList(q.List1, Copies(lists[1]));
    ExpectLoadedList(q.List2, Copies(lists[2]));
    ExpectLoadedList(q.List3, Copies(lists[3]));
    ASSERT_EQ(into.width, 5);
    ASSERT_EQ(into.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(into.Color(x, y), texture.Color(x, y));
}

// ---- loading: the edge cases of the stream -------------------------------------

TEST(PieceStreamLoad, HeaderOnlyStopsAfterTheHeader) {
    HostBitmap texture(1, 1);
    DisplayObject display(&texture);
    LoadedPiece loaded;
    loaded.record.DisplayObject = display.object;
    loaded.Load(kFixtureStream, /*headerOnly=*/true);

    TPieceRecord want{};
    for (int i = 0; i < 8; ++i) want.PieceHeader[i] = static_cast<std::uint8_t>(0x01 + i);
    want.DisplayObject = display.object;
    EXPECT_EQ(0, std::memcmp(&loaded.record, &want, sizeof want));
    EXPECT_EQ(texture.resizes, 0);
}

TEST(PieceStreamLoad, ARepeatedListTagKeepsOnlyTheLastList) {
    const std::size_t live = lowheap::LiveBlocks();
    Bytes s;
    Append(s, ListRecord(kTagList0 + 1, {0, 1, 1}));
    Append(s, ListRecord(kTagList0 + 1, {0, 2}));
    Append(s, kEnd);
    {
        LoadedPiece loaded;
        loaded.Load(s);
        std::vector<const TTempElement*> got = ElementsOf(loaded.record.List1);
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got[1]->Kind, 2);
        EXPECT_EQ(got[1]->X.ToDouble(), 2.0);
        EXPECT_EQ(lowheap::LiveBlocks(), live + 2) << "the first list is freed";
    }
    EXPECT_EQ(lowheap::LiveBlocks(), live);
}

TEST(PieceStreamLoad, UnknownRecordsAreSkipped) {
    Bytes s;
    Append(s, Record(20, {1, 2, 3, 4, 5}));
    Append(s, Record(0x1234, {}));
    Append(s, Record(0xFFFF, Bytes(300, 0x10)));  // would be tag 16 data if misread
    Append(s, kData8);
    Append(s, kEnd);
    Append(s, Record(kTagPieceData12, {9, 9, 9, 9}));  // after the end marker: not read
    LoadedPiece loaded;
    loaded.Load(s);
    EXPECT_EQ(loaded.record.PieceData8, 0xD4D3D2D1u);
    EXPECT_EQ(loaded.record.PieceData12, 0u);
}

// Every prefix of a good stream loads without an error: whole records are
// read, the record cut short is not, and no list is half read.
TEST(PieceStreamLoad, EveryPrefixLoadsItsWholeRecordsOnly) {
    const std::size_t live = lowheap::LiveBlocks();
    std::size_t list0End = 0;  // offset just past List0's elements
    for (std::size_t i = 0; i + 8 <= kFixtureStream.size(); ++i)
        if (kFixtureStream[i] == 0x0D && kFixtureStream[i + 1] == 0 && kFixtureStream[i + 2] == 2) list0End = i;
    ASSERT_GT(list0End, 0u);
    for (std::size_t n = 0; n <= kFixtureStream.size(); ++n) {
        SCOPED_TRACE("prefix of " + std::to_string(n) + " bytes");
        LoadedPiece loaded;
        ASSERT_NO_THROW(loaded.Load(Bytes(kFixtureStream.begin(), kFixtureStream.begin() + n)));
        std::size_t count = ElementsOf(loaded.record.List0).size();
        EXPECT_TRUE(count == 0 || count == 4);
        EXPECT_EQ(count == 4, n >= list0End);
        EXPECT_EQ(loaded.record.PieceData8 != 0, n >= kFixtureStream.size() - 8);
        EXPECT_EQ(loaded.record.PieceName[0] != 0, n >= 5 * 6 + 2 + 8 + 8 + 8 + 4);  // records 1 to 5
    }
    EXPECT_EQ(lowheap::LiveBlocks(), live);
    EXPECT_EQ(LoadedListCount(), 0u);
}

// The payload of a record cut short runs to the end of the stream, so what
// follows its header is payload, never a record of its own.
TEST(PieceStreamLoad, TheBytesOfACutRecordAreNotReadAsRecords) {
    Bytes s = {0x05, 0x00, 0x18, 0x00, 0x00, 0x00};  // PieceData112, 24 bytes announced
    Append(s, Record(kTagPieceData32, {1, 2, 3, 4}));  // only 10 arrive
    LoadedPiece loaded;
    loaded.Load(s);
    EXPECT_EQ(loaded.record.PieceData32, 0u);
    EXPECT_EQ(loaded.record.PieceData112[0], 0);
}

TEST(PieceStreamLoad, ACutListLeavesTheListReadBeforeUnderItsTag) {
    Bytes s;
    Append(s, ListRecord(kTagList0, {0, 1}));
    Bytes cut = ListRecord(kTagList0, {0, 1, 1});
    cut.resize(cut.size() - 1);
    Append(s, cut);
    LoadedPiece loaded;
    loaded.Load(s);
    EXPECT_EQ(ElementsOf(loaded.record.List0).size(), 2u);
}

// Records longer than their fields fill the field only; the rest is skipped
// and the next record is read where it starts.
TEST(PieceStreamLoad, OverlongRecordsFillOnlyTheirFields) {
    struct Case {
        const char* what;
        Bytes record;
        void (*check)(const TPieceRecord&);
    };
    Bytes longName(101, 'n');
    longName[0] = 100;
    Bytes list = Record(kTagList0 + 3, {2, 0, 0xAA, 0xBB, 0xCC});  // count 2, then three extra bytes
    for (std::uint16_t kind : {0, 1}) {
        TTempElement e = Element(kind, 7, 8);
        list.push_back(static_cast<std::uint8_t>(kind));
        list.push_back(0);
        list.insert(list.end(), e.X.bytes, e.X.bytes + 6);
        list.insert(list.end(), e.Y.bytes, e.Y.bytes + 6);
        list.insert(list.end(), 12, 0);
    }
    const Case cases[] = {
        {"start marker", Record(kTagStart, {0xF3, 0xFF, 1, 2, 3, 4}), [](const TPieceRecord&) {}},
        {"reserved", Record(kTagReserved, Bytes(40, 0x77)), [](const TPieceRecord&) {}},
        {"4-byte field", Record(kTagPieceData32, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
         [](const TPieceRecord& p) {
             EXPECT_EQ(p.PieceData32, 0x04030201u);
             EXPECT_EQ(p.PieceName[0], 0);
         }},
        {"2-byte field", Record(kTagPieceData160, {1, 2, 3}),
         [](const TPieceRecord& p) {
             EXPECT_EQ(p.PieceData160, 0x0201);
             EXPECT_EQ(p.Unused162[0], 0);
         }},
        {"header", Record(kTagHeader, Bytes(30, 0x44)),
         [](const TPieceRecord& p) {
             EXPECT_EQ(p.PieceHeader[7], 0x44);
             EXPECT_EQ(p.List0.raw, 0u);
         }},
        {"24-byte field", Record(kTagPieceData136, Bytes(60, 0x55)),
         [](const TPieceRecord& p) {
             EXPECT_EQ(p.PieceData136[23], 0x55);
             EXPECT_EQ(p.PieceData160, 0);
         }},
        {"name of 100 characters", Record(kTagName, longName),
         [](const TPieceRecord& p) {
             EXPECT_EQ(p.PieceName[0], 75);
             EXPECT_EQ(p.PieceName[75], 'n');
             EXPECT_EQ(p.PieceData112[0], 0);
         }},
        {"name claiming more than it holds", Record(kTagName, {9, 'a', 'b'}),
         [](const TPieceRecord& p) {
             EXPECT_EQ(p.PieceName[0], 2);
             EXPECT_EQ(p.PieceName[2], 'b');
         }},
        {"list count with extra bytes", list,
         [](const TPieceRecord& p) {
             std::vector<const TTempElement*> l = ElementsOf(p.List3);
             ASSERT_EQ(l.size(), 2u);
             EXPECT_EQ(l[1]->Kind, 1);
             EXPECT_EQ(l[1]->Y.ToDouble(), 8.0);
         }},
        {"list record without a count", Record(kTagList0, {5}), [](const TPieceRecord& p) { EXPECT_EQ(p.List0.raw, 0u); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes s = c.record;
        Append(s, kData8);
        Append(s, kEnd);
        LoadedPiece loaded;
        loaded.Load(s);
        c.check(loaded.record);
        EXPECT_EQ(loaded.record.PieceData8, 0xD4D3D2D1u) << "the next record was not read where it starts";
    }
}

TEST(PieceStreamLoad, FreesTheListsItGaveBeforeButNeverTheHosts) {
    const std::size_t live = lowheap::LiveBlocks();
    {
        LoadedPiece loaded;
        loaded.Load(kFixtureStream);
        const std::size_t afterFirst = lowheap::LiveBlocks();
        EXPECT_EQ(afterFirst, live + 7);
        loaded.Load(kFixtureStream);
        EXPECT_EQ(lowheap::LiveBlocks(), afterFirst) << "the lists of the first load were not freed";

        // A list the host built and put in the record is the host's.
        HostList own{Element(0, 1, 1), Element(1, 2, 2)};
        loaded.record.List1 = own.head;
        loaded.Load({});
        EXPECT_EQ(lowheap::LiveBlocks(), live + 2);
        EXPECT_EQ(ElementsOf(own.head).size(), 2u);
    }
    EXPECT_EQ(lowheap::LiveBlocks(), live);
    EXPECT_EQ(LoadedListCount(), 0u);
}

// ---- the display object and its texture -------------------------------------

TEST(PieceStreamTexture, ATextureWithNowhereToGoIsSkipped) {
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant == 0 ? "no display object" : "no material source");
        DisplayObject display;
        LoadedPiece loaded;
        if (variant == 1) {
            display.UseNoMaterial();
            loaded.record.DisplayObject = display.object;
        }
        loaded.Load(kFixtureStream);
        ExpectFixtureFields(loaded.record);
        EXPECT_EQ(ElementsOf(loaded.record.List2).size(), 3u);
    }
}

TEST(PieceStreamTexture, AMaterialWithoutTextureGetsABitmapOfTheLibrary) {
    DisplayObject display;
    LoadedPiece loaded;
    loaded.record.DisplayObject = display.object;
    loaded.Load(kFixtureStream);
    KvdBitmap* t = display.light.texture;
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->width, 2);
    EXPECT_EQ(t->height, 1);
    EXPECT_EQ(KvdPixelToColor(KvdBitmapRow(t, 0)[1], t->pixelFormat), 0xFF445566u);
    t->vtbl->release(t);
}

TEST(PieceStreamTexture, ADamagedTextureCostsTheTextureOnly) {
    Bytes s;
    Append(s, Record(kTagTexture, {'B', 'M', 1, 2, 3}));
    Append(s, kData8);
    Append(s, kEnd);
    HostBitmap texture(1, 1);
    texture.SetColor(0, 0, 0xFF010203);
    DisplayObject display(&texture);
    LoadedPiece loaded;
    loaded.record.DisplayObject = display.object;
    loaded.Load(s);
    EXPECT_EQ(loaded.record.PieceData8, 0xD4D3D2D1u);
    EXPECT_EQ(texture.Color(0, 0), 0xFF010203u);
}

TEST(PieceStreamTexture, AMaterialOfAnotherKindIsAnError) {
    DisplayObject display;
    display.UseOtherMaterial();
    TPieceRecord p{};
    p.DisplayObject = display.object;
    StreamPtr s(NewMemoryStream());
    EXPECT_THROW(
        {
            try {
                SavePiece(s.get(), p);
            } catch (const Error& e) {
                EXPECT_NE(std::string(e.what()).find("Invalid class typecast"), std::string::npos);
                throw;
            }
        },
        Error);
    EXPECT_TRUE(MemoryStreamBytes(s.get())->empty()) << "bytes written before the refusal";

    LoadedPiece loaded;
    loaded.record.DisplayObject = display.object;
    EXPECT_THROW(loaded.Load(kFixtureStream), Error);
}

TEST(PieceStreamTexture, NoTextureRecordWithoutSomethingToSave) {
    struct Case {
        const char* what;
        void (*arrange)(FixturePiece&);
    };
    const Case cases[] = {
        {"no display object", [](FixturePiece& f) { f.record.DisplayObject = nullptr; }},
        {"no material source", [](FixturePiece& f) { f.display.UseNoMaterial(); }},
        {"no texture", [](FixturePiece& f) { f.display.light.texture = nullptr; }},
        {"empty texture", [](FixturePiece& f) { f.texture.Allocate(0, 0); }},
    };
    std::vector<std::uint16_t> want = Tags(kFixtureStream);
    want.erase(std::find(want.begin(), want.end(), kTagTexture));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FixturePiece f;
        c.arrange(f);
        EXPECT_EQ(Tags(Saved(f.record)), want);
    }
}

// ---- saving: what the stream cannot hold -------------------------------------

TEST(PieceStreamSave, RefusesAListLongerThanItsCountBeforeWriting) {
    HostList big;
    for (std::size_t i = 0; i < kMaxListElements; ++i) big.Add(Element(1, static_cast<long double>(i), 0));
    TPieceRecord p{};
    p.List2 = big.head;
    {
        LoadedPiece loaded;
        loaded.Load(Saved(p));
        EXPECT_EQ(ElementsOf(loaded.record.List2).size(), kMaxListElements);
    }
    big.Add(Element(1, 0, 0));
    StreamPtr s(NewMemoryStream());
    EXPECT_THROW(SavePiece(s.get(), p), Error);
    EXPECT_TRUE(MemoryStreamBytes(s.get())->empty());

    // A list that runs in a circle is refused the same way instead of hanging.
    HostList ring{Element(0, 0, 0), Element(1, 1, 0)};
    ring.tail->Next = ring.head;
    p.List2 = ring.head;
    EXPECT_THROW(SavePiece(s.get(), p), Error);
    ring.tail->Next = nullptr;
}

TEST(PieceStreamSave, RefusesANameLongerThan75Characters) {
    TPieceRecord p{};
    SetName(p, std::string(75, 'x'));
    EXPECT_NO_THROW(Saved(p));
    p.PieceName[0] = 76;
    StreamPtr s(NewMemoryStream());
    EXPECT_THROW(SavePiece(s.get(), p), Error);
    EXPECT_TRUE(MemoryStreamBytes(s.get())->empty());
}

// ---- streams that fail --------------------------------------------------------

namespace {

// A host stream over fixed bytes that can fail its reads or not know its size.
struct HostStream {
    KvdStream base{&kVtbl};
    Bytes bytes;
    std::int64_t pos = 0;
    std::int64_t failAfter = -1;  // reads past this offset fail
    bool sizeUnknown = false;

    static HostStream* Of(KvdStream* s) { return reinterpret_cast<HostStream*>(s); }
    static int64_t Read(KvdStream* s, void* buf, int64_t n) {
        HostStream* h = Of(s);
        if (h->failAfter >= 0 && h->pos + n > h->failAfter) return -1;
        n = std::min<int64_t>(n, static_cast<int64_t>(h->bytes.size()) - h->pos);
        std::memcpy(buf, h->bytes.data() + h->pos, static_cast<std::size_t>(n));
        h->pos += n;
        return n;
    }
    static int64_t Write(KvdStream*, const void*, int64_t) { return -1; }
    static int64_t Seek(KvdStream* s, int64_t off, int32_t origin) {
        HostStream* h = Of(s);
        h->pos = (origin == KvdSeekBegin ? 0 : origin == KvdSeekCurrent ? h->pos : static_cast<int64_t>(h->bytes.size())) + off;
        return h->pos;
    }
    static int64_t Size(KvdStream* s) { return Of(s)->sizeUnknown ? -1 : static_cast<int64_t>(Of(s)->bytes.size()); }
    static void Release(KvdStream*) {}
    static constexpr KvdStreamVtbl kVtbl = {Read, Write, Seek, Size, Release};
};

}  // namespace

TEST(PieceStreamErrors, StreamFailuresAreErrors) {
    const std::size_t live = lowheap::LiveBlocks();
    {
        HostStream failing;
        failing.bytes = kFixtureStream;
        // List0's elements end 120 bytes before the end of the stream.
        failing.failAfter = static_cast<std::int64_t>(kFixtureStream.size()) - 130;
        LoadedPiece loaded;
        EXPECT_THROW(LoadPiece(&failing.base, loaded.record, false), Error);
        TPieceRecord seen = loaded.record;
        seen.PieceData8 = 0xD4D3D2D1;  // after the failure: not reached
        ExpectFixtureFields(seen);

        HostStream unknown;
        unknown.bytes = kFixtureStream;
        unknown.sizeUnknown = true;
        EXPECT_THROW(LoadPiece(&unknown.base, loaded.record, false), Error);

        HostStream readOnly;
        TPieceRecord blank{};
        EXPECT_THROW(SavePiece(&readOnly.base, blank), Error);
    }
    EXPECT_EQ(lowheap::LiveBlocks(), live);
}
