#include "base/element_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/low_heap.h"
#include "base/undo_journal.h"

using namespace kvd;

namespace {

TTempElement Make(std::uint16_t kind, long double x, long double y, long double z = 0, long double bulge = 0) {
    TTempElement e{};
    e.Kind = kind;
    e.X = x;
    e.Y = y;
    e.Z = z;
    e.Bulge = bulge;
    return e;
}

struct List {
    TTempElement* head = nullptr;
    TTempElement* tail = nullptr;
    ~List() { DisposeElementList(head); }
    TTempElement* Add(const TTempElement& e) { return AppendElement(head, tail, e); }
    std::vector<TTempElement*> Elements() const {
        std::vector<TTempElement*> v;
        for (TTempElement* e = head; e; e = e->Next) v.push_back(e);
        return v;
    }
};

// Head.Prev = nil, Tail.Next = nil and e.Next.Prev = e along the list.
void ExpectLinked(const List& l) {
    if (!l.head) {
        EXPECT_EQ(l.tail, nullptr);
        return;
    }
    EXPECT_EQ(l.head->Prev.get(), nullptr);
    EXPECT_EQ(l.tail->Next.get(), nullptr);
    for (TTempElement* e = l.head; e != l.tail; e = e->Next) ASSERT_EQ(e->Next->Prev.get(), e);
}

}  // namespace

TEST(ElementRecord, ByteLayoutMatchesTheHostsRecord) {
    TTempElement e{};
    e.Kind = 0x1234;
    e.ColorG = 0x56;
    e.X = 1.0L;
    e.Bulge = -1.0L;
    e.Flags = 0x11223344;
    e.Link = 0xA1B2C3D4;
    const auto* b = reinterpret_cast<const unsigned char*>(&e);
    EXPECT_EQ(b[0], 0x34);
    EXPECT_EQ(b[1], 0x12);
    EXPECT_EQ(b[5], 0x56);
    EXPECT_EQ(b[8], 0x81);
    const unsigned char minusOne[6] = {0x81, 0, 0, 0, 0, 0x80};
    EXPECT_EQ(std::memcmp(b + 26, minusOne, 6), 0);
    EXPECT_EQ(b[44], 0x44);
    EXPECT_EQ(b[47], 0x11);
    EXPECT_EQ(b[60], 0xD4);
    EXPECT_EQ(b[63], 0xA1);
}

TEST(ElementRecord, KindWordHelpers) {
    std::uint16_t k = WithClass(ecArcNeg | kfWorkable, clsForcedDepth);
    EXPECT_EQ(KindCode(k), 2u);
    EXPECT_EQ(KindClass(k), 5u);
    EXPECT_TRUE(k & kfWorkable);
    EXPECT_EQ(KindClass(WithClass(k, clsNonWorkable)), 7u);
    EXPECT_TRUE(IsSegmentCode(1) && IsSegmentCode(2) && IsSegmentCode(3));
    EXPECT_FALSE(IsSegmentCode(0) || IsSegmentCode(4));
    EXPECT_TRUE(IsNonGeometricKind(rkClosing));
    EXPECT_FALSE(IsNonGeometricKind(0x19));  // code 9 but a class: not a record kind
}

TEST(ElementList, AppendLinksAtTheTailAndCopiesAll64Bytes) {
    List l;
    TTempElement src = Make(ecStart, 1, 2);
    src.Link = 77;
    src.Next = reinterpret_cast<TTempElement*>(0x1000);
    TTempElement* first = l.Add(src);
    EXPECT_EQ(l.head, first);
    EXPECT_EQ(l.tail, first);
    EXPECT_EQ(first->Next.get(), nullptr);
    EXPECT_EQ(first->Prev.get(), nullptr);
    EXPECT_EQ(first->Link, 77u);  // kept, unlike the container appender
    l.Add(Make(ecLine, 3, 4));
    l.Add(Make(ecArcPos, 5, 6, 0, 0.5));
    ExpectLinked(l);
    ASSERT_EQ(ElementCount(l.head), 3u);
    EXPECT_EQ(l.tail->X.ToDouble(), 5.0);
}

