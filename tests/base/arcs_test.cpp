#include "base/arcs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "base/contour_extents.h"
#include "base/element_length.h"
#include "base/geometry.h"
#include "contour_builder.h"

using namespace kvd;
using kvd::test::OwnedList;

namespace {

const long double kTanEighth = std::tan(kPi / 8);  // bulge of a quarter circle, 0.41421356...

struct CentreCase {
    unsigned code;
    long double cx, cy, x0, y0, x1, y1;
    long double bulge;  // expected
};

}  // namespace

TEST(Bulge, FromCentreGivesSignOfCodeAndSizeOfSweep) {
    const long double tan3Eighths = std::tan(3 * kPi / 8);
    const CentreCase cases[] = {
        {2, 0, 0, 1, 0, 0, 1, -kTanEighth},    // quarter circle, counter-clockwise
        {3, 1, 1, 1, 0, 0, 1, kTanEighth},     // quarter circle, clockwise
        {3, 0, 0, 1, 0, 0, 1, tan3Eighths},    // clockwise the long way: three quarters
        {2, 1, 1, 1, 0, 0, 1, -tan3Eighths},   // counter-clockwise the long way
        {2, 0, 0, 1, 0, -1, 0, -1},            // half circle
        {3, 5, 5, 5, 7, 5, 3, 1},              // half circle elsewhere
    };
    for (const CentreCase& c : cases) {
        Real48 b;
        ASSERT_TRUE(BulgeFromCentre(c.code, b, c.cx, c.cy, c.x0, c.y0, c.x1, c.y1));
        EXPECT_NEAR(b.ToDouble(), static_cast<double>(c.bulge), 1e-11)
            << "code " << c.code << " centre " << static_cast<double>(c.cx) << "," << static_cast<double>(c.cy);
        EXPECT_NEAR(static_cast<double>(CurrentBulge), b.ToDouble(), 1e-11);
        EXPECT_NEAR(std::tan(std::fabs(static_cast<double>(CurrentSweep)) / 4), std::fabs(b.ToDouble()), 1e-9);
    }
    // The angles of the last arc are published.
    Real48 b;
    BulgeFromCentre(2, b, 0, 0, 1, 0, 0, 1);
    EXPECT_NEAR(LastArcStartAngle.ToDouble(), 0.0, 1e-12);
    EXPECT_NEAR(LastArcEndAngle.ToDouble(), static_cast<double>(kPi / 2), 1e-11);
    EXPECT_NEAR(static_cast<double>(CurrentSweep), static_cast<double>(kPi / 2), 1e-11);
}

TEST(Bulge, NoChordNoArc) {
    Real48 b = 5.0L;
    Real48 ignored;
    BulgeFromCentre(2, ignored, 0, 0, 1, 0, 0, 1);  // leaves angles set
    EXPECT_FALSE(BulgeFromCentre(2, b, 0, 0, 1, 0, 1, 0));
    EXPECT_TRUE(b.IsZero());
    EXPECT_TRUE(LastArcStartAngle.IsZero());
    EXPECT_TRUE(LastArcEndAngle.IsZero());

    b = 5.0L;
    EXPECT_FALSE(BulgeFromRadius(3, b, 2, 2, 2, 2, 10));
    EXPECT_TRUE(b.IsZero());
}

TEST(Bulge, FromRadiusGivesTheMinorArc) {
    Real48 b;
    ASSERT_TRUE(BulgeFromRadius(2, b, 1, 0, 0, 1, 1));
    EXPECT_NEAR(b.ToDouble(), static_cast<double>(-kTanEighth), 1e-11);
    ASSERT_TRUE(BulgeFromRadius(3, b, 1, 0, 0, 1, -1));  // the sign of the radius does not matter
    EXPECT_NEAR(b.ToDouble(), static_cast<double>(kTanEighth), 1e-11);
    EXPECT_NEAR(static_cast<double>(CurrentBulge), static_cast<double>(kTanEighth), 1e-11);
    // Exactly half the chord: the half circle.
    ASSERT_TRUE(BulgeFromRadius(3, b, -1, 0, 1, 0, 1));
    EXPECT_NEAR(b.ToDouble(), 1.0, 1e-9);
    // Too short to reach both points: still the half circle, never the other sense.
    for (long double r : {0.0L, 0.1L, 0.5L, 0.99L}) {
        ASSERT_TRUE(BulgeFromRadius(2, b, -1, 0, 1, 0, r));
        EXPECT_NEAR(b.ToDouble(), -1.0, 1e-9) << static_cast<double>(r);
    }
}

