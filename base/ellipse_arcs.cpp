#include "base/ellipse_arcs.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "base/appender.h"
#include "base/arcs.h"
#include "base/element_list.h"
#include "base/ellipse_contour.h"
#include "base/geometry.h"
#include "base/log.h"

namespace kvd {

Real48 EllipseMinX;
Real48 EllipseMinY;
Real48 EllipseMaxX;
Real48 EllipseMaxY;
Real48 EllipseRotation;
Real48 EllipseStartParam;
Real48 EllipseEndParam = kTwoPi;
Real48 EllipseExtrusionZ = 1.0L;
Real48 EllipseTolerance;
Real48 EllipseParallelTolerance;
bool EllipseRestartAtLowestPoint = true;
ShapeElementSink EllipseShapeElementSink = nullptr;

void ResetEllipseInputs() {
    EllipseRotation = 0.0L;
    EllipseStartParam = 0.0L;
    EllipseEndParam = kTwoPi;
    EllipseExtrusionZ = 1.0L;
}

namespace {

std::string Number(long double x) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.9Lg", x);
    return buf;
}

// An arc of the emitted contour in the caller's coordinates (record
// orientation), from the previous point to (x, y) about (cx, cy).
struct Arc {
    long double x0, y0, x, y, cx, cy;
};

void EmitToList(TTempElement** list, long double sx, long double sy, const std::vector<Arc>& arcs) {
    TTempElement* head = *list;
    TTempElement* tail = head;
    while (tail && tail->Next) tail = tail->Next;
    TTempElement e{};
    e.Kind = ecStart;
    e.X = sx;
    e.Y = sy;
    AppendElement(head, tail, e);
    for (const Arc& a : arcs) {
        e = TTempElement{};
        e.Kind = ecArcNeg;
        e.X = a.x;
        e.Y = a.y;
        BulgeFromCentre(ecArcNeg, e.Bulge, a.cx, a.cy, a.x0, a.y0, a.x, a.y);
        AppendElement(head, tail, e);
    }
    *list = head;
}

// AddElement takes the file's Y and reverses it.
void EmitThroughAddElement(long double sx, long double sy, const std::vector<Arc>& arcs) {
    AddElement(ecStart, sx, -sy, 0.0L, 0.0L, 0.0L, 0.0L, 0.0L);
    for (const Arc& a : arcs) {
        const long double r = std::hypot(a.x - a.cx, a.y - a.cy);
        AddElement(ecArcNeg, a.x, -a.y, r, a.cx, -a.cy, a.x0, -a.y0);
    }
}

void EmitThroughSink(long double sx, long double sy, const std::vector<Arc>& arcs) {
    for (const Arc& a : arcs) {
        if (KindCode(CurrentElement.Kind) == ecStart) {
            CurrentElement.X = sx;
            CurrentElement.Y = sy;
            EllipseShapeElementSink();
        }
        CurrentElement.Kind = static_cast<std::uint16_t>((CurrentElement.Kind & ~0xFu) | ecArcNeg);
        BulgeFromCentre(ecArcNeg, CurrentElement.Bulge, a.cx, a.cy, a.x0, a.y0, a.x, a.y);
        CurrentElement.X = a.x;
        CurrentElement.Y = a.y;
        EllipseShapeElementSink();
    }
}

bool SameStored(long double a, long double b) {
    return Real48(a).ToLongDouble() == Real48(b).ToLongDouble();
}

}  // namespace

bool EllipseToArcs(int mode, TTempElement** list) {
    if (mode < emHostList || mode > emShapeElement) {
        WriteLog("EllipseToArcs: unknown mode " + std::to_string(mode) + ", nothing drawn");
        return false;
    }
    if (mode <= emHostListAlt && list == nullptr) {
        WriteLog("EllipseToArcs: no list for mode " + std::to_string(mode) + ", nothing drawn");
        return false;
    }
    if (mode == emShapeElement && EllipseShapeElementSink == nullptr) {
        WriteLog("EllipseToArcs: no shape output set, nothing drawn");
        return false;
    }

    const long double minX = EllipseMinX, minY = EllipseMinY, maxX = EllipseMaxX, maxY = EllipseMaxY;
    const long double xc = (minX + maxX) / 2.0L;
    const long double yc = (minY + maxY) / 2.0L;
    EllipseShape shape;
    shape.a = std::fabs(maxX - xc);
    shape.b = std::fabs(maxY - yc);
    shape.rotation = EllipseRotation;
    shape.startParam = EllipseStartParam;
    shape.endParam = EllipseEndParam;
    shape.extrusionZ = EllipseExtrusionZ;
    shape.tolerance = EllipseTolerance;
    shape.parallelTolerance = EllipseParallelTolerance;
    shape.restartAtLowestPoint = EllipseRestartAtLowestPoint;

    EllipseContour contour;
    switch (BuildEllipseContour(shape, contour)) {
        case EllipseStatus::Built:
            break;
        case EllipseStatus::TooSmall:
            WriteLog("EllipseToArcs: semi-axes " + Number(shape.a) + " and " + Number(shape.b) +
                     " not larger than the tolerance " + Number(shape.tolerance) + ", nothing drawn");
            return false;
        case EllipseStatus::TooFlat:
            WriteLog("EllipseToArcs: semi-axes " + Number(shape.a) + " and " + Number(shape.b) +
                     " too flat for arcs, nothing drawn");
            return false;
        case EllipseStatus::EmptyRange:
            WriteLog("EllipseToArcs: empty parameter range " + Number(shape.startParam) + " to " +
                     Number(shape.endParam) + ", nothing drawn");
            return false;
        case EllipseStatus::ConstructionFailed:
            WriteLog("EllipseToArcs: no arcs for semi-axes " + Number(shape.a) + " and " + Number(shape.b) +
                     " (parallel lines or a reversed arc), nothing drawn");
            return false;
    }

    // Back to the caller's coordinates. Arcs that end where the previous one
    // ended, once stored, would be elements without a chord.
    const std::vector<EllipseArcNode>& nodes = contour.nodes;
    const long double sx = nodes[0].x + xc, sy = nodes[0].y + yc;
    std::vector<Arc> arcs;
    arcs.reserve(nodes.size());
    long double px = sx, py = sy;
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        const Arc a{px, py, nodes[i].x + xc, nodes[i].y + yc, nodes[i].cx + xc, nodes[i].cy + yc};
        if (mode != emShapeElement && SameStored(a.x, px) && SameStored(a.y, py)) continue;
        arcs.push_back(a);
        px = a.x;
        py = a.y;
    }
    if (arcs.empty()) {
        WriteLog("EllipseToArcs: ellipse " + Number(shape.a) + " x " + Number(shape.b) +
                 " too small for its coordinates, nothing drawn");
        return false;
    }

    switch (mode) {
        case emAddElement:
            EmitThroughAddElement(sx, sy, arcs);
            break;
        case emShapeElement:
            EmitThroughSink(sx, sy, arcs);
            break;
        default:
            EmitToList(list, sx, sy, arcs);
            break;
    }
    return true;
}

}  // namespace kvd
