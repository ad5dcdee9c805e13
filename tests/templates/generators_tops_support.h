// Helpers of the worktop generator tests: the drawing split into contours,
// their signed areas and closure, and element-by-element comparison.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/arcs.h"
#include "engine_fixture.h"

namespace kvd::test {

struct Pt {
    unsigned code;
    double x, y;
};

// The elements of one contour: its start element and the segments after it.
using Contour = std::vector<const TTempElement*>;

inline std::vector<Contour> Contours() {
    std::vector<Contour> out;
    for (const TTempElement* e : EngineTest::Elements()) {
        if (KindCode(e->Kind) == ecStart || out.empty()) out.emplace_back();
        out.back().push_back(e);
    }
    return out;
}

inline void ExpectContour(const Contour& got, const std::vector<Pt>& want, const std::string& what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(KindCode(got[i]->Kind), want[i].code) << what << " element " << i;
        EXPECT_NEAR(got[i]->X.ToDouble(), want[i].x, 0.001) << what << " element " << i;
        EXPECT_NEAR(got[i]->Y.ToDouble(), want[i].y, 0.001) << what << " element " << i;
    }
}

// Last point equals the start point at the drawing precision (3 decimals).
inline bool Closed(const Contour& c) {
    if (c.size() < 2) return false;
    return std::hypot(c.front()->X.ToDouble() - c.back()->X.ToDouble(),
                      c.front()->Y.ToDouble() - c.back()->Y.ToDouble()) < 0.0005;
}

// Centre and radius of an arc element that follows `prev`.
inline bool ArcCircle(const TTempElement* prev, const TTempElement* e, double& cx, double& cy, double& r) {
    Real48 x, y, rr;
    if (!CentreFromBulge(x, y, rr, KindCode(e->Kind), e->Bulge.ToLongDouble(), prev->X, prev->Y, e->X, e->Y))
        return false;
    cx = x.ToDouble();
    cy = y.ToDouble();
    r = rr.ToDouble();
    return true;
}

// Signed area in the record's axes, positive for a contour that turns from
// +X towards +Y: chords by the shoelace sum, arcs with their segments.
inline double SignedArea(const Contour& c) {
    long double a = 0;
    for (std::size_t i = 1; i < c.size(); ++i) {
        const TTempElement* p = c[i - 1];
        const TTempElement* e = c[i];
        const long double x0 = p->X, y0 = p->Y, x1 = e->X, y1 = e->Y;
        a += (x0 * y1 - x1 * y0) / 2;
        double cx, cy, r;
        if (IsArcCode(KindCode(e->Kind)) && ArcCircle(p, e, cx, cy, r)) {
            Real48 s0, s1;
            const long double sweep = ArcSweep(KindCode(e->Kind), s0, s1, cx, cy, x0, y0, x1, y1);
            a += r * r / 2 * (sweep - std::sin(sweep));
        }
    }
    return static_cast<double>(a);
}

}  // namespace kvd::test