TEST(Centre, FromBulgeFindsTheCircle) {
    Real48 cx, cy, r;
    ASSERT_TRUE(CentreFromBulge(cx, cy, r, 2, -0.41421356L, 1, 0, 0, 1));
    EXPECT_NEAR(cx.ToDouble(), 0.0, 1e-8);
    EXPECT_NEAR(cy.ToDouble(), 0.0, 1e-8);
    EXPECT_NEAR(r.ToDouble(), 1.0, 1e-8);

    const CentreCase cases[] = {
        {2, 0, 0, 1, 0, 0, 1, -kTanEighth},
        {2, 0, 0, 1, 0, 0, 1, kTanEighth},  // the size comes from |bulge|, the sense from the code
        {3, 1, 1, 1, 0, 0, 1, kTanEighth},
        {2, 1, 1, 1, 0, 0, 1, -std::tan(3 * kPi / 8)},  // beyond a half circle: centre on the other side
        {0x72, 1, 1, 1, 0, 0, 1, -std::tan(3 * kPi / 8)},  // class bits do not hide the code
        {2, 0, 0, 1, 0, -1, 0, 1},
    };
    for (const CentreCase& c : cases) {
        ASSERT_TRUE(CentreFromBulge(cx, cy, r, c.code, c.bulge, c.x0, c.y0, c.x1, c.y1)) << c.code;
        EXPECT_NEAR(cx.ToDouble(), static_cast<double>(c.cx), 1e-11);
        EXPECT_NEAR(cy.ToDouble(), static_cast<double>(c.cy), 1e-11);
        EXPECT_NEAR(r.ToDouble(), static_cast<double>(std::hypot(c.x1 - c.cx, c.y1 - c.cy)), 1e-11);
    }
}

TEST(Centre, NoCircleForLinesZeroBulgesOrNoChord) {
    Real48 cx = 7.0L, cy = 8.0L, r = 9.0L;
    EXPECT_FALSE(CentreFromBulge(cx, cy, r, 1, 0.5L, 0, 0, 1, 0));
    EXPECT_TRUE(r.IsZero());
    r = 9.0L;
    EXPECT_FALSE(CentreFromBulge(cx, cy, r, 2, 0, 0, 0, 1, 0));
    EXPECT_TRUE(r.IsZero());
    EXPECT_FALSE(CentreFromBulge(cx, cy, r, 3, 0.5L, 1, 1, 1, 1));
    EXPECT_EQ(cx.ToDouble(), 7.0);  // the centre is left alone
    EXPECT_EQ(cy.ToDouble(), 8.0);
}

// Any arc given by centre and end points comes back from its bulge.
TEST(Centre, BulgeRoundTripOnRandomArcs) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<double> pos(-500, 500), rad(0.5, 300), ang(0, 2 * 3.14159265358979);
    for (int i = 0; i < 2000; ++i) {
        const long double cx = pos(rng), cy = pos(rng), r = rad(rng), a0 = ang(rng), a1 = ang(rng);
        if (std::fabs(std::remainder(a1 - a0, 2 * kPi)) < 1e-3) continue;  // no chord to speak of
        const unsigned code = (i & 1) ? 3 : 2;
        const long double x0 = cx + r * std::cos(a0), y0 = cy + r * std::sin(a0);
        const long double x1 = cx + r * std::cos(a1), y1 = cy + r * std::sin(a1);
        Real48 b, ccx, ccy, cr;
        ASSERT_TRUE(BulgeFromCentre(code, b, cx, cy, x0, y0, x1, y1));
        EXPECT_EQ(b.ToLongDouble() < 0, code == 2);
        ASSERT_TRUE(CentreFromBulge(ccx, ccy, cr, code, b, x0, y0, x1, y1));
        const double tol = 1e-9 * (1 + static_cast<double>(r) * (1 + std::fabs(b.ToDouble())));
        EXPECT_NEAR(ccx.ToDouble(), static_cast<double>(cx), tol) << i;
        EXPECT_NEAR(ccy.ToDouble(), static_cast<double>(cy), tol) << i;
        EXPECT_NEAR(cr.ToDouble(), static_cast<double>(r), tol) << i;
    }
}

