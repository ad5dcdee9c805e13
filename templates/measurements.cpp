#include "templates/measurements.h"

#include <cmath>

#include "base/arcs.h"
#include "base/contour_extents.h"
#include "base/element_length.h"
#include "base/number_format.h"

namespace kvd {

long double FirstContourArea(const TTempElement* head) {
    if (!head) return 0.0L;
    const long double sx = head->X, sy = head->Y;
    long double px = sx, py = sy;
    long double twice = 0.0L;  // twice the signed area (shoelace over the chords)
    long double segments = 0.0L;
    for (const TTempElement* e = head->Next; e; e = e->Next) {
        const unsigned code = KindCode(e->Kind);
        if (code == ecStart) break;
        if (IsNonGeometricKind(e->Kind)) continue;
        const long double x = e->X, y = e->Y;
        twice += px * y - x * py;
        if (IsArcCode(code)) {
            Real48 cx, cy, r;
            if (CentreFromBulge(cx, cy, r, code, e->Bulge, px, py, x, y)) {
                Real48 a0, a1;
                const long double s = ArcSweep(code, a0, a1, cx, cy, px, py, x, y);
                const long double rr = r.ToLongDouble();
                // The circular segment between chord and arc, on the side the sweep turns to.
                segments += 0.5L * rr * rr * (s - std::sin(s));
            }
        }
        px = x;
        py = y;
    }
    twice += px * sy - sx * py;  // closing line (zero when the contour is closed)
    return std::fabs(0.5L * twice + segments);
}

long double ListPerimeter(const TTempElement* head) {
    long double sum = 0.0L;
    for (const TTempElement* e = head; e; e = e->Next) sum += ElementLength(e);
    return sum;
}

DrawingMeasures MeasureDrawing(TTempElement* head, TemplateTab tab, const TemplateParameters& params) {
    DrawingMeasures m;
    m.area = FirstContourArea(head);
    m.perimeter = ListPerimeter(head);
    if (tab == TemplateTab::Lapide) {
        m.Mar1 = RealPoint2(0, 0);
        m.Mar2 = RealPoint2(params.SlabWidth, params.SlabHeight);
    } else if (head) {
        TRealPoint3 mn = RealPoint3(1e30L, 1e30L, 1e30L), mx = RealPoint3(-1e30L, -1e30L, -1e30L);
        ContourListExtents(head, mn, mx);
        if (mx.X.ToLongDouble() >= mn.X.ToLongDouble()) {
            m.Mar1 = RealPoint2(mn.X, mn.Y);
            m.Mar2 = RealPoint2(mx.X, mx.Y);
        }
    }
    m.W = m.Mar2.X.ToDouble() - m.Mar1.X.ToDouble();
    m.H = m.Mar2.Y.ToDouble() - m.Mar1.Y.ToDouble();
    return m;
}

std::string MeasurementCaption(const DrawingMeasures& m, bool matrixTicked, std::int64_t pieces, bool matrixRefused) {
    if (!m.HasExtent()) return {};
    const long double a = m.area, l = m.perimeter;
    std::string s = "A" + FormatRealDefault(a) + "mm\u00B2 = " + FormatRealDefault(a * 1e-6L) + "m\u00B2   L" +
                    FormatRealDefault(l) + "mm = " + FormatRealDefault(l * 0.001L) + "m    [" +
                    FormatRealDefault(m.W) + " X " + FormatRealDefault(m.H) + "]";
    if (matrixTicked)
        s = "{" + std::to_string(pieces) + (matrixRefused ? " pcs: too many, 1 drawn" : " pcs") + "} x {" + s + "}";
    return s;
}

}  // namespace kvd
