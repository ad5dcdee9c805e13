#include "base/containers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/chained_records.h"
#include "base/log.h"
#include "base/low_heap.h"
#include "base/undo_journal.h"

using namespace kvd;

namespace {
class Containers : public ::testing::Test {
protected:
    void SetUp() override { live_ = lowheap::LiveBlocks(); }
    void TearDown() override {
        DisposeAllContainers();
        EXPECT_EQ(lowheap::LiveBlocks(), live_) << "blocks leaked";
    }
    std::size_t live_ = 0;
};

void SetCurrent(std::uint16_t kind, long double x, long double y) {
    ClearCurrentElement();
    CurrentElement.Kind = kind;
    CurrentElement.X = x;
    CurrentElement.Y = y;
    CurrentElement.Link = 0xDEADBEEF;
}
}  // namespace

TEST_F(Containers, FirstAppendCreatesOneContainerHoldingTheElement) {
    ASSERT_EQ(FirstContainer, nullptr);
    SetCurrent(ecStart, 1, 2);
    CurrentElement.Next = reinterpret_cast<TTempElement*>(0x4000);
    TTempElement* e = AppendToCurrentContainer();
    ASSERT_NE(FirstContainer, nullptr);
    EXPECT_EQ(FirstContainer, CurrentContainer);
    EXPECT_EQ(FirstContainer->NextContainer.get(), nullptr);
    EXPECT_EQ(FirstContainer->PrevContainer.get(), nullptr);
    EXPECT_EQ(FirstContainerElements(), e);
    EXPECT_EQ(FirstContainer->ElementsTail.get(), e);
    EXPECT_EQ(e->Next.get(), nullptr);
    EXPECT_EQ(e->Prev.get(), nullptr);
    EXPECT_EQ(e->Link, 0u);
    SetCurrent(ecLine, 3, 4);
    TTempElement* f = AppendToCurrentContainer();
    EXPECT_EQ(f->Prev.get(), e);
    EXPECT_EQ(e->Next.get(), f);
}

TEST_F(Containers, DisposeAllFreesEveryContainerListAndAttachment) {
    DisposeAllContainers();  // empty chain: nothing happens
    EXPECT_EQ(FirstContainer, nullptr);
    for (int c = 0; c < 3; ++c) {
        AppendContainer(FirstContainer, CurrentContainer);
        for (int i = 0; i < 4; ++i) {
            SetCurrent(i ? ecLine : ecStart, i, c);
            AppendToCurrentContainer();
        }
        ASSERT_NE(AddContainerAttachment(), nullptr);
        AddContainerAttachment();
    }
    TDrawingContainer* second = FirstContainer->NextContainer;
    EXPECT_EQ(second->PrevContainer.get(), FirstContainer);
    EXPECT_EQ(second->NextContainer.get(), CurrentContainer);
    EXPECT_EQ(ElementCount(second->Elements), 4u);
    EXPECT_EQ(lowheap::LiveBlocks(), live_ + 3 * (1 + 4 + 2));
    DisposeAllContainers();
    EXPECT_EQ(FirstContainer, nullptr);
    EXPECT_EQ(CurrentContainer, nullptr);
}

TEST_F(Containers, AttachmentNeedsACurrentContainer) { EXPECT_EQ(AddContainerAttachment(), nullptr); }

TEST_F(Containers, DuplicateIntoNonNilDestinationStillCopiesEverything) {
    SetCurrent(ecStart, 0, 0);
    AppendToCurrentContainer();
    SetCurrent(ecArcNeg, 10, 0);
    CurrentElement.Bulge = -1.0L;
    AppendToCurrentContainer();
    TTempElement* copy = nullptr;
    DuplicateElementList(FirstContainerElements(), copy);
    ASSERT_EQ(ElementCount(copy), 2u);
    EXPECT_EQ(std::memcmp(copy->Next.get(), FirstContainerElements()->Next.get(), 52), 0);

    TTempElement* dropped = copy;  // still owned by the test
    Log().lastMessage.clear();
    DuplicateElementList(FirstContainerElements(), copy);
    EXPECT_EQ(Log().lastMessage, "ERROR: the duplicating destination path is NOT Nil!");
    EXPECT_NE(copy, dropped);
    EXPECT_EQ(ElementCount(copy), 2u);
    DisposeElementList(copy);
    DisposeElementList(dropped);
}