TEST(Sweep, SenseOfTheCodeAndFullTurns) {
    Real48 a0, a1;
    EXPECT_NEAR(static_cast<double>(ArcSweep(2, a0, a1, 0, 0, 1, 0, 0, 1)), static_cast<double>(kPi / 2), 1e-11);
    EXPECT_NEAR(static_cast<double>(ArcSweep(3, a0, a1, 0, 0, 1, 0, 0, 1)), static_cast<double>(-1.5L * kPi), 1e-11);
    EXPECT_NEAR(static_cast<double>(ArcSweep(2, a0, a1, 0, 0, 0, 1, 1, 0)), static_cast<double>(1.5L * kPi), 1e-11);
    EXPECT_NEAR(a0.ToDouble(), static_cast<double>(kPi / 2), 1e-11);
    EXPECT_NEAR(a1.ToDouble(), 0.0, 1e-12);
    // A start point equal to the end point is a full turn.
    EXPECT_NEAR(static_cast<double>(ArcSweep(2, a0, a1, 0, 0, 1, 0, 1, 0)), static_cast<double>(kTwoPi), 1e-11);
    EXPECT_NEAR(static_cast<double>(ArcSweep(3, a0, a1, 0, 0, 1, 0, 1, 0)), static_cast<double>(-kTwoPi), 1e-11);
}

