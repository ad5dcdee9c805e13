#include "base/contour_reversal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "base/arcs.h"
#include "base/contour_navigation.h"
#include "contour_builder.h"

using namespace kvd;
using kvd::test::Element;
using kvd::test::OwnedList;
using kvd::test::SameBytes;

namespace {

class Reversal : public ::testing::Test {
protected:
    void SetUp() override { ReverseOptions = 0; }
    void TearDown() override {
        ReverseOptions = 0;
        ReverseFirst = ReverseLast = nullptr;
    }
    static void Reverse(TTempElement* first, TTempElement* last) {
        ReverseFirst = first;
        ReverseLast = last;
        ReverseContour();
    }
};

std::uint16_t Flipped(std::uint16_t kind) {
    const unsigned code = KindCode(kind);
    return IsArcCode(code) ? static_cast<std::uint16_t>((kind & ~0xFu) | (5 - code)) : kind;
}

// Fills every byte of an element (links excepted) with random data; the kind
// gets the given code below random class and flag bits.
TTempElement RandomElement(std::mt19937& rng, unsigned code) {
    TTempElement e{};
    auto* bytes = reinterpret_cast<unsigned char*>(&e);
    for (std::size_t i = 0; i < 52; ++i) bytes[i] = static_cast<unsigned char>(rng());
    e.Link = static_cast<std::uint32_t>(rng());
    e.Kind = static_cast<std::uint16_t>((e.Kind & 0xFFF0u) | code);
    e.Bulge = std::uniform_real_distribution<double>(-3, 3)(rng);
    return e;
}

// Correction, Inclination and Aux, compared by their bytes (random data may be NaN).
bool SameFloatValues(const TTempElement& a, const TTempElement& b) {
    return std::memcmp(&a.Correction, &b.Correction, 12) == 0;
}

// Checks that `after` is `before` reversed: position k holds point n - k and
// the segment that ended at point n - k + 1, turned round.
void ExpectReversedOf(const std::vector<TTempElement>& before, const std::vector<TTempElement>& after,
                      bool paramStays) {
    ASSERT_EQ(before.size(), after.size());
    const std::size_t n = before.size() - 1;
    const TTempElement& s0 = before[0];
    const TTempElement& r0 = after[0];
    EXPECT_EQ(r0.Kind, s0.Kind);
    EXPECT_EQ(r0.Bulge.bytes[0], s0.Bulge.bytes[0]);  // the start element keeps its colour index
    EXPECT_TRUE(SameFloatValues(r0, s0));
    EXPECT_EQ(r0.Slot, s0.Slot);
    EXPECT_EQ(r0.Flags & 0x7FFFFFFFu, (s0.Flags ^ kFlagReversed) & 0x7FFFFFFFu);
    for (std::size_t k = 0; k <= n; ++k) {
        const TTempElement& r = after[k];
        const TTempElement& point = before[n - k];
        SCOPED_TRACE("position " + std::to_string(k) + " of " + std::to_string(n));
        EXPECT_TRUE(r.X.ToLongDouble() == point.X.ToLongDouble() && r.Y.ToLongDouble() == point.Y.ToLongDouble() &&
                    r.Z.ToLongDouble() == point.Z.ToLongDouble());
        EXPECT_EQ(r.Extra50, point.Extra50);
        EXPECT_EQ(r.Extra51, point.Extra51);
        EXPECT_EQ(r.Link, point.Link);
        EXPECT_EQ(r.Flags >> 31, point.Flags >> 31);
        EXPECT_EQ(r.Param, paramStays ? before[k].Param : point.Param);
        // Colour and Flags2 stay where they are.
        EXPECT_EQ(r.ColorR, before[k].ColorR);
        EXPECT_EQ(r.Flags2, before[k].Flags2);
        if (k == 0) continue;
        const TTempElement& seg = before[n - k + 1];
        EXPECT_EQ(r.Kind, Flipped(seg.Kind));
        EXPECT_EQ(r.Bulge.ToLongDouble(), -seg.Bulge.ToLongDouble());
        EXPECT_TRUE(SameFloatValues(r, seg));
        EXPECT_EQ(r.Slot, seg.Slot);
        EXPECT_EQ(r.Flags & 0x7FFFFFFFu, (seg.Flags ^ kFlagReversed) & 0x7FFFFFFFu);
    }
}

void ExpectSameBytes(const std::vector<TTempElement>& a, const std::vector<TTempElement>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_TRUE(SameBytes(a[i], b[i])) << "element " << i;
}

std::vector<unsigned> Codes(const OwnedList& l) {
    std::vector<unsigned> v;
    for (TTempElement* e = l.head; e; e = e->Next) v.push_back(KindCode(e->Kind));
    return v;
}

}  // namespace

