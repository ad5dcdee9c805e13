#include "base/ellipse_arcs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "base/appender.h"
#include "base/arcs.h"
#include "base/element_list.h"
#include "base/ellipse_contour.h"
#include "base/geometry.h"
#include "base/log.h"
#include "base/precision.h"
#include "contour_builder.h"

namespace kvd {
namespace {

constexpr long double kDeg = kPi / 180.0L;

struct Pt {
    long double x, y;
};
Pt PointOf(const TTempElement& e) { return {e.X.ToLongDouble(), e.Y.ToLongDouble()}; }

// Size of the turn between two directions, in [0, pi].
long double AngleBetween(long double a, long double b) {
    long double d = std::remainder(a - b, kTwoPi);
    return std::fabs(d);
}

// Tangent directions at the start and end of an arc of code 2 from p0 to the
// element's end point, from its stored bulge alone.
struct Tangents {
    long double start, end;
};
Tangents ArcTangents(Pt p0, const TTempElement& e) {
    const Pt p1 = PointOf(e);
    const long double chord = std::atan2(p1.y - p0.y, p1.x - p0.x);
    const long double sweep = 4.0L * std::atan(std::fabs(e.Bulge.ToLongDouble()));
    return {chord - sweep / 2.0L, chord + sweep / 2.0L};
}

// The ellipse as the caller describes it: centre in record orientation,
// semi-axis a along the box's X and b along its Y, rotation and parameters
// counter-clockwise in the file's frame (the records reverse its Y).
struct Ellipse {
    long double cx = 0, cy = 0, a = 1, b = 1, rotation = 0;
    bool facingAway = false;  // DXF extrusion Z < 0

    Pt Local(Pt p) const {
        const long double fx = p.x - cx, fy = -(p.y - cy);
        const long double c = std::cos(rotation), s = std::sin(rotation);
        return {fx * c + fy * s, -fx * s + fy * c};
    }
    // 0 on the ellipse; grows with the distance from it.
    long double Residual(Pt p) const {
        const Pt l = Local(p);
        return std::hypot(l.x / a, l.y / b) - 1.0L;
    }
    // Parameter of the ray from the centre through p.
    long double Param(Pt p) const {
        const Pt l = Local(p);
        const long double t = std::atan2((facingAway ? -l.y : l.y) / b, l.x / a);
        return t < 0 ? t + kTwoPi : t;
    }
    // Record point of parameter t.
    Pt At(long double t) const {
        const long double lx = a * std::cos(t), ly = (facingAway ? -1 : 1) * b * std::sin(t);
        const long double c = std::cos(rotation), s = std::sin(rotation);
        return {cx + lx * c - ly * s, cy - (lx * s + ly * c)};
    }
    void SetInputs() const {
        EllipseMinX = cx - a;
        EllipseMaxX = cx + a;
        EllipseMinY = cy - b;
        EllipseMaxY = cy + b;
        EllipseRotation = rotation;
        EllipseExtrusionZ = facingAway ? -1.0L : 1.0L;
    }
    long double Size() const { return std::max(a, b); }
};

bool Near(Pt p, Pt q, long double tolerance) { return std::hypot(p.x - q.x, p.y - q.y) <= tolerance; }

std::vector<std::string> EllipseLogLines() {
    std::vector<std::string> lines;
    for (const std::string& l : PendingLogLines()) {
        if (l.find("EllipseToArcs") != std::string::npos) lines.push_back(l);
    }
    return lines;
}

// Mode 3's output as the templates' AddShapeElement keeps it: copies of
// CurrentElement, a segment dropped when its end point is the previous one's
// at the working precision.
std::vector<TTempElement> gShapeElements;
TTempElement* CollectShapeElement() {
    if (!gShapeElements.empty() && KindCode(CurrentElement.Kind) != ecStart) {
        const TTempElement& last = gShapeElements.back();
        const long double d = std::hypot(CurrentElement.X.ToLongDouble() - last.X.ToLongDouble(),
                                         CurrentElement.Y.ToLongDouble() - last.Y.ToLongDouble());
        if (RoundToPrecision(d) <= 0) return nullptr;
    }
    gShapeElements.push_back(CurrentElement);
    return &gShapeElements.back();
}

class EllipseArcs : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        DisposeElementList(CurrentListHead);
        ResetAppenderState();
        ResetExtents();
        ResetEllipseInputs();
        EllipseTolerance = 0.0L;
        EllipseParallelTolerance = 0.0L;
        EllipseRestartAtLowestPoint = true;
        EllipseShapeElementSink = nullptr;
        gShapeElements.clear();
        ClearCurrentElement();
        ResetLogForTesting();
    }