TEST(Sweep, PassesAngleOnTheClosedSweep) {
    struct Case {
        unsigned code;
        long double angle, start, end;
        bool passes;
    } cases[] = {
        {2, kPi / 4, 0, kPi / 2, true},
        {2, kPi, 0, kPi / 2, false},
        {2, 0, 0, kPi / 2, true},  // the ends belong to the sweep
        {2, kPi / 2, 0, kPi / 2, true},
        {2, 0, 1.5L * kPi, kPi / 2, true},  // across zero
        {2, kPi, 1.5L * kPi, kPi / 2, false},
        {3, kPi / 4, kPi / 2, 0, true},  // clockwise
        {3, kPi, kPi / 2, 0, false},
        {3, 0, kPi / 4, 1.75L * kPi, true},
        {3, kPi, kPi / 4, 1.75L * kPi, false},
        {3, 1.5L * kPi, 0, kPi, true},  // clockwise from 0 to pi passes 3pi/2
        {2, 1.5L * kPi, 0, kPi, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArcPassesAngle(c.code, 1, c.angle, c.start, c.end), c.passes)
            << "code " << c.code << " angle " << static_cast<double>(c.angle) << " from "
            << static_cast<double>(c.start) << " to " << static_cast<double>(c.end);
}

TEST(Length, OfLinesArcsAndOthers) {
    OwnedList l;
    TTempElement* s = l.Start(0, 0);
    TTempElement* line = l.Line(3, 4);
    TTempElement* quarter = l.Arc(2, 3 - 1, 4 + 1, -kTanEighth);  // radius 1 about (2, 4)
    TTempElement* half = l.Arc(3, 3 - 1 - 2, 4 + 1, 1.0L);          // radius 1
    TTempElement* flat = l.Arc(2, 0, 0, 0.0L);                     // zero bulge: its chord
    TTempElement* spline = l.Add(test::Element(4, 0, 3));
    EXPECT_EQ(ElementLength(s), 0.0L);
    EXPECT_NEAR(static_cast<double>(ElementLength(line)), 5.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(ElementLength(quarter)), static_cast<double>(kPi / 2), 1e-10);
    EXPECT_NEAR(static_cast<double>(ElementLength(half)), static_cast<double>(kPi), 1e-10);
    EXPECT_NEAR(static_cast<double>(ElementLength(flat)), std::hypot(0 + 0.0, 5.0), 1e-12);
    EXPECT_NEAR(static_cast<double>(ElementLength(spline)), 3.0, 1e-12);
    TTempElement lone = test::Element(ecLine, 5, 5);
    EXPECT_EQ(ElementLength(&lone), 0.0L);
    EXPECT_EQ(ElementLength(nullptr), 0.0L);
}

TEST(Extents, HalfCircleTopWidensTheBox) {
    OwnedList l;
    l.Start(1, 0);
    TTempElement* arc = l.Arc(2, -1, 0, -1.0L);
    TRealPoint3 mn, mx;
    ContourListExtents(l.head, mn, mx);
    EXPECT_NEAR(mn.X.ToDouble(), -1, 1e-11);
    EXPECT_NEAR(mn.Y.ToDouble(), 0, 1e-11);
    EXPECT_NEAR(mx.X.ToDouble(), 1, 1e-11);
    EXPECT_NEAR(mx.Y.ToDouble(), 1, 1e-11);
    // The top came from the arc, at X = 0; the largest radius is noted.
    EXPECT_EQ(ContourExtentsInfo.MaxY.Element, arc);
    EXPECT_NEAR(static_cast<double>(ContourExtentsInfo.MaxY.Other), 0.0, 1e-11);
    EXPECT_EQ(ContourExtentsInfo.MaxX.Element, l.head);
    EXPECT_NEAR(static_cast<double>(ContourExtentsInfo.LargestRadius), 1.0, 1e-11);
}

TEST(Extents, AllContoursAndZButNotRecordsOrLeadingElements) {
    OwnedList l;
    l.Line(-100, -100);  // before the first start element: not looked at
    l.Add(test::Element(ecStart, 0, 0, 0, 2));
    l.Add(test::Element(ecLine, 10, 0, 0, -3));
    l.Add(test::Element(rkMarking, 500, 500));  // a record between contours adds nothing
    l.Add(test::Element(ecStart, 20, 5, 0, 1));
    TTempElement* bottom = l.Arc(3, 20, -5, 1.0L);  // half circle to the right of X = 20, about (20, 0)
    TRealPoint3 mn, mx;
    ContourListExtents(l.head, mn, mx);
    EXPECT_NEAR(mn.X.ToDouble(), 0, 1e-11);
    EXPECT_NEAR(mn.Y.ToDouble(), -5, 1e-11);
    EXPECT_NEAR(mx.X.ToDouble(), 25, 1e-11);
    EXPECT_NEAR(mx.Y.ToDouble(), 5, 1e-11);
    EXPECT_EQ(mn.Z.ToDouble(), -3);
    EXPECT_EQ(mx.Z.ToDouble(), 2);
    EXPECT_EQ(ContourExtentsInfo.MaxX.Element, bottom);
    EXPECT_NEAR(static_cast<double>(ContourExtentsInfo.MaxX.Other), 0.0, 1e-11);
    EXPECT_EQ(ContourExtentsInfo.MinZ.Element, l.head->Next->Next);
}

TEST(Extents, ListWithoutStartLeavesTheBox) {
    OwnedList l;
    l.Line(5, 5);
    TRealPoint3 mn = RealPoint3(1, 2, 3), mx = RealPoint3(4, 5, 6);
    ContourListExtents(l.head, mn, mx);
    EXPECT_EQ(mn.X.ToDouble(), 1);
    EXPECT_EQ(mx.Z.ToDouble(), 6);
    ContourListExtents(nullptr, mn, mx);
    EXPECT_EQ(mx.X.ToDouble(), 4);
}

// A nearly straight arc (radius far above the chord) keeps its bulge instead
// of losing it to cancellation.
TEST(Bulge, NearlyStraightArcKeepsItsBulge) {
    for (long double r : {1e6L, 1e8L, 1e10L}) {
        const long double h = 1.0L;  // half chord
        const long double cy = -std::sqrt(r * r - h * h);
        Real48 b;
        ASSERT_TRUE(BulgeFromCentre(2, b, 0, cy, h, 0, -h, 0));
        const long double expected = -std::tan(std::asin(h / r) / 2.0L);  // tan(sweep / 4)
        EXPECT_NEAR(static_cast<double>(b.ToLongDouble() / expected), 1.0, 1e-9) << static_cast<double>(r);
    }
}
