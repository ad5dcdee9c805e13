#include "base/contact_distance.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/geometry.h"
#include "base/precision.h"

// The copy moved by t along the axis overlaps the source while some line
// parallel to the axis meets both with a common stretch, so the contact
// distance is the widest extent of the drawing along that axis over all such
// lines. Closed contours bound areas: a line running along one of their
// edges is only the meeting line of two copies, so their extent is taken just
// above and just below each level where something changes (a vertex, the top
// or bottom of an arc). Open contours are strokes: every point of them counts.
// Between those levels the widest extent can also peak where two arcs, or an
// arc and a line, have parallel tangents; those pairs are tried as well.

namespace kvd {

namespace {

// One segment of a selected contour, in a frame whose X axis is the
// direction of the displacement (for 90 and 270 degrees X and Y are swapped).
struct Piece {
    bool arc = false;
    bool open = false;                   // part of an open contour
    long double x0, y0, x1, y1;          // end points
    long double cx = 0, cy = 0, r = 0;   // arcs: centre and radius
    long double start = 0, sweep = 0;    // arcs: start angle, signed sweep (counter-clockwise > 0)
    long double ymin, ymax;
};

struct Point {
    long double x, y;
};

// Just below or just above a level, or on it (open contours only).
enum Side { kBelow = -1, kOn = 0, kAbove = 1 };

constexpr long double kAngleTol = 1e-9L;  // radians: a point this close to an arc's end is at the end

long double Normalised(long double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

// How far along the arc the direction `angle` lies (radians from the start
// in the arc's sense); negative or beyond the sweep when it is off the arc.
long double AlongArc(const Piece& p, long double angle) {
    long double d = Normalised(p.sweep >= 0 ? angle - p.start : p.start - angle);
    if (d > kTwoPi - kAngleTol) d -= kTwoPi;
    return d;
}

bool OnArc(const Piece& p, long double angle) {
    const long double d = AlongArc(p, angle);
    return d >= 0 && d <= std::fabs(p.sweep);
}

// Strictly between the arc's ends: the ends lie on levels of their own,
// where each side is looked at separately.
bool InsideArc(const Piece& p, long double angle) {
    const long double d = AlongArc(p, angle);
    return d > kAngleTol && d < std::fabs(p.sweep) - kAngleTol;
}

int SignOfValue(long double v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

// The side of the level to which an arc runs from the point at `angle`,
// going forwards (from its start) or backwards (from its end).
int ArcDeparture(const Piece& p, long double angle, bool forwards) {
    const long double c = std::cos(angle);
    if (std::fabs(c) < kAngleTol) return -SignOfValue(std::sin(angle));  // top or bottom: towards the centre
    const int s = p.sweep >= 0 ? 1 : -1;
    return forwards ? SignOfValue(s * c) : -SignOfValue(s * c);
}

Piece LinePiece(Point a, Point b) {
    Piece p;
    p.x0 = a.x, p.y0 = a.y, p.x1 = b.x, p.y1 = b.y;
    p.ymin = std::min(a.y, b.y);
    p.ymax = std::max(a.y, b.y);
    return p;
}

Point Swapped(Point p, bool swapAxes) { return swapAxes ? Point{p.y, p.x} : p; }

// Below this bulge an arc is taken as its chord: it strays from it by less
// than 1e-7 of the chord, while its far-off centre would cost more than that
// in the arithmetic of its points.
constexpr long double kFlatBulge = 2e-7L;

// The arc of an element from `a` to its end point, its centre and sweep
// worked out in extended precision from the bulge (|bulge| = tan(sweep / 4));
// a line when the element carries no arc or a nearly flat one.
Piece ArcPiece(const TTempElement& e, Point a, bool swapAxes) {
    const Point b{e.X, e.Y};
    const long double bulge = std::fabs(e.Bulge.ToLongDouble());
    const long double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (!(chord > 0) || !(bulge > kFlatBulge)) return LinePiece(Swapped(a, swapAxes), Swapped(b, swapAxes));
    const long double r = chord / 4 * (bulge + 1 / bulge);
    const long double towardCentre = r - bulge * chord / 2;  // negative for arcs longer than a half circle
    const long double ux = (b.x - a.x) / chord, uy = (b.y - a.y) / chord;
    // Code 2 turns counter-clockwise, so its centre lies to the left of the chord.
    const bool counterClockwise = KindCode(e.Kind) == ecArcNeg;
    const long double side = counterClockwise ? 1 : -1;
    Piece p;
    p.arc = true;
    p.r = r;
    p.cx = (a.x + b.x) / 2 - side * towardCentre * uy;
    p.cy = (a.y + b.y) / 2 + side * towardCentre * ux;
    p.start = std::atan2(a.y - p.cy, a.x - p.cx);
    p.sweep = side * 4 * std::atan(bulge);
    p.x0 = a.x, p.y0 = a.y, p.x1 = b.x, p.y1 = b.y;
    if (swapAxes) {
        // Mirroring in the diagonal turns the angle t into pi/2 - t.
        std::swap(p.cx, p.cy);
        std::swap(p.x0, p.y0);
        std::swap(p.x1, p.y1);
        p.start = kPi / 2 - p.start;
        p.sweep = -p.sweep;
    }
    p.ymin = std::min(p.y0, p.y1);
    p.ymax = std::max(p.y0, p.y1);
    if (OnArc(p, kPi / 2)) p.ymax = p.cy + p.r;
    if (OnArc(p, -kPi / 2)) p.ymin = p.cy - p.r;
    return p;
}

// `closing`: how near its start a contour must end to count as closed.
void CollectPieces(const ContourSelection& selection, bool swapAxes, long double closing,
                   std::vector<Piece>& pieces) {
    for (TTempElement* start : selection.Starts()) {
        const std::size_t first = pieces.size();
        const Point origin{start->X, start->Y};
        Point pen = origin;
        for (TTempElement* e = start->Next; e && KindCode(e->Kind) != ecStart; e = e->Next) {
            const unsigned code = KindCode(e->Kind);
            if (IsNonGeometricKind(e->Kind) || code > 6) continue;
            const Point end{e->X, e->Y};
            if (IsArcCode(code))
                pieces.push_back(ArcPiece(*e, pen, swapAxes));
            else
                pieces.push_back(LinePiece(Swapped(pen, swapAxes), Swapped(end, swapAxes)));
            pen = end;
        }
        const bool open = std::hypot(pen.x - origin.x, pen.y - origin.y) > closing;
        for (std::size_t i = first; i < pieces.size(); ++i) pieces[i].open = open;
    }
}

// The X of the points of the piece on the line at height y that have the
// piece running on `side` of it (an open piece: every point on the line).
void CrossingsAt(const Piece& p, long double y, Side side, long double tol, std::vector<long double>& xs) {
    if (y < p.ymin - tol || y > p.ymax + tol) return;
    const bool any = p.open;
    if (!p.arc) {
        const long double dy = p.y1 - p.y0;
        if (std::fabs(dy) <= tol) {
            // Along the line: a stroke's whole length, an edge only where it
            // meets the rest of its contour.
            if (any) xs.push_back(p.x0), xs.push_back(p.x1);
            return;
        }
        const long double t = std::clamp((y - p.y0) / dy, 0.0L, 1.0L);
        const long double ends = tol / std::fabs(dy);
        int runs = 2;  // both sides
        if (t <= ends) runs = SignOfValue(dy);
        else if (t >= 1 - ends) runs = -SignOfValue(dy);
        if (any || runs == 2 || runs == side) xs.push_back(p.x0 + t * (p.x1 - p.x0));
        return;
    }
    if (std::fabs(p.y0 - y) <= tol && (any || ArcDeparture(p, p.start, true) == side)) xs.push_back(p.x0);
    const long double end = p.start + p.sweep;
    if (std::fabs(p.y1 - y) <= tol && (any || ArcDeparture(p, end, false) == side)) xs.push_back(p.x1);
    const long double h = std::clamp(y - p.cy, -p.r, p.r);
    const long double w = std::sqrt(std::max(0.0L, p.r * p.r - h * h));
    for (long double x : {w, -w}) {
        const long double angle = std::atan2(h, x);
        const long double along = AlongArc(p, angle);
        if (along < -kAngleTol || along > std::fabs(p.sweep) + kAngleTol) continue;
        bool counts = any;
        if (!counts) {
            if (along <= kAngleTol) counts = ArcDeparture(p, p.start, true) == side;
            else if (along >= std::fabs(p.sweep) - kAngleTol) counts = ArcDeparture(p, end, false) == side;
            else if (std::fabs(std::cos(angle)) < kAngleTol) counts = -SignOfValue(std::sin(angle)) == side;
            else counts = true;
        }
        if (counts) xs.push_back(p.cx + x);
    }
}

// The levels where the pieces that a line meets can change: end points, and
// the top and bottom of arcs.
void EventLevels(const Piece& p, std::vector<long double>& levels) {
    levels.push_back(p.y0);
    levels.push_back(p.y1);
    if (!p.arc) return;
    if (OnArc(p, kPi / 2)) levels.push_back(p.cy + p.r);
    if (OnArc(p, -kPi / 2)) levels.push_back(p.cy - p.r);
}

// The points of an arc whose tangent runs parallel to the direction (dx, dy).
void ParallelTangentPoints(const Piece& p, long double dx, long double dy, std::vector<Point>& pts) {
    const long double len = std::hypot(dx, dy);
    if (!(len > 0)) return;
    for (int s : {1, -1}) {
        const long double ux = -dy / len * s, uy = dx / len * s;  // radius across the direction
        if (std::fabs(ux) < kAngleTol) continue;                  // a level tangent: a level of its own
        if (InsideArc(p, std::atan2(uy, ux))) pts.push_back({p.cx + p.r * ux, p.cy + p.r * uy});
    }
}

class WidestExtent {
public:
    explicit WidestExtent(long double tol) : tol_(tol) {}

    void Take(long double extent) { best_ = std::max(best_, extent); }

    // The extent of all pieces on one side of a level.
    void AtLevel(const std::vector<const Piece*>& pieces, long double y, Side side) {
        xs_.clear();
        for (const Piece* p : pieces) CrossingsAt(*p, y, side, tol_, xs_);
        if (xs_.empty()) return;
        const auto [lo, hi] = std::minmax_element(xs_.begin(), xs_.end());
        Take(*hi - *lo);
    }

    // Points of one piece against a line piece at their own levels.
    void Against(const std::vector<Point>& pts, const Piece& line) {
        for (const Point& q : pts) {
            xs_.clear();
            CrossingsAt(line, q.y, kOn, tol_, xs_);
            for (long double x : xs_) Take(std::fabs(q.x - x));
        }
    }

    // Two arcs: the pairs of points with parallel tangents (their radii run
    // the same or opposite ways) on one level.
    void ArcPair(const Piece& a, const Piece& b) {
        for (int sign : {1, -1}) {
            const long double k = a.r - sign * b.r;
            if (std::fabs(k) <= tol_) continue;
            const long double uy = (b.cy - a.cy) / k;
            if (std::fabs(uy) > 1) continue;
            for (int side : {1, -1}) {
                const long double ux = side * std::sqrt(1 - uy * uy);
                if (std::fabs(ux) < kAngleTol) continue;  // level tangents: levels of their own
                if (!InsideArc(a, std::atan2(uy, ux)) || !InsideArc(b, std::atan2(sign * uy, sign * ux))) continue;
                Take(std::fabs(a.cx + a.r * ux - (b.cx + sign * b.r * ux)));
            }
        }
    }

    long double Best() const { return best_; }

private:
    long double tol_;
    long double best_ = 0;
    std::vector<long double> xs_;
};

}  // namespace

long double ContactDistance(const ContourSelection& selection, int directionDegrees) {
    long double sign;
    bool swapAxes;
    switch (directionDegrees) {
        case 0: sign = 1, swapAxes = false; break;
        case 180: sign = -1, swapAxes = false; break;
        case 90: sign = 1, swapAxes = true; break;
        case 270: sign = -1, swapAxes = true; break;
        default: return 0;
    }
    long double scale = 1;
    for (TTempElement* start : selection.Starts())
        for (TTempElement* e = start; e && (e == start || KindCode(e->Kind) != ecStart); e = e->Next)
            if (!IsNonGeometricKind(e->Kind)) scale = std::max({scale, std::fabs(e->X), std::fabs(e->Y)});
    const long double tol = scale * 1e-12L;

    // A contour closes within the working precision, as the shape builders
    // drop segments shorter than that.
    const long double closing = std::max<long double>(tol, PrecisionStep);
    std::vector<Piece> pieces;
    CollectPieces(selection, swapAxes, closing, pieces);
    if (pieces.empty()) return 0;
    std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.ymin < b.ymin; });