    // Mode 2 into the appender's list; returns copies of what it appended.
    static std::vector<TTempElement> Import(const Ellipse& e) {
        e.SetInputs();
        EllipseToArcs(emAddElement);
        std::vector<TTempElement> out;
        for (TTempElement* p = CurrentListHead; p; p = p->Next) out.push_back(*p);
        DisposeElementList(CurrentListHead);
        CurrentListTail = nullptr;
        return out;
    }

    // One start element followed by arcs of code 2, each a minor arc turning
    // from +X towards +Y (negative bulge of magnitude below 1).
    // For very flat ellipses (axis ratio above about 500) the arcs across the
    // major vertices may be longer than a half circle.
    static void ExpectOneContourOfArcs(const std::vector<TTempElement>& els, bool minorArcsOnly = true) {
        ASSERT_GE(els.size(), 2u);
        EXPECT_EQ(KindCode(els[0].Kind), ecStart);
        for (std::size_t i = 1; i < els.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(KindCode(els[i].Kind), ecArcNeg);
            const long double b = els[i].Bulge.ToLongDouble();
            EXPECT_LT(b, 0.0L);
            if (minorArcsOnly) {
                EXPECT_GT(b, -1.0L);
            }
        }
    }

    // Directions of the joints where the tangent turns by more than 1e-9 rad
    // (the closing joint included for a closed contour).
    static std::vector<Pt> Kinks(const std::vector<TTempElement>& els, bool closed) {
        std::vector<Tangents> t;
        for (std::size_t i = 1; i < els.size(); ++i) t.push_back(ArcTangents(PointOf(els[i - 1]), els[i]));
        std::vector<Pt> kinks;
        for (std::size_t i = 0; i + 1 < t.size(); ++i) {
            if (AngleBetween(t[i].end, t[i + 1].start) > 1e-9L) kinks.push_back(PointOf(els[i + 1]));
        }
        if (closed && AngleBetween(t.back().end, t.front().start) > 1e-9L) kinks.push_back(PointOf(els[0]));
        return kinks;
    }

    // The arcs meet without a kink except where the arcs across the major
    // vertices meet their neighbours: at the mirror images of the first
    // sample P[1]. Returns the number of kinks.
    static std::size_t ExpectKinksOnlyAtFirstSamples(const std::vector<TTempElement>& els, const Ellipse& e,
                                                     bool closed) {
        const long double u = std::max(e.a, e.b), v = std::min(e.a, e.b);
        const int n = EllipseSampleCount(u, v) - 2;
        long double f = 4.0L * std::atan2(u, v) / kPi - 1.0L;
        if (f < 0.001L) f = 0.001L;
        const long double phi1 = 0.4L * kPi * (1.0L / n) * std::pow(1.0L / n, f);
        const std::vector<Pt> kinks = Kinks(els, closed);
        for (const Pt& k : kinks) {
            const long double t = e.Param(k);
            // The major vertices are at parameters 0 and pi (a >= b) or pi/2
            // and 3pi/2 (a < b).
            const long double fromMajor = e.a >= e.b ? std::fabs(std::remainder(t, kPi))
                                                     : std::fabs(std::remainder(t - kPi / 2, kPi));
            EXPECT_NEAR(static_cast<double>(fromMajor), static_cast<double>(phi1), 1e-9) << "kink off P[1]";
        }
        return kinks.size();
    }
};

