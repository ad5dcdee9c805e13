#include "base/contour_reversal.h"

#include <utility>

#include "base/contour_navigation.h"
#include "base/element_list.h"

namespace kvd {

TTempElement* ReverseFirst = nullptr;
TTempElement* ReverseLast = nullptr;
std::uint32_t ReverseOptions = 0;

namespace {

constexpr std::uint32_t kFlagsHigh = 1u << 31;
constexpr std::uint32_t kFlagsLow = ~kFlagsHigh;

bool IsSplineCode(unsigned code) { return code >= 4 && code <= 6; }
bool IsSplineBody(unsigned code) { return code == 4 || code == 6; }  // a run's elements before its end

void SetCode(TTempElement& e, unsigned code) { e.Kind = static_cast<std::uint16_t>((e.Kind & ~0xFu) | code); }

// Negation by the sign bit: exact, and twice gives back the same bytes (a
// zero, exponent byte 0, is left as it is).
Real48 Negated(Real48 v) {
    if (v.bytes[0] != 0) v.bytes[5] ^= 0x80;
    return v;
}

void SwapSegmentValues(TTempElement& a, TTempElement& b) {
    std::swap(a.Correction, b.Correction);
    std::swap(a.Inclination, b.Inclination);
    std::swap(a.Aux, b.Aux);
}

// Exchanges point a with point b and the segment that ends at a.Next with
// the segment that ends at b. When b is a.Next the one segment is turned
// round in place.
void ExchangePair(TTempElement& a, TTempElement& b, TTempElement& an) {
    std::swap(a.X, b.X);
    std::swap(a.Y, b.Y);
    std::swap(a.Z, b.Z);
    SwapSegmentValues(an, b);
    std::swap(a.Extra50, b.Extra50);
    std::swap(a.Extra51, b.Extra51);
    std::swap(a.Link, b.Link);
    const Real48 anBulge = an.Bulge, bBulge = b.Bulge;
    an.Bulge = Negated(bBulge);
    b.Bulge = Negated(anBulge);
    std::swap(an.Slot, b.Slot);
    // Bits 0-30 belong to the segment, bit 31 to the point.
    const std::uint32_t fan = an.Flags, fb = b.Flags;
    an.Flags = (fan & kFlagsHigh) | (fb & kFlagsLow);
    b.Flags = (fb & kFlagsHigh) | (fan & kFlagsLow);
    const std::uint32_t ha = a.Flags & kFlagsHigh, hb = b.Flags & kFlagsHigh;
    a.Flags = (a.Flags & kFlagsLow) | hb;
    b.Flags = (b.Flags & kFlagsLow) | ha;
    if (!(ReverseOptions & kReverseKeepsParam)) std::swap(a.Param, b.Param);
}

// After reversal a spline run (codes 4 and 6 closed by a 5) begins with its
// former end. Moves the end code back to the run's last element, and turns
// the run's Correction, Inclination and Aux round again: within a run they
// belong to the element's place (the end element carries the run's data),
// not to the segment. Works on every run, so that reversing twice restores
// the contour wherever its runs stand.
void RepairSplineRuns(TTempElement* s, TTempElement* t) {
    bool looking = false;
    for (TTempElement* e = s;; e = e->Next) {
        if (!looking && KindCode(e->Kind) == 5) {
            SetCode(*e, 4);
            looking = true;
        }
        if (looking && IsSplineBody(KindCode(e->Kind))) {
            const TTempElement* next = (e == t) ? nullptr : static_cast<TTempElement*>(e->Next);
            if (!next || !IsSplineBody(KindCode(next->Kind))) {
                SetCode(*e, 5);
                looking = false;
            }
        }
        if (e == t) break;
    }

    for (TTempElement* e = s; e != t;) {
        e = e->Next;
        if (!IsSplineCode(KindCode(e->Kind))) continue;
        TTempElement* runEnd = e;
        while (IsSplineBody(KindCode(runEnd->Kind)) && runEnd != t) runEnd = runEnd->Next;
        if (KindCode(runEnd->Kind) == 5) {
            for (TTempElement *lo = e, *hi = runEnd; lo != hi; lo = lo->Next, hi = hi->Prev) {
                SwapSegmentValues(*lo, *hi);
                if (lo->Next == hi) break;
            }
        }
        e = runEnd;
    }
}

bool Reaches(const TTempElement* from, const TTempElement* to) {
    for (const TTempElement* e = from; e; e = e->Next)
        if (e == to) return true;
    return false;
}

}  // namespace

void FlipArc(TTempElement& e) {
    const unsigned code = KindCode(e.Kind);
    if (IsArcCode(code)) SetCode(e, 5u - code);
}

void SwapKinds(TTempElement& n, TTempElement& m) {
    std::swap(n.Kind, m.Kind);
    FlipArc(n);
    FlipArc(m);
}

void ReverseContour() {
    TTempElement* const s = ReverseFirst;
    TTempElement* const t = ReverseLast;
    if (!s || !s->Next || s == t || !t) return;
    // Walking towards each other from both ends needs t after s.
    if (!Reaches(s->Next, t)) return;

    TTempElement* a = s;
    TTempElement* b = t;
    bool spline = false;
    for (;;) {
        TTempElement* an = a->Next;
        const bool last = (b == a) || (b == an) || (an == b->Prev);
        if (IsSplineCode(KindCode(a->Kind)) || IsSplineCode(KindCode(b->Kind)) || (an && IsSplineCode(KindCode(an->Kind))))
            spline = true;
        if (b == an)
            FlipArc(*b);
        else if (!last || an == b->Prev)
            SwapKinds(*an, *b);
        if (b != a) ExchangePair(*a, *b, *an);
        if (last) break;
        a = an;
        b = b->Prev;
    }

    if (spline) RepairSplineRuns(s, t);
    for (TTempElement* e = s;; e = e->Next) {
        e->Flags ^= kFlagReversed;
        if (e == t) break;
    }
}

void ReverseContourAt(TTempElement* e, bool clearMark) {
    if (!e) return;
    ReverseFirst = FindContourStart(e);
    if (!ReverseFirst->Next) return;
    TTempElement* last = FindContourEnd(e);
    // Records that stand between contours are not segments of this one.
    while (last != ReverseFirst && IsNonGeometricKind(last->Kind)) last = last->Prev;
    ReverseLast = last;
    ReverseContour();
    if (clearMark) ClearReversedMark(ReverseFirst, ReverseLast->Next);
}

void ClearReversedMark(TTempElement* first, const TTempElement* stop) {
    for (TTempElement* e = first; e && e != stop; e = e->Next) e->Flags &= ~kFlagReversed;
}

}  // namespace kvd