    WidestExtent widest(tol);

    // Every level, bottom up, with the pieces that reach it.
    std::vector<long double> levels;
    for (const Piece& p : pieces) EventLevels(p, levels);
    std::sort(levels.begin(), levels.end());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    std::vector<const Piece*> active;
    std::size_t next = 0;
    for (long double y : levels) {
        while (next < pieces.size() && pieces[next].ymin <= y + tol) active.push_back(&pieces[next++]);
        std::erase_if(active, [&](const Piece* p) { return p->ymax < y - tol; });
        widest.AtLevel(active, y, kBelow);
        widest.AtLevel(active, y, kAbove);
    }

    // Peaks between the levels.
    std::vector<Point> tangent;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& a = pieces[i];
        for (std::size_t j = i; j < pieces.size() && pieces[j].ymin <= a.ymax + tol; ++j) {
            const Piece& b = pieces[j];
            if (a.arc && b.arc) {
                widest.ArcPair(a, b);
            } else if (a.arc != b.arc) {
                const Piece& arc = a.arc ? a : b;
                const Piece& line = a.arc ? b : a;
                tangent.clear();
                ParallelTangentPoints(arc, line.x1 - line.x0, line.y1 - line.y0, tangent);
                widest.Against(tangent, line);
            }
        }
    }
    return sign * widest.Best();
}

}  // namespace kvd