TEST_F(Reversal, OneLineExchangesItsEnds) {
    OwnedList l;
    TTempElement* s = l.Start(1, 2);
    TTempElement* line = l.Line(3, 4);
    Reverse(s, line);
    EXPECT_EQ(s->X.ToDouble(), 3);
    EXPECT_EQ(s->Y.ToDouble(), 4);
    EXPECT_EQ(line->X.ToDouble(), 1);
    EXPECT_EQ(line->Y.ToDouble(), 2);
    EXPECT_EQ(line->Kind, ecLine);
    EXPECT_TRUE(s->Flags & kFlagReversed);
    EXPECT_TRUE(line->Flags & kFlagReversed);
    EXPECT_EQ(ReverseFirst, s);  // the globals keep their values
    EXPECT_EQ(ReverseLast, line);
}

TEST_F(Reversal, LineThenArcKeepsTheArcsCircle) {
    OwnedList l;
    TTempElement* s = l.Start(0, 0);
    l.Line(10, 0);
    TTempElement* arc = l.Arc(ecArcNeg, 20, 0, -0.5L);
    Real48 cx0, cy0, r0;
    ASSERT_TRUE(CentreFromBulge(cx0, cy0, r0, ecArcNeg, -0.5L, 10, 0, 20, 0));

    Reverse(s, arc);
    auto e = l.Elements();
    EXPECT_EQ(e[0]->X.ToDouble(), 20);
    EXPECT_EQ(KindCode(e[1]->Kind), ecArcPos);
    EXPECT_EQ(e[1]->Bulge.ToDouble(), 0.5);
    EXPECT_EQ(e[1]->X.ToDouble(), 10);
    EXPECT_EQ(KindCode(e[2]->Kind), ecLine);
    EXPECT_EQ(e[2]->X.ToDouble(), 0);
    Real48 cx1, cy1, r1;
    ASSERT_TRUE(CentreFromBulge(cx1, cy1, r1, e[1]->Kind, e[1]->Bulge, 20, 0, 10, 0));
    EXPECT_NEAR(cx1.ToDouble(), cx0.ToDouble(), 1e-12);
    EXPECT_NEAR(cy1.ToDouble(), cy0.ToDouble(), 1e-12);
    EXPECT_NEAR(r1.ToDouble(), r0.ToDouble(), 1e-12);
}

// Contours of 1 to 7 segments (odd counts turn the middle segment in place,
// even counts leave the middle point where it is), every field random.
TEST_F(Reversal, EveryFieldGoesWhereItBelongsAndTwiceRestoresAllBytes) {
    std::mt19937 rng(7);
    for (bool paramStays : {false, true}) {
        ReverseOptions = paramStays ? kReverseKeepsParam : 0;
        for (int n = 1; n <= 7; ++n) {
            OwnedList l;
            l.Add(RandomElement(rng, ecStart));
            for (int k = 1; k <= n; ++k) l.Add(RandomElement(rng, 1 + rng() % 3));
            const auto before = l.Snapshot();
            Reverse(l.head, l.tail);
            ExpectReversedOf(before, l.Snapshot(), paramStays);
            Reverse(l.head, l.tail);
            ExpectSameBytes(before, l.Snapshot());
        }
    }
}

TEST_F(Reversal, ParamOfTheStartElementStaysWithTheOptionBit) {
    for (bool stays : {false, true}) {
        ReverseOptions = stays ? kReverseKeepsParam : 0;
        OwnedList l;
        TTempElement* s = l.Start(0, 0);
        s->Param = 17;  // the contour's group number
        l.Line(1, 0);
        TTempElement* last = l.Line(1, 1);
        Reverse(s, last);
        EXPECT_EQ(s->Param, stays ? 17 : 0);
        EXPECT_EQ(last->Param, stays ? 0 : 17);
    }
}

