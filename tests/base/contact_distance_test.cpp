// The contact distance: where a moved copy of the selected contours touches
// them, for convex, concave, round and open outlines.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "base/contact_distance.h"
#include "base/geometry.h"
#include "contour_builder.h"

namespace kvd::test {
namespace {

const long double kQuarter = std::tan(kPi / 8);  // bulge of a quarter circle

// Closed polygon through the points (a start element and lines back to it).
void Polygon(OwnedList& l, const std::vector<std::pair<double, double>>& pts) {
    l.Start(pts[0].first, pts[0].second);
    for (std::size_t i = 1; i < pts.size(); ++i) l.Line(pts[i].first, pts[i].second);
    l.Line(pts[0].first, pts[0].second);
}

struct Case {
    const char* name;
    std::function<void(OwnedList&)> draw;
    double across, down;  // expected for 0 and 90 degrees (180 and 270 give the negatives)
};

TEST(ContactDistance, WidestExtentAlongEachAxis) {
    const std::vector<Case> cases = {
        {"rectangle 500 x 300", [](OwnedList& l) { Polygon(l, {{0, 0}, {500, 0}, {500, 300}, {0, 300}}); }, 500,
         300},
        {"rectangle with fillets",
         [](OwnedList& l) {
             l.Start(100, 25);
             l.Line(100, 40);
             l.Arc(ecArcNeg, 90, 50, -kQuarter);
             l.Line(10, 50);
             l.Arc(ecArcNeg, 0, 40, -kQuarter);
             l.Line(0, 10);
             l.Arc(ecArcNeg, 10, 0, -kQuarter);
             l.Line(90, 0);
             l.Arc(ecArcNeg, 100, 10, -kQuarter);
             l.Line(100, 25);
         },
         100, 50},
        // Slanted sides: copies slide along them, closer than the box says.
        {"parallelogram", [](OwnedList& l) { Polygon(l, {{0, 0}, {400, 0}, {600, 200}, {200, 200}}); }, 400, 200},
        // Two bars joined in the middle: a copy's lower bar runs under the
        // source's upper bar, meeting it along the level between them.
        {"Z of two bars",
         [](OwnedList& l) {
             Polygon(l, {{0, 0}, {300, 0}, {300, 100}, {500, 100}, {500, 200}, {200, 200}, {200, 100}, {0, 100}});
         },
         300, 200},
        {"L", [](OwnedList& l) { Polygon(l, {{0, 0}, {500, 0}, {500, 100}, {100, 100}, {100, 400}, {0, 400}}); },
         500, 400},
        // A half disc standing on its diameter, and one lying on it: the
        // widest line through the second is the one through the arc's middle.
        {"half disc on its diameter",
         [](OwnedList& l) {
             l.Start(100, 0);
             l.Arc(ecArcNeg, -100, 0, -1);
             l.Line(100, 0);
         },
         200, 100},
        {"half disc on its side",
         [](OwnedList& l) {
             l.Start(0, -100);
             l.Line(0, 100);
             l.Arc(ecArcPos, 0, -100, 1);
         },
         100, 200},
        {"circle of two halves",
         [](OwnedList& l) {
             l.Start(50, 0);
             l.Arc(ecArcNeg, -50, 0, -1);
             l.Arc(ecArcNeg, 50, 0, -1);
         },
         100, 100},
        // Two contours: the widest line meets both.
        {"two squares",
         [](OwnedList& l) {
             Polygon(l, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
             Polygon(l, {{300, 50}, {400, 50}, {400, 150}, {300, 150}});
         },
         400, 100},
        // Strokes count with every point: a level cut touches end to end.
        {"open level line",
         [](OwnedList& l) {
             l.Start(0, 0);
             l.Line(250, 0);
         },
         250, 0},
        // Arcs whose ends lie on their own top or bottom, and arcs beyond a
        // half circle.
        {"quarter disc",
         [](OwnedList& l) {
             l.Start(100, 0);
             l.Arc(ecArcNeg, 0, 100, -kQuarter);
             l.Line(0, 0);
             l.Line(100, 0);
         },
         100, 100},
        {"quarter disc ending on its top, and a square beside it",
         [](OwnedList& l) {
             l.Start(0, 0);
             l.Line(50, 0);
             l.Arc(ecArcNeg, 0, 50, -kQuarter);
             l.Line(0, 0);
             Polygon(l, {{200, 50}, {300, 50}, {300, 150}, {200, 150}});
         },
         100, 100},
        {"340 degree arc closed by its chord",
         [](OwnedList& l) {
             const double a0 = 80 * M_PI / 180, a1 = 60 * M_PI / 180;
             l.Start(100 * std::cos(a0), 100 * std::sin(a0));
             l.Arc(ecArcNeg, 100 * std::cos(a1), 100 * std::sin(a1), -std::tan(340 * M_PI / 180 / 4));
             l.Line(100 * std::cos(a0), 100 * std::sin(a0));
         },
         200, 200},
        // Two half discs, one above the level of their diameters and one
        // below: no level line meets both.
        {"half discs on either side of one level",
         [](OwnedList& l) {
             l.Start(100, 0);
             l.Arc(ecArcNeg, -100, 0, -1);
             l.Line(100, 0);
             l.Start(900, 0);
             l.Arc(ecArcNeg, 1100, 0, -1);
             l.Line(900, 0);
         },
         200, 100},
        // A bulge of rounding noise is a straight side.
        {"nearly flat arc",
         [](OwnedList& l) {
             l.Start(0, 0);
             l.Arc(ecArcNeg, 100, 37, -1e-12);
             l.Line(100, 137);
             l.Line(0, 100);
             l.Line(0, 0);
         },
         100, 100},
        // An outline that closes within the working precision is an outline.
        {"Z closing within the precision",
         [](OwnedList& l) {
             Polygon(l, {{0, 0}, {300, 0}, {300, 100}, {500, 100}, {500, 200}, {200, 200}, {200, 100}, {0, 100},
                         {0, 0.0004}});
         },
         300, 200},
        // A cap meets every upright line once: copies moved upwards nest
        // inside each other without meeting.
        {"open arc",
         [](OwnedList& l) {
             l.Start(100, 0);
             l.Arc(ecArcNeg, -100, 0, -1);
         },
         200, 0},
    };
    for (const Case& c : cases) {
        OwnedList l;
        c.draw(l);
        ContourSelection sel;
        sel.SelectAll(l.head);
        EXPECT_NEAR(static_cast<double>(ContactDistance(sel, 0)), c.across, 1e-9) << c.name;
        EXPECT_NEAR(static_cast<double>(ContactDistance(sel, 180)), -c.across, 1e-9) << c.name;
        EXPECT_NEAR(static_cast<double>(ContactDistance(sel, 90)), c.down, 1e-9) << c.name;
        EXPECT_NEAR(static_cast<double>(ContactDistance(sel, 270)), -c.down, 1e-9) << c.name;
    }
}

// Star-shaped polygons (simple by construction) against a brute-force
// sampling of levels: the distance is never below the extent seen on any
// sampled level (copies would overlap there) and never far above the widest
// one (copies would stand apart).
TEST(ContactDistance, StarPolygonsAgainstSampledLevels) {
    std::mt19937 rng(20261211);
    std::uniform_real_distribution<double> radius(40, 400), jitter(-0.4, 0.4);
    for (int shape = 0; shape < 40; ++shape) {
        const int n = 5 + shape % 9;
        std::vector<std::pair<double, double>> pts;
        for (int k = 0; k < n; ++k) {
            const double a = (k + 0.5 + jitter(rng)) * 2 * M_PI / n, r = radius(rng);
            pts.push_back({std::round(r * std::cos(a)), std::round(r * std::sin(a))});
        }
        OwnedList l;
        Polygon(l, pts);
        ContourSelection sel;
        sel.SelectAll(l.head);
        for (bool vertical : {false, true}) {
            auto along = [&](std::size_t i) { return vertical ? pts[i].second : pts[i].first; };
            auto level = [&](std::size_t i) { return vertical ? pts[i].first : pts[i].second; };
            double lo = 1e9, hi = -1e9, sampled = 0;
            for (std::size_t i = 0; i < pts.size(); ++i) lo = std::min(lo, level(i)), hi = std::max(hi, level(i));
            for (int k = 0; k < 20000; ++k) {
                const double y = lo + (hi - lo) * (k + 0.37) / 20000;
                double mn = 1e9, mx = -1e9;
                for (std::size_t i = 0; i < pts.size(); ++i) {
                    const std::size_t j = (i + 1) % pts.size();
                    if ((level(i) - y) * (level(j) - y) > 0 || level(i) == level(j)) continue;
                    const double x = along(i) + (y - level(i)) / (level(j) - level(i)) * (along(j) - along(i));
                    mn = std::min(mn, x), mx = std::max(mx, x);
                }
                if (mx > mn) sampled = std::max(sampled, mx - mn);
            }
            const double got = static_cast<double>(ContactDistance(sel, vertical ? 90 : 0));
            EXPECT_GE(got, sampled - 1e-6) << "shape " << shape << (vertical ? " upright" : " level");
            EXPECT_LE(got, sampled + 0.5) << "shape " << shape << (vertical ? " upright" : " level");
        }
    }
}

TEST(ContactDistance, OnlyTheSelectedContoursCount) {
    OwnedList l;
    Polygon(l, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    TTempElement* wide = l.Start(0, 0);
    l.Line(900, 0);
    l.Line(900, 10);
    l.Line(0, 0);
    ContourSelection sel;
    EXPECT_EQ(ContactDistance(sel, 0), 0) << "nothing selected";
    sel.Select(l.head);
    EXPECT_NEAR(static_cast<double>(ContactDistance(sel, 0)), 100, 1e-9);
    sel.Select(wide);
    sel.Select(wide);
    EXPECT_EQ(sel.Starts().size(), 2u);
    EXPECT_NEAR(static_cast<double>(ContactDistance(sel, 0)), 900, 1e-9);
    sel.Select(l.head->Next);  // not a start element: ignored
    EXPECT_EQ(sel.Starts().size(), 2u);
    EXPECT_EQ(ContactDistance(sel, 45), 0) << "only the four axis directions";
    sel.Clear();
    EXPECT_TRUE(sel.Empty());
}

}  // namespace
}  // namespace kvd::test
