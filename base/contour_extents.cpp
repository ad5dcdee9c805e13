#include "base/contour_extents.h"

#include <cmath>

#include "base/arcs.h"
#include "base/contour_navigation.h"

namespace kvd {

TContourExtentsInfo ContourExtentsInfo;

namespace {

// One element's box; each bound carries the other coordinate of its point.
struct Box {
    long double minX, minXOther, maxX, maxXOther;
    long double minY, minYOther, maxY, maxYOther;
};

// False for elements that add nothing (codes 7 and above).
bool ElementBox(const TTempElement& e, Box& b) {
    const unsigned code = KindCode(e.Kind);
    if (code >= 7) return false;
    const long double x = e.X, y = e.Y;
    b = {x, y, x, y, y, x, y, x};
    if (code != ecArcNeg && code != ecArcPos && code != 6) return true;
    const TTempElement* p = e.Prev;
    if (!p) return true;
    const long double x0 = p->X, y0 = p->Y;
    Real48 cx48, cy48, r48;
    if (!CentreFromBulge(cx48, cy48, r48, code, e.Bulge, x0, y0, x, y)) return true;
    const long double cx = cx48, cy = cy48, r = std::fabs(r48.ToLongDouble());
    if (r > ContourExtentsInfo.LargestRadius) ContourExtentsInfo.LargestRadius = r;
    const long double start = AngleOf(y0 - cy, x0 - cx);
    const long double end = AngleOf(y - cy, x - cx);
    if (ArcPassesAngle(code, r, kPi, start, end) && cx - r < b.minX) b.minX = cx - r, b.minXOther = cy;
    if (ArcPassesAngle(code, r, 0.0L, start, end) && cx + r > b.maxX) b.maxX = cx + r, b.maxXOther = cy;
    if (ArcPassesAngle(code, r, 1.5L * kPi, start, end) && cy - r < b.minY) b.minY = cy - r, b.minYOther = cx;
    if (ArcPassesAngle(code, r, 0.5L * kPi, start, end) && cy + r > b.maxY) b.maxY = cy + r, b.maxYOther = cx;
    return true;
}

void SetSide(TExtentSide& side, TTempElement* e, long double other) {
    side.Element = e;
    side.Other = other;
}

}  // namespace

void ContourListExtents(TTempElement* head, TRealPoint3& min, TRealPoint3& max) {
    TContourExtentsInfo& info = ContourExtentsInfo;
    info = TContourExtentsInfo{};
    bool first = true;
    TTempElement* e = head;
    while (e) {
        if (KindCode(e->Kind) != ecStart) {
            e = e->Next;
            continue;
        }
        TTempElement* last = FindContourEnd(e);
        for (TTempElement* q = e;; q = q->Next) {
            Box b;
            if (ElementBox(*q, b)) {
                const long double z = q->Z;
                if (first) {
                    min = RealPoint3(b.minX, b.minY, z);
                    max = RealPoint3(b.maxX, b.maxY, z);
                    SetSide(info.MinX, q, b.minXOther);
                    SetSide(info.MaxX, q, b.maxXOther);
                    SetSide(info.MinY, q, b.minYOther);
                    SetSide(info.MaxY, q, b.maxYOther);
                    SetSide(info.MinZ, q, 0.0L);
                    SetSide(info.MaxZ, q, 0.0L);
                    first = false;
                }
                if (b.maxX > max.X.ToLongDouble()) max.X = b.maxX, SetSide(info.MaxX, q, b.maxXOther);
                if (b.maxY > max.Y.ToLongDouble()) max.Y = b.maxY, SetSide(info.MaxY, q, b.maxYOther);
                if (b.minX < min.X.ToLongDouble()) min.X = b.minX, SetSide(info.MinX, q, b.minXOther);
                if (b.minY < min.Y.ToLongDouble()) min.Y = b.minY, SetSide(info.MinY, q, b.minYOther);
                if (z < min.Z.ToLongDouble()) min.Z = z, SetSide(info.MinZ, q, 0.0L);
                if (z > max.Z.ToLongDouble()) max.Z = z, SetSide(info.MaxZ, q, 0.0L);
            }
            if (q == last) break;
        }
        e = last->Next;
    }
}

}  // namespace kvd