TEST(ElementList, Ptr32FieldsServeAsListVariables) {
    struct {
        Ptr32<TTempElement> head, tail;
    } rec;
    AppendElement(rec.head, rec.tail, Make(ecStart, 0, 0));
    AppendElement(rec.head, rec.tail, Make(ecLine, 1, 0));
    EXPECT_EQ(ElementCount(rec.head), 2u);
    DisposeElementList(rec.head);
    EXPECT_FALSE(rec.head);
}

TEST(ElementList, NoRepeatSkipsOnlySegmentsThatRepeatTheTail) {
    struct Case {
        const char* what;
        TTempElement next;
        bool appended;
    } cases[] = {
        {"line to the same point", Make(ecLine, 10, 20, 5), false},
        {"arc to the same point", Make(ecArcNeg, 10, 20, 5, -1), false},
        {"same point, other Z", Make(ecLine, 10, 20, 6), true},
        {"start at the same point", Make(ecStart, 10, 20, 5), true},
        {"line elsewhere", Make(ecLine, 11, 20, 5), true},
    };
    for (const Case& c : cases) {
        List l;
        l.Add(Make(ecStart, 0, 0));
        l.Add(Make(ecLine, 10, 20, 5));
        DrawingModified = false;
        CurrentElement = c.next;
        TTempElement* r = AppendCurrentElementNoRepeat(l.head, l.tail);
        EXPECT_EQ(r != nullptr, c.appended) << c.what;
        EXPECT_EQ(ElementCount(l.head), c.appended ? 3u : 2u) << c.what;
        EXPECT_EQ(DrawingModified, c.appended) << c.what;
    }
    List empty;
    CurrentElement = Make(ecLine, 1, 1);
    EXPECT_NE(AppendCurrentElementNoRepeat(empty.head, empty.tail), nullptr);
}

TEST(ElementList, NoRepeatRecordsAnUndoEntryWhenTheJournalRecords) {
    List l;
    Undo.recording = true;
    CurrentElement = Make(ecStart, 0, 0);
    TTempElement* e = AppendCurrentElementNoRepeat(l.head, l.tail);
    Undo.recording = false;
    ASSERT_NE(Undo.current, nullptr);
    EXPECT_EQ(Undo.current->Action, kUndoAppendElement);
    EXPECT_EQ(reinterpret_cast<TTempElement*>(Undo.current->Object.get()), e);
    ClearUndo();
}

TEST(ElementList, DisposeUpToFreesAPrefixOrEverything) {
    const std::size_t live = lowheap::LiveBlocks();
    struct Case {
        int lastIndex;  // -1: nil, 99: an element of another list
        std::size_t freed;
    } cases[] = {{-1, 5}, {0, 1}, {2, 3}, {4, 5}, {99, 5}};
    List other;
    other.Add(Make(ecStart, 0, 0));
    for (const Case& c : cases) {
        List l;
        for (int i = 0; i < 5; ++i) l.Add(Make(i ? ecLine : ecStart, i, 0));
        std::vector<TTempElement*> all = l.Elements();
        const TTempElement* last = c.lastIndex < 0 ? nullptr : c.lastIndex == 99 ? other.head : all[c.lastIndex];
        DisposeElementListUpTo(l.head, last);
        EXPECT_EQ(l.head, nullptr);
        EXPECT_EQ(lowheap::LiveBlocks(), live + 1 + 5 - c.freed) << c.lastIndex;
        // Free what the call was asked to leave, so the next case starts clean.
        for (std::size_t i = c.freed; i < all.size(); ++i) FreeElement(all[i]);
        l.tail = nullptr;
    }
    DisposeElementListUpTo(other.head, nullptr);
    EXPECT_EQ(lowheap::LiveBlocks(), live);
    TTempElement* none = nullptr;
    DisposeElementListUpTo(none, nullptr);
    DisposeElementList(none);
}

