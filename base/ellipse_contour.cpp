#include "base/ellipse_contour.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "base/geometry.h"

namespace kvd {

namespace {

struct Vec {
    long double x = 0, y = 0;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(Vec a, long double s) { return {a.x * s, a.y * s}; }
long double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
long double Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
long double Length(Vec a) { return std::hypot(a.x, a.y); }
Vec Perp(Vec a) { return {-a.y, a.x}; }
Vec Mid(Vec a, Vec b) { return {(a.x + b.x) / 2.0L, (a.y + b.y) / 2.0L}; }
bool Finite(Vec a) { return std::isfinite(a.x) && std::isfinite(a.y); }

// Angle in [0, 2*pi).
long double Turn(long double a) {
    long double r = std::fmod(a, kTwoPi);
    if (r < 0.0L) r += kTwoPi;
    if (r >= kTwoPi) r -= kTwoPi;
    return r;
}

// Counter-clockwise angle from direction `from` to direction `to`, in [0, 2*pi).
long double CcwAngle(Vec from, Vec to) { return Turn(std::atan2(Cross(from, to), Dot(from, to))); }

// Intersection of the lines p1 + s*d1 and p2 + s*d2. Lines whose angle has a
// sine not above the tolerance count as parallel and give no intersection.
bool IntersectLines(Vec p1, Vec d1, Vec p2, Vec d2, long double tolerance, Vec& out) {
    const long double c = Cross(d1, d2);
    const long double scale = Length(d1) * Length(d2);
    if (!(scale > 0.0L) || c == 0.0L || !(std::fabs(c) > tolerance * scale)) return false;
    out = p1 + d1 * (Cross(p2 - p1, d2) / c);
    return Finite(out);
}

// Centre of the circle through three points: the meeting point of two
// perpendicular bisectors.
bool CircleThrough(Vec a, Vec b, Vec c, long double tolerance, Vec& centre) {
    return IntersectLines(Mid(a, b), Perp(b - a), Mid(b, c), Perp(c - b), tolerance, centre);
}

// A contour node with its position along the contour: u is the ellipse
// parameter measured from the start point (0, -V), so it runs from 0 to 2*pi.
struct Node {
    Vec p;
    Vec c;
    long double u = 0;
    bool acrossMajorVertex = false;
};

EllipseArcNode ToArcNode(const Node& n) { return {n.p.x, n.p.y, n.c.x, n.c.y}; }

struct Quarter {
    std::vector<Vec> p;            // P[0] .. P[N-1]
    std::vector<long double> phi;  // their parameters
    std::vector<Vec> c;            // C[0] .. C[N-2]: centre of the arc from P[j] to P[j+1]
};

// Samples of the first quadrant and the centres of the arcs through them.
bool BuildQuarter(long double U, long double V, long double parallelTolerance, Quarter& q) {
    const int N = EllipseSampleCount(U, V);
    const int n = N - 2;
    long double F = 4.0L * std::atan2(U, V) / kPi - 1.0L;
    if (F < 0.001L) F = 0.001L;

    q.p.assign(static_cast<std::size_t>(N), Vec{});
    q.phi.assign(static_cast<std::size_t>(N), 0.0L);
    q.p[0] = {U, 0.0L};
    q.p[N - 1] = {0.0L, V};
    q.phi[N - 1] = kPi / 2.0L;
    // The samples crowd towards the major vertex, where the curvature is largest.
    for (int j = 1; j <= n; ++j) {
        const long double t = static_cast<long double>(j) / n;
        const long double phi = 0.4L * kPi * t * std::pow(t, F);
        q.phi[j] = phi;
        q.p[j] = {U * std::cos(phi), V * std::sin(phi)};
    }

    q.c.assign(static_cast<std::size_t>(N - 1), Vec{});
    // The arc across the minor vertex is symmetric about the minor axis, so its
    // tangent there is parallel to the major axis.
    const Vec pm = q.p[N - 2];
    if (!CircleThrough(pm, q.p[N - 1], Vec{-pm.x, pm.y}, parallelTolerance, q.c[N - 2])) return false;
    q.c[N - 2].x = 0.0L;  // on the axis of symmetry, exactly
    // Each further centre lies on the radius of the previous arc at their
    // common point, so the arcs meet without a kink.
    for (int j = N - 2; j >= 1; --j) {
        const Vec a = q.p[j], b = q.p[j - 1];
        if (!IntersectLines(Mid(a, b), Perp(a - b), a, q.c[j] - a, parallelTolerance, q.c[j - 1])) return false;
        // A centre behind the common point would reverse the direction there.
        if (!(Dot(q.c[j - 1] - a, q.c[j] - a) > 0.0L)) return false;
    }
    // The arc across the major vertex is made symmetric about the major axis;
    // its tangent at P[1] need not match the neighbouring arc exactly.
    const Vec p1 = q.p[1];
    if (!CircleThrough(p1, q.p[0], Vec{p1.x, -p1.y}, parallelTolerance, q.c[0])) return false;
    q.c[0].y = 0.0L;
    return true;
}

// The closed contour in the local frame, starting at (0, -V) and visiting the
// quadrants (+x,-y), (+x,+y), (-x,+y), (-x,-y): 4N - 7 arcs.
std::vector<Node> MirrorQuarter(const Quarter& q, long double V) {
    const int N = static_cast<int>(q.p.size());
    const long double h = kPi / 2.0L;
    auto mx = [](Vec v) { return Vec{-v.x, v.y}; };
    auto my = [](Vec v) { return Vec{v.x, -v.y}; };
    auto mxy = [](Vec v) { return Vec{-v.x, -v.y}; };
    std::vector<Node> nodes;
    nodes.reserve(static_cast<std::size_t>(4 * N - 6));
    nodes.push_back({Vec{0.0L, -V}, Vec{}, 0.0L});
    for (int j = N - 2; j >= 1; --j) nodes.push_back({my(q.p[j]), my(q.c[j]), h - q.phi[j]});
    nodes.push_back({q.p[1], q.c[0], h + q.phi[1], true});
    for (int j = 2; j <= N - 2; ++j) nodes.push_back({q.p[j], q.c[j - 1], h + q.phi[j]});
    nodes.push_back({mx(q.p[N - 2]), q.c[N - 2], 3.0L * h - q.phi[N - 2]});
    for (int j = N - 3; j >= 1; --j) nodes.push_back({mx(q.p[j]), mx(q.c[j]), 3.0L * h - q.phi[j]});
    nodes.push_back({mxy(q.p[1]), mxy(q.c[0]), 3.0L * h + q.phi[1], true});
    for (int j = 2; j <= N - 2; ++j) nodes.push_back({mxy(q.p[j]), mxy(q.c[j - 1]), 3.0L * h + q.phi[j]});
    nodes.push_back({Vec{0.0L, -V}, my(q.c[N - 2]), kTwoPi});
    return nodes;
}

// Every arc between samples must turn the contour's way with its centre on
// the left of its chord (a sweep below a half turn); anything else would
// loop. The arcs across the major vertices are circles through three points
// with their centre on the axis, which always pass the vertex; for very flat
// ellipses (axis ratio above about 500) they sweep more than a half turn
// round the tip, which is tiny then.
bool ArcsAreConvex(const std::vector<Node>& nodes) {
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        const Vec a = nodes[i - 1].p, b = nodes[i].p, c = nodes[i].c;
        if (!Finite(b) || !Finite(c)) return false;
        if (!nodes[i].acrossMajorVertex && !(Cross(b - a, c - a) > 0.0L)) return false;
    }
    return true;
}

// How a parameter span is taken: the whole contour, nothing, or the stretch
// `span` long (0 < span < 2*pi).
enum class RangeKind { Full, Empty, Partial };
RangeKind ClassifySpan(long double start, long double end, long double& span) {
    const long double raw = end - start;
    if (!std::isfinite(raw)) return RangeKind::Full;
    if (raw >= kFullEllipseSpan) return RangeKind::Full;
    span = Turn(raw);
    // Whole turns backwards (2*pi to 0) are the whole ellipse too; a span
    // below half a turn never is.
    if (std::fabs(raw) >= kPi && (span <= 1e-9L || span >= kFullEllipseSpan)) return RangeKind::Full;
    if (!(span > 0.0L)) return RangeKind::Empty;
    if (span >= kFullEllipseSpan) return RangeKind::Full;
    return RangeKind::Partial;
}

// Where the contour meets the ray through the ellipse point of local
// parameter u (measured from the start point): the arc index (1-based) and
// the point.
struct Cut {
    std::size_t arc = 1;
    Vec p;
};

Cut CutAt(const std::vector<Node>& nodes, long double U, long double V, long double u) {
    Cut cut;
    const std::size_t last = nodes.size() - 1;
    cut.arc = last;
    for (std::size_t i = 1; i <= last; ++i) {
        if (u < nodes[i].u) {
            cut.arc = i;
            break;
        }
    }
    const Node& n0 = nodes[cut.arc - 1];
    const Node& n1 = nodes[cut.arc];
    const long double s = u - kPi / 2.0L;
    Vec dir{U * std::cos(s), V * std::sin(s)};
    dir = dir * (1.0L / Length(dir));
    const Vec c = n1.c;
    const long double r = Length(n1.p - c);
    const long double p = Dot(dir, c);
    long double disc = p * p - (Dot(c, c) - r * r);
    if (disc < 0.0L) disc = 0.0L;
    const long double root = std::sqrt(disc);
    // Of the ray's two meetings with the arc's circle, the one on the arc.
    const long double sweep = CcwAngle(n0.p - c, n1.p - c);
    long double bestMiss = 0.0L;
    bool found = false;
    for (long double lambda : {p + root, p - root}) {
        if (!(lambda > 0.0L)) continue;
        const Vec q = dir * lambda;
        const long double a = CcwAngle(n0.p - c, q - c);
        const long double miss = a <= sweep ? 0.0L : std::min(a - sweep, kTwoPi - a);
        if (!found || miss < bestMiss) {
            found = true;
            bestMiss = miss;
            cut.p = q;
        }
    }
    if (!found) cut.p = n1.p;  // not reached for a contour around its centre
    return cut;
}

// Appends an arc to `out` unless it has no length.
void AppendArc(std::vector<Node>& out, Vec end, Vec centre, long double epsilon) {
    if (Length(end - out.back().p) <= epsilon) return;
    out.push_back({end, centre, 0.0L});
}

// The stretch of the closed contour from the cut `from` to the cut `to` in the
// contour's sense; `wraps` when it runs through the contour's start.
std::vector<Node> Stretch(const std::vector<Node>& nodes, const Cut& from, const Cut& to, bool wraps,
                          long double epsilon) {
    const std::size_t last = nodes.size() - 1;
    std::vector<Node> out;
    out.push_back({from.p, Vec{}, 0.0L});
    if (!wraps && from.arc == to.arc) {
        AppendArc(out, to.p, nodes[to.arc].c, epsilon);
        return out;
    }
    std::size_t i = from.arc;
    AppendArc(out, nodes[i].p, nodes[i].c, epsilon);
    for (;;) {
        i = i == last ? 1 : i + 1;
        if (i == to.arc) break;
        AppendArc(out, nodes[i].p, nodes[i].c, epsilon);
    }
    AppendArc(out, to.p, nodes[to.arc].c, epsilon);
    return out;
}

// Restarts a closed contour at its lowest point: where an arc passes the
// downward direction seen from its centre. The two halves of the arc that
// held the old start are joined first when they share their circle.
std::vector<Node> RestartAtLowestPoint(std::vector<Node> nodes, long double epsilon) {
    std::size_t last = nodes.size() - 1;
    if (last >= 3) {
        const Vec c1 = nodes[1].c, cl = nodes[last].c;
        if (c1.x == cl.x && c1.y == cl.y) {
            std::vector<Node> joined;
            joined.push_back({nodes[last - 1].p, Vec{}, 0.0L});
            joined.insert(joined.end(), nodes.begin() + 1, nodes.end() - 1);
            nodes.swap(joined);
            last = nodes.size() - 1;
        }
    }
    std::size_t best = 0;
    Vec lowest;
    for (std::size_t i = 1; i <= last; ++i) {
        const Vec a = nodes[i - 1].p, b = nodes[i].p, c = nodes[i].c;
        const long double sweep = CcwAngle(a - c, b - c);
        if (CcwAngle(a - c, Vec{0.0L, -1.0L}) <= sweep) {
            const long double r = (Length(a - c) + Length(b - c)) / 2.0L;
            const Vec q{c.x, c.y - r};
            if (best == 0 || q.y < lowest.y) {
                best = i;
                lowest = q;
            }
        }
    }
    if (best == 0) {
        // No arc passes the direction (only rounding can cause this): start
        // at the lowest node instead.
        best = 1;
        for (std::size_t i = 2; i <= last; ++i) {
            if (nodes[i].p.y < nodes[best].p.y) best = i;
        }
        lowest = nodes[best].p;
        best = best == last ? 1 : best + 1;
    }
    std::vector<Node> out;
    out.push_back({lowest, Vec{}, 0.0L});
    AppendArc(out, nodes[best].p, nodes[best].c, epsilon);
    for (std::size_t i = best == last ? 1 : best + 1; i != best; i = i == last ? 1 : i + 1) {
        AppendArc(out, nodes[i].p, nodes[i].c, epsilon);
    }
    AppendArc(out, lowest, nodes[best].c, epsilon);
    out.back().p = lowest;  // closed exactly, even when the last piece had no length
    return out;
}

}  // namespace

int EllipseSampleCount(long double u, long double v) {
    const long double k = u / v;
    const long double n = std::nearbyint((k - 1.0L) / k * 16.0L + 4.0L);
    return static_cast<int>(std::clamp(n, 4.0L, 20.0L));
}

EllipseStatus BuildEllipseContour(const EllipseShape& shape, EllipseContour& out) {
    out = EllipseContour{};
    const long double a = std::fabs(shape.a);
    const long double b = std::fabs(shape.b);
    const long double tolerance = std::max(shape.tolerance, 0.0L);
    if (!(a > tolerance) || !(b > tolerance) || !std::isfinite(a) || !std::isfinite(b)) {
        return EllipseStatus::TooSmall;
    }

    // Local frame: the longer semi-axis U along x. When the box is taller
    // than wide, the local frame is the box's turned by a quarter.
    const bool tall = a < b;
    const long double U = tall ? b : a;
    const long double V = tall ? a : b;
    if (U / V > kMaxEllipseAxisRatio) return EllipseStatus::TooFlat;

    long double span = 0.0L;
    const RangeKind range = ClassifySpan(shape.startParam, shape.endParam, span);
    if (range == RangeKind::Empty) return EllipseStatus::EmptyRange;

    Quarter quarter;
    if (!BuildQuarter(U, V, std::max(shape.parallelTolerance, 0.0L), quarter)) {
        return EllipseStatus::ConstructionFailed;
    }
    std::vector<Node> nodes = MirrorQuarter(quarter, V);
    if (!ArcsAreConvex(nodes)) return EllipseStatus::ConstructionFailed;
    out.samples = static_cast<int>(quarter.p.size());
    const long double epsilon = U * 1e-15L;

    if (range == RangeKind::Partial) {
        // File parameter t is local parameter offset - t: the records reverse
        // Y, which turns the file's counter-clockwise sense round. A plane
        // facing away turns it back. A tall box's local x is the file's y.
        const long double offset = tall ? -kPi / 2.0L : 0.0L;
        const bool reversed = !(shape.extrusionZ < 0.0L);
        const long double localStart =
            reversed ? offset - (shape.startParam + span) : offset + shape.startParam;
        const long double u0 = Turn(localStart + kPi / 2.0L);
        const long double u1 = u0 + span;
        const bool wraps = u1 >= kTwoPi;
        const Cut from = CutAt(nodes, U, V, u0);
        const Cut to = CutAt(nodes, U, V, wraps ? u1 - kTwoPi : u1);
        nodes = Stretch(nodes, from, to, wraps, epsilon);
        if (nodes.size() < 2) return EllipseStatus::EmptyRange;
    }
    out.closed = range == RangeKind::Full;

    // Rotation into the box's frame: by -rotation (the records reverse the
    // file's Y), and a quarter turn more for a tall box.
    const long double degrees = (tall ? 0.0L : 90.0L) + shape.rotation * 57.29577951308232L;
    const bool rotated = degrees != 90.0L;
    if (rotated) {
        long double c, s;
        if (shape.rotation == 0.0L) {
            c = 0.0L;  // a quarter turn, exactly
            s = 1.0L;
        } else {
            const long double alpha = (tall ? kPi / 2.0L : 0.0L) - shape.rotation;
            c = std::cos(alpha);
            s = std::sin(alpha);
        }
        auto turn = [c, s](Vec v) { return Vec{v.x * c - v.y * s, v.x * s + v.y * c}; };
        for (Node& n : nodes) {
            n.p = turn(n.p);
            n.c = turn(n.c);
        }
        if (out.closed && shape.restartAtLowestPoint) nodes = RestartAtLowestPoint(std::move(nodes), epsilon);
    }

    out.nodes.reserve(nodes.size());
    for (const Node& n : nodes) out.nodes.push_back(ToArcNode(n));
    return EllipseStatus::Built;
}

}  // namespace kvd