// ---- full ellipses ---------------------------------------------------------

TEST_F(EllipseArcs, CircleIsNineArcsOfTheCircleItself) {
    const Ellipse circle{10, 20, 50, 50};
    const std::vector<TTempElement> els = Import(circle);
    ASSERT_EQ(els.size(), 1u + 9u);  // 4N - 7 arcs with N = 4
    ExpectOneContourOfArcs(els);
    EXPECT_TRUE(Near(PointOf(els[0]), {10, -30}, 1e-9L));  // bottom of the circle
    EXPECT_TRUE(Near(PointOf(els.back()), PointOf(els[0]), 0));
    for (std::size_t i = 1; i < els.size(); ++i) {
        SCOPED_TRACE(i);
        Real48 cx, cy, r;
        ASSERT_TRUE(CentreFromBulge(cx, cy, r, ecArcNeg, els[i].Bulge, els[i - 1].X, els[i - 1].Y, els[i].X,
                                    els[i].Y));
        EXPECT_NEAR(cx.ToDouble(), 10, 1e-9);
        EXPECT_NEAR(cy.ToDouble(), 20, 1e-9);
        EXPECT_NEAR(r.ToDouble(), 50, 1e-9);
    }
    EXPECT_TRUE(Kinks(els, true).empty());
}

TEST_F(EllipseArcs, SampleCountFollowsTheAxisRatio) {
    EXPECT_EQ(EllipseSampleCount(1, 1), 4);
    EXPECT_EQ(EllipseSampleCount(200, 100), 12);
    EXPECT_EQ(EllipseSampleCount(1e9L, 1), 20);
}

// Full ellipses of several shapes and rotations: one closed contour of
// minor arcs through points of the ellipse, tangent-continuous except where
// the arcs across the major vertices meet their neighbours, and close to the
// ellipse between the points.
struct FullCase {
    const char* name;
    Ellipse e;
    std::size_t arcs;
};

class FullEllipse : public EllipseArcs, public ::testing::WithParamInterface<FullCase> {};