TEST(ElementList, FindContourStartStopsAtItsOwnContour) {
    List l;
    l.Add(Make(ecStart, 0, 0));
    l.Add(Make(ecLine, 1, 0));
    TTempElement* second = l.Add(Make(ecStart, 5, 5));
    l.Add(Make(ecLine, 6, 5));
    TTempElement* arc = l.Add(Make(ecArcNeg, 7, 5, 0, -0.5));
    l.Add(Make(ecLine, 8, 5));
    EXPECT_EQ(FindContourStart(arc), second);
    EXPECT_EQ(FindContourStart(second), second);
    EXPECT_EQ(FindContourStart(nullptr), nullptr);
    List noStart;
    noStart.Add(Make(ecLine, 0, 0));
    TTempElement* t = noStart.Add(Make(ecLine, 1, 0));
    EXPECT_EQ(FindContourStart(t), noStart.head);
}

TEST(ElementList, OffsetMovesXAndYOnly) {
    List l;
    l.Add(Make(ecStart, 1, 2, 3));
    l.Add(Make(ecArcPos, 4, 5, 6, 0.25));
    OffsetElementList(l.head, 10, -20);
    EXPECT_EQ(l.head->X.ToDouble(), 11);
    EXPECT_EQ(l.head->Y.ToDouble(), -18);
    EXPECT_EQ(l.head->Z.ToDouble(), 3);
    EXPECT_EQ(l.tail->X.ToDouble(), 14);
    EXPECT_EQ(l.tail->Bulge.ToDouble(), 0.25);
}

TEST(DrawingExtents, FirstPointAfterResetSetsAllFourBounds) {
    ResetExtents();
    ExtendExtents(5, -3);
    EXPECT_TRUE(DrawingExtents.Set);
    EXPECT_EQ(DrawingExtents.MinX.ToDouble(), 5);
    EXPECT_EQ(DrawingExtents.MaxX.ToDouble(), 5);
    EXPECT_EQ(DrawingExtents.MinY.ToDouble(), -3);
    EXPECT_EQ(DrawingExtents.MaxY.ToDouble(), -3);
    ExtendExtents(-1, 7);
    EXPECT_EQ(DrawingExtents.MinX.ToDouble(), -1);
    EXPECT_EQ(DrawingExtents.MaxY.ToDouble(), 7);
    EXPECT_EQ(DrawingExtents.MaxX.ToDouble(), 5);
}

TEST(ElementColours, SplitAndCopy) {
    TTempElement a{}, b{};
    SetElementColor(a, 0x00336699);
    EXPECT_EQ(a.ColorR, 0x99);
    EXPECT_EQ(a.ColorG, 0x66);
    EXPECT_EQ(a.ColorB, 0x33);
    CopyElementColor(b, a);
    EXPECT_EQ(ElementColor(b), 0x00336699u);
}

TEST(ElementList, MirroringFlipsArcCodeAndBulge) {
    TTempElement arc = Make(ecArcNeg | kfWorkable, 1, 1, 0, -1.0);
    MirrorArc(arc);
    EXPECT_EQ(KindCode(arc.Kind), 3u);
    EXPECT_TRUE(arc.Kind & kfWorkable);
    const unsigned char plusOne[6] = {0x81, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(arc.Bulge.bytes, plusOne, 6), 0);
    MirrorArc(arc);
    const unsigned char minusOne[6] = {0x81, 0, 0, 0, 0, 0x80};
    EXPECT_EQ(std::memcmp(arc.Bulge.bytes, minusOne, 6), 0);
    TTempElement line = Make(ecLine, 1, 1);
    MirrorArc(line);
    EXPECT_EQ(line.Kind, ecLine);
}

TEST(ElementList, FullListFreeReturnsEveryBlock) {
    const std::size_t live = lowheap::LiveBlocks();
    {
        List l;
        for (int i = 0; i < 100000; ++i) l.Add(Make(i % 50 ? ecLine : ecStart, i, i));
        EXPECT_EQ(lowheap::LiveBlocks(), live + 100000);
    }
    EXPECT_EQ(lowheap::LiveBlocks(), live);
}