TEST_F(Reversal, RandomContoursKeepEveryArcOnItsCircle) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> coord(-1000, 1000), bulge(-3, 3);
    for (int round = 0; round < 300; ++round) {
        OwnedList l;
        const int n = 1 + static_cast<int>(rng() % 12);
        l.Start(coord(rng), coord(rng));
        for (int k = 0; k < n; ++k) {
            const unsigned code = rng() % 3 == 0 ? ecLine : (rng() % 2 ? ecArcNeg : ecArcPos);
            double b = code == ecLine ? 0.0 : bulge(rng);
            if (code != ecLine && std::fabs(b) < 0.01) b = 0.5;
            l.Arc(code, coord(rng), coord(rng), b);
        }
        const auto before = l.Snapshot();
        Reverse(l.head, l.tail);
        const auto after = l.Snapshot();
        for (int k = 1; k <= n; ++k) {
            if (!IsArcCode(KindCode(before[k].Kind))) continue;
            const TTempElement& o = before[k];
            const TTempElement& r = after[n - k + 1];
            Real48 cx0, cy0, r0, cx1, cy1, r1;
            ASSERT_TRUE(CentreFromBulge(cx0, cy0, r0, o.Kind, o.Bulge, before[k - 1].X, before[k - 1].Y, o.X, o.Y));
            ASSERT_TRUE(CentreFromBulge(cx1, cy1, r1, r.Kind, r.Bulge, after[n - k].X, after[n - k].Y, r.X, r.Y));
            const double tol = 1e-9 * (1 + r0.ToDouble());
            EXPECT_NEAR(cx1.ToDouble(), cx0.ToDouble(), tol) << round << ":" << k;
            EXPECT_NEAR(cy1.ToDouble(), cy0.ToDouble(), tol) << round << ":" << k;
            EXPECT_NEAR(r1.ToDouble(), r0.ToDouble(), tol) << round << ":" << k;
        }
        Reverse(l.head, l.tail);
        ExpectSameBytes(before, l.Snapshot());
    }
}

TEST_F(Reversal, FlipAndSwapTouchOnlyTheArcCode) {
    TTempElement a = Element(0x0472, 0, 0), b = Element(0x2051, 0, 0), c = Element(0x0034, 0, 0);
    FlipArc(a);
    EXPECT_EQ(a.Kind, 0x0473);
    FlipArc(c);
    EXPECT_EQ(c.Kind, 0x0034);
    SwapKinds(a, b);
    EXPECT_EQ(a.Kind, 0x2051);
    EXPECT_EQ(b.Kind, 0x0472);
}

TEST_F(Reversal, NothingHappensWithoutAContourToReverse) {
    OwnedList l;
    TTempElement* s = l.Start(0, 0);
    TTempElement* line = l.Line(1, 1);
    const auto before = l.Snapshot();
    Reverse(nullptr, line);
    Reverse(s, s);
    Reverse(line, s);  // the last element before the first: would walk off the list
    Reverse(s, nullptr);
    OwnedList other;
    Reverse(s, other.Start(5, 5));  // not in this list
    ExpectSameBytes(before, l.Snapshot());

    OwnedList single;
    TTempElement* lone = single.Start(3, 3);
    ReverseContourAt(lone, true);
    ReverseContourAt(nullptr, true);
    EXPECT_EQ(lone->X.ToDouble(), 3);
    EXPECT_EQ(lone->Flags, 0u);
}

TEST_F(Reversal, ReverseContourAtWorksOnTheWholeContourOnly) {
    OwnedList l;
    l.Start(0, 0);
    l.Line(1, 0);
    TTempElement* s2 = l.Start(10, 0);
    l.Line(11, 0);
    TTempElement* mid = l.Arc(ecArcPos, 12, 1, 0.3L);
    TTempElement* last = l.Line(12, 2);
    TTempElement* record = l.Add(Element(rkMarking, 77, 78, 79));
    TTempElement* s3 = l.Start(20, 0);
    l.Line(21, 0);
    mid->Flags |= kFlagReversed;
    const auto before = l.Snapshot();

    ReverseContourAt(mid, false);
    EXPECT_EQ(ReverseFirst, s2);
    EXPECT_EQ(ReverseLast, last);  // the record after the contour is not one of its segments
    const auto after = l.Snapshot();
    for (int i : {0, 1, 6, 7, 8}) EXPECT_TRUE(SameBytes(before[i], after[i])) << i;
    EXPECT_EQ(s2->X.ToDouble(), 12);
    EXPECT_EQ(s2->Y.ToDouble(), 2);
    EXPECT_EQ(KindCode(after[4].Kind), ecArcNeg);  // the middle segment, turned in place
    EXPECT_EQ(record->X.ToDouble(), 77);
    EXPECT_EQ(NextContour(mid), s3);
    EXPECT_EQ(after[4].Flags & kFlagReversed, 0u);  // was set, toggled off
    EXPECT_NE(after[2].Flags & kFlagReversed, 0u);

    ReverseContourAt(last, true);
    const auto again = l.Snapshot();
    for (int i : {0, 1, 6, 7, 8}) EXPECT_TRUE(SameBytes(before[i], again[i])) << i;
    for (TTempElement* e = s2; e != record; e = e->Next) EXPECT_EQ(e->Flags & kFlagReversed, 0u);
    EXPECT_EQ(s2->X.ToDouble(), 10);
}