TEST_P(FullEllipse, ClosedTangentContinuousContourOnTheEllipse) {
    const FullCase& c = GetParam();
    const Ellipse& e = c.e;
    const std::vector<TTempElement> els = Import(e);
    ASSERT_EQ(els.size(), 1 + c.arcs);
    ExpectOneContourOfArcs(els);
    EXPECT_TRUE(Near(PointOf(els.back()), PointOf(els[0]), 0)) << "closed";

    const long double size = e.Size();
    const bool rotated = !(e.rotation == 0 && e.a >= e.b);
    // Every node is a sample point of the ellipse, except the start of a
    // rotated contour, which is restarted at its lowest point.
    for (std::size_t i = rotated ? 1 : 0; i + (rotated ? 1 : 0) < els.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(static_cast<double>(e.Residual(PointOf(els[i]))), 0.0, 1e-10);
    }
    // The start is the lowest point of the contour.
    for (const TTempElement& el : els) EXPECT_GE(el.Y.ToLongDouble(), els[0].Y.ToLongDouble() - 1e-9L * size);

    // Between the nodes the arcs stay close to the ellipse.
    for (std::size_t i = 1; i < els.size(); ++i) {
        Real48 cx, cy, r;
        ASSERT_TRUE(CentreFromBulge(cx, cy, r, ecArcNeg, els[i].Bulge, els[i - 1].X, els[i - 1].Y, els[i].X,
                                    els[i].Y));
        const Tangents t = ArcTangents(PointOf(els[i - 1]), els[i]);
        const long double mid = (t.start + t.end) / 2.0L - kPi / 2.0L;  // direction from the centre
        const Pt m{cx + r * std::cos(mid), cy + r * std::sin(mid)};
        EXPECT_LT(std::fabs(e.Residual(m)), 2e-3L) << "arc " << i;
    }

    EXPECT_LE(ExpectKinksOnlyAtFirstSamples(els, e, true), 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FullEllipse,
    ::testing::Values(FullCase{"Circle", {0, 0, 1, 1}, 9}, FullCase{"Wide", {0, 0, 200, 100}, 41},
                      FullCase{"WideOffCentre", {-350, 1250, 200, 100}, 41},
                      FullCase{"Tall", {5, 5, 100, 200}, 41}, FullCase{"NearlyRound", {0, 0, 300, 299}, 9},
                      FullCase{"Flat", {0, 0, 500, 20}, 69},
                      FullCase{"Rotated30", {40, -60, 200, 100, 30 * kDeg}, 41},
                      FullCase{"RotatedMinus100", {0, 0, 200, 100, -100 * kDeg}, 41},
                      FullCase{"TallRotated", {0, 0, 60, 150, 45 * kDeg}, 49},
                      FullCase{"FullTurn", {0, 0, 200, 100, kTwoPi}, 41}),
    [](const ::testing::TestParamInfo<FullCase>& info) { return std::string(info.param.name); });

TEST_F(EllipseArcs, TallBoxIsTheWideConstructionTurnedByAQuarter) {
    // a = 100, b = 200: the same contour as a = 200, b = 100 turned by 90
    // degrees, restarted at its lowest point (0, -200).
    const std::vector<TTempElement> wide = Import({0, 0, 200, 100});
    const std::vector<TTempElement> tall = Import({0, 0, 100, 200});
    ASSERT_EQ(tall.size(), wide.size());
    EXPECT_TRUE(Near(PointOf(tall[0]), {0, -200}, 1e-9L));
    // Every sample of the wide contour, turned, is a node of the tall one.
    // (The start (0, -100) of the wide one is inside an arc of the tall one.)
    for (std::size_t i = 1; i + 1 < wide.size(); ++i) {
        const TTempElement& w = wide[i];
        const Pt turned{-w.Y.ToLongDouble(), w.X.ToLongDouble()};
        const bool found = std::any_of(tall.begin(), tall.end(),
                                       [&](const TTempElement& t) { return Near(PointOf(t), turned, 1e-9L); });
        EXPECT_TRUE(found) << turned.x << " " << turned.y;
    }

    // Without the restart the turned contour keeps its start, (0, -V) turned.
    EllipseRestartAtLowestPoint = false;
    const std::vector<TTempElement> kept = Import({0, 0, 100, 200});
    ASSERT_EQ(kept.size(), wide.size());
    EXPECT_TRUE(Near(PointOf(kept[0]), {100, 0}, 1e-9L));
    EXPECT_TRUE(Near(PointOf(kept.back()), {100, 0}, 0));
}

TEST_F(EllipseArcs, RotatedEllipseFollowsTheFileRotation) {
    // Major axis at +30 degrees in the file: in the records (Y reversed) its
    // ends lie at -30 and 150 degrees, the farthest points of the contour.
    const std::vector<TTempElement> els = Import({0, 0, 200, 100, 30 * kDeg});
    const Pt vertex{200 * std::cos(30 * kDeg), -200 * std::sin(30 * kDeg)};
    long double farthest = 0.0L;
    Pt far{};
    for (const TTempElement& el : els) {
        const long double d = std::hypot(el.X.ToLongDouble(), el.Y.ToLongDouble());
        if (d > farthest && el.X.ToLongDouble() > 0) {
            farthest = d;
            far = PointOf(el);
        }
    }
    // The vertex itself lies inside the arc across it; the farthest node is
    // its neighbour P[1], a few degrees away.
    EXPECT_LT(farthest, 200.0L);
    EXPECT_LT(std::fabs(std::atan2(far.y, far.x) - std::atan2(vertex.y, vertex.x)), 5 * kDeg);
}

// ---- partial ellipses ------------------------------------------------------

struct PartialCase {
    const char* name;
    Ellipse e;
    long double start, end;  // file parameters
};

class PartialEllipse : public EllipseArcs, public ::testing::WithParamInterface<PartialCase> {};

TEST_P(PartialEllipse, RunsOverTheRangeOnly) {
    const PartialCase& c = GetParam();
    const Ellipse& e = c.e;
    EllipseStartParam = c.start;
    EllipseEndParam = c.end;
    const std::vector<TTempElement> els = Import(e);
    ExpectOneContourOfArcs(els);

    // Counter-clockwise in the file is clockwise in the records, where every
    // arc turns from +X towards +Y: the contour runs from the end parameter
    // back to the start parameter. A plane facing away turns the file's sense
    // round, and the contour runs from start to end.
    const long double from = e.facingAway ? c.start : c.end;
    const long double to = e.facingAway ? c.end : c.start;
    const long double sense = e.facingAway ? 1.0L : -1.0L;
    long double span = std::fmod(c.end - c.start, kTwoPi);
    if (span < 0) span += kTwoPi;

    // The ends lie on the rays through the ellipse points of the parameters,
    // and near those points.
    const long double size = e.Size();
    EXPECT_NEAR(static_cast<double>(std::remainder(e.Param(PointOf(els[0])) - from, kTwoPi)), 0.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(std::remainder(e.Param(PointOf(els.back())) - to, kTwoPi)), 0.0, 1e-9);
    EXPECT_TRUE(Near(PointOf(els[0]), e.At(from), 2e-3L * size));
    EXPECT_TRUE(Near(PointOf(els.back()), e.At(to), 2e-3L * size));
    // In between: samples of the ellipse, in order and inside the range.
    long double travelled = 0.0L;
    for (std::size_t i = 1; i < els.size(); ++i) {
        SCOPED_TRACE(i);
        if (i + 1 < els.size()) {
            EXPECT_NEAR(static_cast<double>(e.Residual(PointOf(els[i]))), 0.0, 1e-10);
        }
        long double step = sense * (e.Param(PointOf(els[i])) - e.Param(PointOf(els[i - 1])));
        step = std::fmod(step + kTwoPi, kTwoPi);
        travelled += step;
        EXPECT_LT(travelled, span + 1e-9L);
    }
    EXPECT_NEAR(static_cast<double>(travelled), static_cast<double>(span), 1e-9);
    ExpectKinksOnlyAtFirstSamples(els, e, false);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, PartialEllipse,
    ::testing::Values(PartialCase{"HalfZeroToPi", {10, -20, 200, 100}, 0, kPi},
                      PartialCase{"QuarterRotated", {0, 0, 200, 100, 30 * kDeg}, kPi / 4, kPi},
                      PartialCase{"ThroughTheContourStart", {0, 0, 200, 100}, kPi / 4, 3 * kPi / 4},
                      PartialCase{"AcrossZero", {0, 0, 200, 100}, 5.5L, 7.0L},
                      PartialCase{"EndBeforeStart", {0, 0, 200, 100}, 5.5L, 1.0L},
                      PartialCase{"NearlyFull", {0, 0, 200, 100}, 0.1L, kTwoPi},
                      PartialCase{"Tiny", {0, 0, 200, 100}, 1.0L, 1.001L},
                      PartialCase{"Tall", {0, 0, 100, 200}, 0, kPi / 2},
                      PartialCase{"TallRotated", {3, 4, 100, 200, -70 * kDeg}, 2.0L, 5.0L},
                      PartialCase{"Circle", {0, 0, 50, 50}, kPi / 3, kPi},
                      PartialCase{"FacingAway", {0, 0, 200, 100, 0, true}, 0, kPi / 2},
                      PartialCase{"FacingAwayRotated", {0, 0, 200, 100, 20 * kDeg, true}, 4.0L, 1.0L}),
    [](const ::testing::TestParamInfo<PartialCase>& info) { return std::string(info.param.name); });

TEST_F(EllipseArcs, HalfEllipseIsTheFilesUpperHalf) {
    // DXF ellipse about (10, 20) in the file, parameters 0 to pi: the half
    // through the file's +Y side, which the records show below the centre.
    EllipseStartParam = 0.0L;
    EllipseEndParam = kPi;
    const std::vector<TTempElement> els = Import({10, -20, 200, 100});
    ExpectOneContourOfArcs(els);
    EXPECT_EQ(els.size(), 1u + 2u * 12u - 2u);  // half the contour, the major-vertex arcs split
    EXPECT_TRUE(Near(PointOf(els[0]), {-190, -20}, 1e-9L));
    EXPECT_TRUE(Near(PointOf(els.back()), {210, -20}, 1e-9L));
    for (const TTempElement& el : els) EXPECT_LE(el.Y.ToLongDouble(), -20 + 1e-9L);
    EXPECT_TRUE(Kinks(els, false).size() == 2u);  // at the mirror images of P[1]
}

TEST_F(EllipseArcs, ParameterRangesThatAreWholeOrEmpty) {
    const Ellipse e{0, 0, 200, 100};
    struct Range {
        long double start, end;
        std::size_t elements;  // 0: nothing emitted
    };
    const Range ranges[] = {
        {0, kTwoPi, 42},           {1, 1 + kTwoPi, 42},     {0, 6.2831, 42},  // within 0.0001 of a turn
        {kTwoPi, 0, 42},           {0, -2 * kTwoPi, 42},                      // whole turns backwards
        {1.25L, 1.25L, 0},                                                    // equal parameters
    };
    for (const Range& r : ranges) {
        SCOPED_TRACE(std::to_string(static_cast<double>(r.start)) + " " + std::to_string(static_cast<double>(r.end)));
        EllipseStartParam = r.start;
        EllipseEndParam = r.end;
        EXPECT_EQ(Import(e).size(), r.elements);
    }
    EXPECT_FALSE(EllipseLogLines().empty());
}

// ---- mode 3 ----------------------------------------------------------------

TEST_F(EllipseArcs, ShapeModeFillsCurrentElementForTheSink) {
    EllipseShapeElementSink = CollectShapeElement;
    ClearCurrentElement();
    CurrentElement.Kind = static_cast<std::uint16_t>(ecStart | kfWorkable);
    CurrentElement.ColorR = 7;
    CurrentElement.Z = 3.5L;
    // The generator's box for W = 200, H = 100 at the origin.
    EllipseMinX = -100;
    EllipseMinY = -50;
    EllipseMaxX = 100;
    EllipseMaxY = 50;
    ASSERT_TRUE(EllipseToArcs(emShapeElement));

    const std::vector<TTempElement> shape = gShapeElements;
    ASSERT_EQ(shape.size(), 1u + 41u);
    ExpectOneContourOfArcs(shape);
    EXPECT_TRUE(Near(PointOf(shape[0]), {0, -50}, 1e-9L));
    for (const TTempElement& el : shape) {
        EXPECT_TRUE(el.Kind & kfWorkable);
        EXPECT_EQ(el.ColorR, 7);
        EXPECT_EQ(el.Z.ToDouble(), 3.5);
    }
    // The same geometry as the import path in the same frame.
    const std::vector<TTempElement> imported = Import({0, 0, 100, 50});
    ASSERT_EQ(imported.size(), shape.size());
    for (std::size_t i = 0; i < shape.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(Near(PointOf(shape[i]), PointOf(imported[i]), 1e-9L));
        EXPECT_NEAR(shape[i].Bulge.ToDouble(), i == 0 ? 0.0 : imported[i].Bulge.ToDouble(), 1e-11);
    }
    EXPECT_TRUE(Kinks(shape, true).size() <= 4u);
}

TEST_F(EllipseArcs, ShapeModeContinuesAContourAlreadyStarted) {
    EllipseShapeElementSink = CollectShapeElement;
    CurrentElement.Kind = ecLine;  // the caller has emitted its own start
    Ellipse{0, 0, 100, 50}.SetInputs();
    ASSERT_TRUE(EllipseToArcs(emShapeElement));
    ASSERT_FALSE(gShapeElements.empty());
    for (const TTempElement& el : gShapeElements) EXPECT_EQ(KindCode(el.Kind), ecArcNeg);
}

TEST_F(EllipseArcs, ShapeModeWithoutSinkEmitsNothing) {
    Ellipse{0, 0, 100, 50}.SetInputs();
    EXPECT_FALSE(EllipseToArcs(emShapeElement));
    EXPECT_EQ(EllipseLogLines().size(), 1u);
}

TEST_F(EllipseArcs, ShapeModeTallEllipseStartsAtItsBottom) {
    EllipseShapeElementSink = CollectShapeElement;
    EllipseMinX = -50;
    EllipseMinY = -100;
    EllipseMaxX = 50;
    EllipseMaxY = 100;
    ASSERT_TRUE(EllipseToArcs(emShapeElement));
    ExpectOneContourOfArcs(gShapeElements);
    EXPECT_EQ(gShapeElements.size(), 1u + 41u);
    EXPECT_TRUE(Near(PointOf(gShapeElements[0]), {0, -100}, 1e-9L));
    EXPECT_TRUE(Near(PointOf(gShapeElements.back()), {0, -100}, 0));
}

// ---- modes 0 and 1, unknown modes ------------------------------------------

TEST_F(EllipseArcs, HostListModesAppendAtTheListsTail) {
    for (int mode : {emHostList, emHostListAlt}) {
        SCOPED_TRACE(mode);
        test::OwnedList list;
        TTempElement* first = list.Line(1, 2);
        Ellipse{0, 0, 200, 100}.SetInputs();
        ASSERT_TRUE(EllipseToArcs(mode, &list.head));
        EXPECT_EQ(list.head, first);
        std::vector<TTempElement> els;
        for (TTempElement* p = first->Next; p; p = p->Next) els.push_back(*p);
        ASSERT_EQ(els.size(), 42u);
        ExpectOneContourOfArcs(els);
        EXPECT_EQ(first->Next->Prev.get(), first);
        EXPECT_TRUE(Kinks(els, true).size() <= 4u);
    }
    EXPECT_FALSE(EllipseToArcs(emHostList, nullptr));
}

TEST_F(EllipseArcs, UnknownModeEmitsNothing) {
    Ellipse{0, 0, 200, 100}.SetInputs();
    EXPECT_FALSE(EllipseToArcs(4));
    EXPECT_FALSE(EllipseToArcs(-1));
    EXPECT_EQ(CurrentListHead, nullptr);
}

// ---- degenerate inputs -----------------------------------------------------

TEST_F(EllipseArcs, SemiAxesNotAboveTheToleranceGiveNothing) {
    struct Case {
        long double a, b, tolerance;
    };
    const Case cases[] = {{0, 0, 0}, {0, 50, 0}, {50, 0, 0}, {50, 0.01L, 0.01L}, {0.01L, 50, 0.01L},
                          {5, 5, 5}, {3, 2, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<double>(c.a)) + " " + std::to_string(static_cast<double>(c.b)));
        ResetLogForTesting();
        EllipseTolerance = c.tolerance;
        EXPECT_TRUE(Import({0, 0, c.a, c.b}).empty());
        EXPECT_EQ(EllipseLogLines().size(), 1u);
    }
    // Flatter than a ratio of 1e9 it is a line to the arcs.
    ResetLogForTesting();
    EllipseTolerance = 0.0L;
    EXPECT_TRUE(Import({0, 0, 1e6L, 1e-4L}).empty());
    EXPECT_EQ(EllipseLogLines().size(), 1u);
    // Just above the tolerance an ellipse is drawn.
    EllipseTolerance = 0.01L;
    EXPECT_EQ(Import({0, 0, 50, 0.0101L}).size(), 1u + 73u);
}

