#include "base/element_length.h"

#include <cmath>

#include "base/arcs.h"
#include "base/geometry.h"

namespace kvd {

long double ElementLength(const TTempElement* e) {
    if (!e || !e->Prev) return 0.0L;
    const TTempElement* p = e->Prev;
    const long double x0 = p->X, y0 = p->Y, x1 = e->X, y1 = e->Y;
    const unsigned code = KindCode(e->Kind);
    if (code == ecLine || (code >= 4 && code <= 6)) return PointDistance(x0, y0, x1, y1);
    if (!IsArcCode(code)) return 0.0L;
    Real48 cx, cy, r;
    if (!CentreFromBulge(cx, cy, r, code, e->Bulge, x0, y0, x1, y1)) return PointDistance(x0, y0, x1, y1);
    Real48 start, end;
    return std::fabs(ArcSweep(code, start, end, cx, cy, x0, y0, x1, y1)) * r.ToLongDouble();
}

}  // namespace kvd