TEST(Navigation, ContourEndsAndNextContour) {
    OwnedList l;
    TTempElement* s1 = l.Start(0, 0);
    TTempElement* e1 = l.Line(1, 0);
    TTempElement* s2 = l.Start(5, 5);
    TTempElement* m2 = l.Line(6, 5);
    TTempElement* e2 = l.Line(6, 6);
    EXPECT_EQ(FindContourEnd(s1), e1);
    EXPECT_EQ(LastContourEnd, e1);
    EXPECT_EQ(FindContourEnd(e1), e1);
    EXPECT_EQ(FindContourEnd(s2), e2);
    EXPECT_EQ(NextContour(s1), s2);
    EXPECT_EQ(NextContour(e1), s2);
    for (TTempElement* e : {s2, m2, e2}) EXPECT_EQ(NextContour(e), nullptr);
    EXPECT_EQ(FindContourEnd(nullptr), nullptr);
    EXPECT_EQ(NextContour(nullptr), nullptr);
}

TEST_F(Reversal, SplineRunStaysValidWithItsDataOnTheEnd) {
    OwnedList l;
    TTempElement* s = l.Start(0, 0);
    l.Line(1, 0);
    l.Add(Element(4, 2, 0))->Correction = 1;
    l.Add(Element(6, 3, 0))->Correction = 2;
    l.Add(Element(5, 4, 0))->Correction = 3;  // the run's end carries the run's data
    const auto before = l.Snapshot();
    Reverse(s, l.tail);
    EXPECT_EQ(Codes(l), (std::vector<unsigned>{0, 4, 6, 5, 1}));
    auto e = l.Elements();
    EXPECT_EQ(e[1]->Correction, 1);
    EXPECT_EQ(e[3]->Correction, 3);
    EXPECT_EQ(e[1]->X.ToDouble(), 3);  // points reversed as ever
    EXPECT_EQ(e[4]->X.ToDouble(), 0);
    Reverse(s, l.tail);
    ExpectSameBytes(before, l.Snapshot());
}

TEST_F(Reversal, SplineRunsAnywhereSurviveTwoReversals) {
    const std::vector<std::vector<unsigned>> contours = {
        {0, 1, 4, 6, 5, 1},     // a run in the middle
        {0, 4, 6, 5, 4, 5},     // two runs side by side
        {0, 2, 5, 3},           // a run of one element
        {0, 4, 6, 6, 6, 5},     // the whole contour
        {0, 1, 4, 5, 1, 4, 6, 5},
    };
    std::mt19937 rng(3);
    for (const auto& codes : contours) {
        OwnedList l;
        for (unsigned c : codes) l.Add(RandomElement(rng, c));
        const auto before = l.Snapshot();
        Reverse(l.head, l.tail);
        // Every run still ends in code 5, and nothing else changed code.
        const auto after = Codes(l);
        std::vector<unsigned> expected(codes.size());
        expected[0] = 0;
        for (std::size_t k = 1; k < codes.size(); ++k) expected[k] = codes[codes.size() - k];
        for (std::size_t k = 1; k < expected.size(); ++k) expected[k] = IsArcCode(expected[k]) ? 5 - expected[k] : expected[k];
        for (std::size_t k = 1; k < after.size(); ++k) {
            const bool inRun = after[k] >= 4 && after[k] <= 6;
            if (!inRun) EXPECT_EQ(after[k], expected[k]);
            if (after[k] == 4 || after[k] == 6) {
                ASSERT_LT(k + 1, after.size()) << "run without an end";
                EXPECT_TRUE(after[k + 1] >= 4 && after[k + 1] <= 6) << "run without an end at " << k;
            }
        }
        EXPECT_EQ(std::count(after.begin(), after.end(), 5u), std::count(codes.begin(), codes.end(), 5u));
        Reverse(l.head, l.tail);
        ExpectSameBytes(before, l.Snapshot());
    }
}
