#include "templates/generators/corner_top.h"

#include <algorithm>
#include <cmath>

#include "base/containers.h"
#include "base/element_list.h"
#include "base/geometry.h"
#include "base/precision.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

namespace {

long double LastCutAngle = 0;

bool Greater(long double a, long double b) { return RoundToPrecision(a - b) > 0; }
bool AtLeast(long double a, long double b) { return RoundToPrecision(a - b) >= 0; }

TTempElement* Emit(std::uint16_t code, long double x, long double y) {
    CurrentElement.Kind = code;
    CurrentElement.X = x;
    CurrentElement.Y = y;
    CurrentElement.Bulge = Real48(0.0L);
    return AddShapeElement();
}

TTempElement* Tail() {
    return CurrentContainer ? static_cast<TTempElement*>(CurrentContainer->ElementsTail) : nullptr;
}

// Emits the outline and returns the direction of its cut edge.
long double Outline(long double W, long double H, long double ws, long double hs, bool cut) {
    Emit(ecStart, 0, 0);
    if (RoundToPrecision(hs) == 0 || RoundToPrecision(ws) == 0) return 0;
    struct Vertex {
        long double x, y;
        bool squareOnly;  // the inner corner, left out when the corner is cut
    };
    const long double aws = std::fabs(ws);
    Vertex v[5];
    int target;       // the vertex that ends the edge whose direction is the cut's
    bool backwards;   // that edge's direction is taken from its end to its start
    if (hs > 0 && ws > 0) {
        const Vertex r[5] = {{W, 0, false}, {W, H, false}, {W - ws, H, false}, {W - ws, hs, true}, {0, hs, false}};
        std::copy(r, r + 5, v);
        target = 4;
        backwards = true;
    } else if (hs > 0) {
        const Vertex r[5] = {{W, 0, false}, {W, hs, false}, {aws, hs, true}, {aws, H, false}, {0, H, false}};
        std::copy(r, r + 5, v);
        target = 3;
        backwards = false;
    } else if (ws > 0) {
        const Vertex r[5] = {{W - ws, 0, true}, {W - ws, -H - hs, false}, {W, -H - hs, false}, {W, -hs, false},
                             {0, -hs, false}};
        std::copy(r, r + 5, v);
        target = 1;
        backwards = false;
    } else {
        const Vertex r[5] = {{aws, 0, false}, {aws, H + hs, true}, {W, H + hs, false}, {W, H, false}, {0, H, false}};
        std::copy(r, r + 5, v);
        target = 2;
        backwards = false;
    }
    long double alpha = 0;
    for (int i = 0; i < 5; ++i) {
        if (v[i].squareOnly && cut) continue;
        Emit(ecLine, v[i].x, v[i].y);
        if (i != target) continue;
        // The element that ends at the target: the new one, or the one before
        // when the new one had no length and was dropped.
        const TTempElement* e = Tail();
        const TTempElement* before = e ? static_cast<TTempElement*>(e->Prev) : nullptr;
        if (e && before && KindCode(e->Kind) != ecStart) {
            long double dx = e->X.ToLongDouble() - before->X.ToLongDouble();
            long double dy = e->Y.ToLongDouble() - before->Y.ToLongDouble();
            if (backwards) dx = -dx, dy = -dy;
            alpha = AngleOf(dy, dx);
        }
    }
    Emit(ecLine, 0, 0);
    return alpha;
}

// Turns every element from `start` to the end of the list about start's point.
void TurnAboutStart(TTempElement* start, long double alpha) {
    const long double sx = start->X.ToLongDouble(), sy = start->Y.ToLongDouble();
    const long double c = std::cos(alpha), s = std::sin(alpha);
    for (TTempElement* e = start; e; e = e->Next) {
        const long double dx = e->X.ToLongDouble() - sx, dy = e->Y.ToLongDouble() - sy;
        e->X = sx + dx * c - dy * s;
        e->Y = sy + dx * s + dy * c;
    }
}

class Items {
public:
    Items(bool cut, long double alpha) : cut_(cut), alpha_(alpha) {}