TEST_F(EllipseArcs, ParallelToleranceCanFailTheConstruction) {
    EllipseParallelTolerance = 0.9L;  // nearly every pair of lines counts as parallel
    EXPECT_TRUE(Import({0, 0, 200, 100}).empty());
    EXPECT_EQ(EllipseLogLines().size(), 1u);
    EllipseParallelTolerance = 1e-9L;
    EXPECT_EQ(Import({0, 0, 200, 100}).size(), 42u);
}

TEST_F(EllipseArcs, BoxGivenBackwardsIsTheSameEllipse) {
    EllipseMinX = 100;
    EllipseMaxX = -100;
    EllipseMinY = 50;
    EllipseMaxY = -50;
    ASSERT_TRUE(EllipseToArcs(emAddElement));
    EXPECT_EQ(ElementCount(CurrentListHead), 42u);
    EXPECT_NEAR(CurrentListHead->Y.ToDouble(), -50, 1e-9);
}

TEST_F(EllipseArcs, TinyFlatAndFarEllipsesStayValid) {
    struct Case {
        const char* name;
        Ellipse e;
    };
    const Case cases[] = {
        {"Tiny", {0, 0, 2e-30L, 1e-30L}},
        {"TinyAtReal48Limit", {0, 0, 4e-38L, 3e-38L}},
        {"Huge", {0, 0, 2e36L, 1e36L}},
        {"VeryFlat", {0, 0, 1000, 1}},
        {"ExtremelyFlat", {0, 0, 1e6L, 2e-3L}},  // near the largest ratio taken
        {"FarFromOrigin", {1e7L, -1e7L, 0.5L, 0.25L}},
        {"NearlyEqualAxes", {0, 0, 100, 100 * (1 - 1e-12L)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<TTempElement> els = Import(c.e);
        ASSERT_GE(els.size(), 2u);
        ExpectOneContourOfArcs(els, c.e.Size() / std::min(c.e.a, c.e.b) < 100);
        EXPECT_TRUE(Near(PointOf(els.back()), PointOf(els[0]), 0));
        for (std::size_t i = 1; i < els.size(); ++i) {
            EXPECT_FALSE(Near(PointOf(els[i]), PointOf(els[i - 1]), 0)) << "arc without chord at " << i;
        }
    }
}

TEST_F(EllipseArcs, EllipseBelowTheCoordinatesResolutionGivesNothing) {
    // At 1e7 a 6-byte real resolves about 2e-5: every point of this ellipse
    // stores as the centre.
    EXPECT_TRUE(Import({1e7L, 1e7L, 2e-6L, 1e-6L}).empty());
    EXPECT_EQ(EllipseLogLines().size(), 1u);
}

TEST_F(EllipseArcs, AnyShapeAndRangeGivesAValidContour) {
    // A deterministic sweep over shapes, rotations and ranges: every result is
    // nothing or one contour of minor arcs of code 2 whose ends are where the
    // range says.
    std::uint64_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<long double>(seed >> 11) / static_cast<long double>(1ULL << 53);
    };
    for (int i = 0; i < 400; ++i) {
        const Ellipse e{next() * 100 - 50, next() * 100 - 50, std::pow(10.0L, next() * 4 - 1),
                        std::pow(10.0L, next() * 4 - 1), (next() - 0.5L) * 20, next() < 0.2L};
        const bool full = next() < 0.3L;
        const long double start = (next() - 0.5L) * 20, end = start + (next() - 0.3L) * 10;
        EllipseStartParam = full ? 0.0L : start;
        EllipseEndParam = full ? kTwoPi : end;
        const std::vector<TTempElement> els = Import(e);
        SCOPED_TRACE(i);
        ASSERT_GE(els.size(), 2u);
        ExpectOneContourOfArcs(els, e.Size() / std::min(e.a, e.b) < 100);
        if (full) {
            EXPECT_TRUE(Near(PointOf(els.back()), PointOf(els[0]), 0));
        }
        for (const TTempElement& el : els) EXPECT_LT(std::fabs(e.Residual(PointOf(el))), 0.05L);
    }
}

}  // namespace
}  // namespace kvd
