// Element lists: doubly linked lists of TTempElement held as Head/Tail pairs.
//
// The list variables may be native pointers (library globals, the host's
// variables) or 32-bit record fields (Ptr32); the operations take either.
#pragma once
#include <cstdint>

#include "base/low_heap.h"
#include "kvd/element.h"

namespace kvd {

// The library's global work element: producers fill it and append copies.
extern TTempElement CurrentElement;

// Set by appends that change the host's drawing.
extern bool DrawingModified;

#pragma pack(push, 1)
struct TDrawingExtents {
    Real48 MinX, MinY, MaxX, MaxY;
    bool Set;
};
#pragma pack(pop)
static_assert(sizeof(TDrawingExtents) == 25);
extern TDrawingExtents DrawingExtents;

// Grows DrawingExtents to include the point.
void ExtendExtents(double x, double y);
void ResetExtents();

// Clears CurrentElement to 64 zero bytes, as every producer does before filling it.
void ClearCurrentElement();

inline TTempElement* NewElement() { return lowheap::New<TTempElement>(); }
inline void FreeElement(TTempElement* e) { lowheap::Free(e); }

// Allocates a copy of all 64 source bytes and links it at the tail.
template <typename P>
TTempElement* AppendElement(P& head, P& tail, const TTempElement& source) {
    TTempElement* e = NewElement();
    *e = source;
    TTempElement* t = tail;
    if (static_cast<TTempElement*>(head) == nullptr) {
        t = nullptr;
        head = e;
    } else {
        t->Next = e;
    }
    e->Next = nullptr;
    e->Prev = t;
    tail = e;
    return e;
}

template <typename P>
TTempElement* AppendCurrentElement(P& head, P& tail) {
    return AppendElement(head, tail, CurrentElement);
}

// Records an undo entry for an element appended to the host's drawing;
// defined with the undo journal.
void JournalAppendedElement(TTempElement* e);

// As AppendCurrentElement, but a segment that ends where the tail ends
// (same X, Y and Z) is not appended. Returns the new element or nullptr.
template <typename P>
TTempElement* AppendCurrentElementNoRepeat(P& head, P& tail) {
    TTempElement* t = tail;
    if (t && IsSegmentCode(KindCode(CurrentElement.Kind)) &&
        t->X.ToLongDouble() == CurrentElement.X.ToLongDouble() &&
        t->Y.ToLongDouble() == CurrentElement.Y.ToLongDouble() &&
        t->Z.ToLongDouble() == CurrentElement.Z.ToLongDouble()) {
        return nullptr;
    }
    TTempElement* e = AppendElement(head, tail, CurrentElement);
    DrawingModified = true;
    JournalAppendedElement(e);
    return e;
}

// Frees every element reachable through Next; head becomes nil.
template <typename P>
void DisposeElementList(P& head) {
    TTempElement* e = head;
    while (e) {
        TTempElement* next = e->Next;
        FreeElement(e);
        e = next;
    }
    head = nullptr;
}

// Group renumbering when the host's main or second drawing list is freed.
void RenumberGroupsForFreedList(const TTempElement* head);
// When true, DisposeElementListUpTo leaves the group index alone.
extern bool SuppressGroupRenumbering;

// Frees the elements from head up to and including `last` (all of them
// when `last` is nil or not in the list); head becomes nil.
template <typename P>
void DisposeElementListUpTo(P& head, const TTempElement* last) {
    TTempElement* e = head;
    if (!e) return;
    if (!SuppressGroupRenumbering) RenumberGroupsForFreedList(e);
    if (last == e) {
        FreeElement(e);
    } else {
        while (e) {
            TTempElement* next = (e == last) ? nullptr : static_cast<TTempElement*>(e->Next);
            FreeElement(e);
            e = next;
        }
    }
    head = nullptr;
}

// Moves the pointer back to the start element of its contour.
TTempElement* FindContourStart(TTempElement* e);

// Adds DX to X and DY to Y of every element.
void OffsetElementList(TTempElement* head, long double dx, long double dy);

// Counts the elements of a list.
std::size_t ElementCount(const TTempElement* head);

// Colour of an element as $00BBGGRR.
void SetElementColor(TTempElement& e, std::uint32_t bgr);
std::uint32_t ElementColor(const TTempElement& e);
void CopyElementColor(TTempElement& to, const TTempElement& from);

// Mirroring in one axis: code 2 <-> 3 and the bulge negated (arcs only).
void MirrorArc(TTempElement& e);

// The host's main and second drawing lists (their heads), which group
// renumbering watches; nil in this system unless a host drawing is loaded.
extern TTempElement* HostDrawingList1;
extern TTempElement* HostDrawingList2;

}  // namespace kvd