    void Begin() { start_ = nullptr; }
    void Start(long double x, long double y) {
        TTempElement* e = Emit(ecStart, x, y);
        if (!start_) start_ = e;
    }
    void Line(long double x, long double y) { Emit(ecLine, x, y); }
    // An item marked "Allineato" follows the cut; with a square corner it stays.
    void End(std::uint8_t direction) {
        if (cut_ && (direction & 1) && start_) TurnAboutStart(start_, alpha_);
    }

private:
    bool cut_;
    long double alpha_;
    TTempElement* start_ = nullptr;
};

void CutOuts(const TemplateParameters& p, Items& items, long double W, long double H) {
    const int n = std::clamp<int>(p.CornerHoleCount, 0, 3);
    for (int k = 0; k < n; ++k) {
        const HoleItem& h = p.CornerHoles[k];
        const long double x = h.X, y = h.Y, w = h.Width, ht = h.Height;
        if (!AtLeast(x, 0) || !AtLeast(y, 0) || !Greater(w, 0) || !Greater(ht, 0) || !AtLeast(W, x + w) ||
            !AtLeast(H, y + ht))
            continue;
        items.Begin();
        items.Start(x, y);
        items.Line(x, y + ht);
        items.Line(x + w, y + ht);
        items.Line(x + w, y);
        items.Line(x, y);
        // "Sinistra" 1, "Destra" 2, "2 lati" 3, "4 lati" 4.
        const int special = h.Special;
        if (special == 1 || special == 3 || special == 4) {
            items.Start(x + 15, y);
            items.Line(x + 15, y + ht);
        }
        if (special == 2 || special == 3 || special == 4) {
            items.Start(x + w - 15, y);
            items.Line(x + w - 15, y + ht);
        }
        if (special == 4) {
            items.Start(x, y + 15);
            items.Line(x + w, y + 15);
            items.Start(x, y + ht - 15);
            items.Line(x + w, y + ht - 15);
        }
        items.End(h.Flags);
    }
}

void Reinforcements(const TemplateParameters& p, Items& items, long double W, long double H) {
    const int nh = std::clamp<int>(p.CornerHorizontalBarCount, 0, 6);
    for (int k = 0; k < nh; ++k) {
        const BarItem& b = p.CornerHorizontalBars[k];
        const long double x = b.X, y = b.Y, len = b.Length;
        if (!Greater(len, 0) || !AtLeast(x, 0) || !Greater(y, 0) || !AtLeast(W, x + len) || !Greater(H, y)) continue;
        items.Begin();
        items.Start(x, y);
        items.Line(x + len, y);
        items.End(b.Flags);
    }
    const int nv = std::clamp<int>(p.CornerVerticalBarCount, 0, 8);
    for (int k = 0; k < nv; ++k) {
        const BarItem& b = p.CornerVerticalBars[k];
        const long double x = b.X, y = b.Y, len = b.Length;
        if (!Greater(len, 0) || !Greater(x, 0) || !AtLeast(y, 0) || !Greater(W, x) || !AtLeast(H, y + len)) continue;
        items.Begin();
        items.Start(x, y);
        items.Line(x, y + len);
        items.End(b.Flags);
    }
}

}  // namespace

long double CornerCutAngle() { return LastCutAngle; }

void GenerateCornerTop(const TemplateParameters& p) {
    MarkingIndex = kKindCorner;
    ClearCurrentElement();
    const long double W = p.CornerWidth, H = p.CornerHeight;
    const bool cut = p.CornerJoint == 1;
    LastCutAngle = Outline(W, H, p.CornerLedgeWidth, p.CornerLedgeHeight, cut);
    ClearCurrentElement();
    Items items(cut, LastCutAngle);
    CutOuts(p, items, W, H);
    Reinforcements(p, items, W, H);
}

}  // namespace kvd
