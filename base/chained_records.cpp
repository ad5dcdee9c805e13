#include "base/chained_records.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "base/element_list.h"
#include "base/log.h"
#include "base/low_heap.h"

namespace kvd {

namespace {

// Links a fresh record at the tail of a doubly linked list.
template <typename T>
void LinkAtTail(ChainedList<T>& list, T* r) {
    if (!list.head) {
        list.head = r;
    } else {
        list.tail->Next = r;
    }
    r->Prev = list.tail;
    r->Next = nullptr;
    list.tail = r;
}

// Links a fresh record at the tail of a singly linked list.
template <typename T>
void LinkAtTailSingly(ChainedList<T>& list, T* r) {
    if (!list.head) {
        list.head = r;
    } else {
        list.tail->Next = r;
    }
    list.tail = r;
}

template <typename T>
void FreeSingly(ChainedList<T>& list) {
    T* r = list.head;
    while (r) {
        T* next = r->Next;
        lowheap::Free(r);
        r = next;
    }
    list.head = list.tail = nullptr;
}

// Frees along Next; stops at the first failing free, logs it and leaves the
// head at the record that could not be released.
template <typename T>
void DisposeLogged(T*& head, const char* what) {
    try {
        while (head) {
            T* next = head->Next;
            lowheap::Free(head);
            head = next;
        }
    } catch (const std::exception& e) {
        WriteLog(std::string(what) + ": " + e.what());
    }
}

}  // namespace

// ---- points -----------------------------------------------------------------

TPointRecord* AppendPoint(ChainedList<TPointRecord>& list, long double x, long double y) {
    auto* p = lowheap::New<TPointRecord>();
    p->X = x;
    p->Y = y;
    LinkAtTailSingly(list, p);
    return p;
}

void DisposePoints(ChainedList<TPointRecord>& list) { FreeSingly(list); }

// ---- PCP --------------------------------------------------------------------

std::uint32_t AllocationErrorWord = 0;
TPcpRecord* PcpResults[3] = {nullptr, nullptr, nullptr};
int PcpResultCounter = 0;

TPcpRecord* AppendPcp(ChainedList<TPcpRecord>& list) {
    if (AllocationErrorWord & kAllocationFailedBit) return nullptr;
    TPcpRecord* r = nullptr;
    try {
        r = lowheap::New<TPcpRecord>();
    } catch (const std::exception&) {
        AllocationErrorWord |= kAllocationFailedBit;
        return nullptr;
    }
    LinkAtTail(list, r);
    return r;
}

TPcpRecord* AppendPcpFrom(ChainedList<TPcpRecord>& list, const std::uint8_t (&source)[13]) {
    TPcpRecord* r = AppendPcp(list);
    if (!r) return nullptr;
    std::memcpy(r->Values, source + 1, 12);
    if (PcpResultCounter >= 0 && PcpResultCounter < 3) PcpResults[PcpResultCounter] = r;
    ++PcpResultCounter;
    return r;
}

void DisposePCP(TPcpRecord*& head) { DisposeLogged(head, "DisposePCP"); }

// ---- PCTR -------------------------------------------------------------------

std::string PctrName(const TPctrRecord& r) {
    std::size_t n = std::min<std::size_t>(r.Name[0], kPctrNameMax);
    return std::string(reinterpret_cast<const char*>(r.Name + 1), n);
}

TPctrRecord* AddPctrName(ChainedList<TPctrRecord>& list, const std::string& name) {
    // The field holds 127 characters after its length byte.
    const std::string cut = name.substr(0, kPctrNameMax);
    for (TPctrRecord* r = list.head; r; r = r->Next)
        if (PctrName(*r) == cut) return nullptr;
    auto* r = lowheap::New<TPctrRecord>();
    r->Name[0] = static_cast<std::uint8_t>(cut.size());
    std::memcpy(r->Name + 1, cut.data(), cut.size());
    LinkAtTail(list, r);
    return r;
}

void DisposePCTR(TPctrRecord*& head) { DisposeLogged(head, "DisposePCTR"); }

// ---- contour references -----------------------------------------------------

ChainedList<TContourRef> ContourRefs[kContourRefLists];
ContourRefSettings CurrentContourRefSettings;

TContourRef* AppendContourRef(int listNumber, TTempElement* element) {
    if (listNumber < 0 || listNumber >= kContourRefLists) return nullptr;
    auto* r = lowheap::New<TContourRef>();
    r->Element = element;
    r->ContourStart = FindContourStart(element);
    r->Setting8 = CurrentContourRefSettings.value8;
    r->Setting12 = CurrentContourRefSettings.value12;
    if (CurrentContourRefSettings.hasReference) {
        r->RefX = CurrentContourRefSettings.refX;
        r->RefY = CurrentContourRefSettings.refY;
        r->FlagByte |= 1u << 6;
    }
    r->Value64 = 0;
    r->Value68 = 0;
    LinkAtTail(ContourRefs[listNumber], r);
    return r;
}

void DisposeContourRefs(int listNumber) {
    if (listNumber < 0 || listNumber >= kContourRefLists) return;
    ChainedList<TContourRef>& l = ContourRefs[listNumber];
    DisposeLogged(l.head, "DisposeContourRefs");
    l.tail = nullptr;
}

// ---- group index ------------------------------------------------------------

ChainedList<TGroupIndex> GroupIndex;

TGroupIndex* AppendGroupIndex() {
    auto* g = lowheap::New<TGroupIndex>();
    LinkAtTailSingly(GroupIndex, g);
    return g;
}

int RenumberGroups(int listNumber) {
    int n = 0;
    for (TGroupIndex* g = GroupIndex.head; g; g = g->Next) {
        ++n;
        auto v = static_cast<std::uint16_t>(n);
        if (listNumber != 2) g->GroupInList1 = v;
        if (listNumber != 1) g->GroupInList2 = v;
    }
    return n;
}

void DisposeGroupIndex() { FreeSingly(GroupIndex); }

void RenumberGroupsForFreedList(const TTempElement* head) {
    if (!head) return;
    if (head == HostDrawingList1) RenumberGroups(1);
    else if (head == HostDrawingList2) RenumberGroups(2);
}

// ---- drawing states -----------------------------------------------------------

TDrawingStateRecord DrawingStateTemplate{};

TDrawingStateRecord* AppendDrawingState(ChainedList<TDrawingStateRecord>& list) {
    auto* r = lowheap::New<TDrawingStateRecord>();
    std::memcpy(r->Data, DrawingStateTemplate.Data, sizeof r->Data);
    r->Data[308] = 0;
    LinkAtTailSingly(list, r);
    return r;
}

void DisposeDrawingStates(ChainedList<TDrawingStateRecord>& list) { FreeSingly(list); }

}  // namespace kvd