TEST_F(Containers, PctrNamesAreUniqueCaseSensitiveAndCutTo127) {
    ChainedList<TPctrRecord> names;
    EXPECT_NE(AddPctrName(names, "Tool"), nullptr);
    EXPECT_EQ(AddPctrName(names, "Tool"), nullptr);
    EXPECT_NE(AddPctrName(names, "TOOL"), nullptr);
    std::string longName(200, 'x');
    TPctrRecord* r = AddPctrName(names, longName);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Name[0], 127);
    EXPECT_EQ(PctrName(*r), std::string(127, 'x'));
    EXPECT_EQ(r->pad128[0], 0);  // nothing written past the field
    EXPECT_EQ(AddPctrName(names, longName + "y"), nullptr);  // same after the cut
    EXPECT_EQ(names.tail, r);
    EXPECT_EQ(r->Prev->Prev.get(), names.head);
    DisposePCTR(names.head);
    EXPECT_EQ(names.head, nullptr);
}

TEST_F(Containers, GuardedPcpAppendsStopAfterAnAllocationFailure) {
    ChainedList<TPcpRecord> pcp;
    PcpResultCounter = 0;
    const std::uint8_t src[13] = {0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0};
    TPcpRecord* a = AppendPcpFrom(pcp, src);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Values[0], 1u);
    EXPECT_EQ(a->Values[2], 3u);
    EXPECT_EQ(PcpResults[0], a);
    EXPECT_EQ(PcpResultCounter, 1);

    lowheap::SetMappedLimitForTesting(lowheap::MappedBytes());
    // Fill the 24-byte class until the capped heap refuses.
    int added = 0;
    while (AppendPcp(pcp)) ++added;
    lowheap::SetMappedLimitForTesting(lowheap::kNoLimit);
    EXPECT_TRUE(AllocationErrorWord & kAllocationFailedBit);
    EXPECT_EQ(AppendPcp(pcp), nullptr);  // guarded even though memory is back
    AllocationErrorWord = 0;
    EXPECT_NE(AppendPcp(pcp), nullptr);
    DisposePCP(pcp.head);
    EXPECT_EQ(pcp.head, nullptr);
}

TEST_F(Containers, RenumberGroupsPerList) {
    for (int i = 0; i < 3; ++i) AppendGroupIndex();
    struct Case {
        int list;
        std::uint16_t first[3], second[3];
    } cases[] = {{1, {1, 2, 3}, {0, 0, 0}}, {3, {1, 2, 3}, {1, 2, 3}}, {2, {1, 2, 3}, {1, 2, 3}}};
    GroupIndex.head->GroupInList1 = 9;
    for (const Case& c : cases) {
        EXPECT_EQ(RenumberGroups(c.list), 3);
        int i = 0;
        for (TGroupIndex* g = GroupIndex.head; g; g = g->Next, ++i) {
            EXPECT_EQ(g->GroupInList1, c.first[i]) << c.list;
            EXPECT_EQ(g->GroupInList2, c.second[i]) << c.list;
        }
    }
    DisposeGroupIndex();
}

TEST_F(Containers, RecordUndoAfterTwoUndoStepsDropsTheUndoneEntries) {
    Undo.recording = true;
    std::uint8_t* objs[4];
    for (auto& o : objs) o = static_cast<std::uint8_t*>(lowheap::Allocate(220));
    for (int i = 0; i < 3; ++i) RecordUndo(objs[i], nullptr, 10 + i, 0);
    EXPECT_EQ(UndoEntryCount(), 3u);
    UndoStepBack();
    UndoStepBack();
    EXPECT_EQ(Undo.current->Action, 10);
    TTempElement el{};
    el.Kind = ecLine;
    el.X = 4.0L;
    RecordUndo(objs[3], &el, 20, 0);
    EXPECT_EQ(UndoEntryCount(), 2u);
    EXPECT_EQ(Undo.current->Action, 20);
    EXPECT_EQ(Undo.current->Prev->Action, 10);
    EXPECT_EQ(std::memcmp(Undo.current->Data, &el, 64), 0);
    EXPECT_TRUE(DrawingModified);

    // Undone past the first entry: the whole journal starts over.
    UndoStepBack();
    UndoStepBack();
    RecordUndo(objs[0], nullptr, 30, 0);
    EXPECT_EQ(UndoEntryCount(), 1u);
    Undo.recording = false;
    RecordUndo(objs[0], nullptr, 31, 0);
    EXPECT_EQ(UndoEntryCount(), 1u);
    ClearUndo();
    for (auto* o : objs) lowheap::Free(o);
}
