// Helpers of the shape generator tests: element tables, contours, arcs.
#pragma once
#include <cmath>
#include <string>
#include <vector>

#include "base/arcs.h"
#include "base/precision.h"
#include "engine_fixture.h"
#include "templates/regeneration.h"

namespace kvd::test {

struct Pt {
    unsigned code;
    double x, y;
};

inline void ExpectElements(const std::vector<Pt>& want, const std::string& what) {
    auto got = EngineTest::Elements();
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(KindCode(got[i]->Kind), want[i].code) << what << " element " << i;
        EXPECT_NEAR(got[i]->X.ToDouble(), want[i].x, 0.001) << what << " element " << i;
        EXPECT_NEAR(got[i]->Y.ToDouble(), want[i].y, 0.001) << what << " element " << i;
    }
}

// The contours of the first container: each from its start element to the
// element before the next start.
inline std::vector<std::vector<const TTempElement*>> Contours() {
    std::vector<std::vector<const TTempElement*>> out;
    for (const TTempElement* e : EngineTest::Elements()) {
        if (KindCode(e->Kind) == ecStart || out.empty()) out.emplace_back();
        out.back().push_back(e);
    }
    return out;
}

// Ends where it starts, at the working precision.
inline bool Closed(const std::vector<const TTempElement*>& c) {
    if (c.size() < 2) return false;
    const long double d = PointDistance(c.front()->X, c.front()->Y, c.back()->X, c.back()->Y);
    return RoundToPrecision(d) == 0;
}

inline void ExpectEveryContourClosed(const std::string& what) {
    const auto cs = Contours();
    ASSERT_FALSE(cs.empty()) << what;
    for (std::size_t i = 0; i < cs.size(); ++i) EXPECT_TRUE(Closed(cs[i])) << what << " contour " << i;
}

struct ArcCircle {
    bool ok = false;
    double cx = 0, cy = 0, r = 0;
};
// Centre and radius of the arc element e (from the end point of the one before).
inline ArcCircle CircleOf(const TTempElement* e) {
    ArcCircle a;
    const TTempElement* p = e->Prev;
    if (!p) return a;
    Real48 cx, cy, r;
    a.ok = CentreFromBulge(cx, cy, r, KindCode(e->Kind), e->Bulge.ToLongDouble(), p->X, p->Y, e->X, e->Y);
    a.cx = cx.ToDouble();
    a.cy = cy.ToDouble();
    a.r = r.ToDouble();
    return a;
}

inline double SideLength(const TTempElement* e) {
    const TTempElement* p = e->Prev;
    return std::hypot(e->X.ToDouble() - p->X.ToDouble(), e->Y.ToDouble() - p->Y.ToDouble());
}

}  // namespace kvd::test
