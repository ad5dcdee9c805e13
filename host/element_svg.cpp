#include "host/element_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace kvdhost {

using kvd::TTempElement;

namespace {

struct Box {
    double minX = std::numeric_limits<double>::max(), minY = minX;
    double maxX = -std::numeric_limits<double>::max(), maxY = maxX;
    void Add(double x, double y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    bool Empty() const { return minX > maxX; }
};

std::string F(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    std::string s = buf;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string Colour(std::uint32_t bgr) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    return buf;
}

bool Geometric(const TTempElement* e) { return !kvd::IsNonGeometricKind(e->Kind) && kvd::KindCode(e->Kind) <= 6; }

}  // namespace

std::string ElementListToSvg(const std::vector<TTempElement>& elements, const std::uint32_t* palette) {
    Box box;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const TTempElement* e = &elements[i];
        const TTempElement* prev = i ? &elements[i - 1] : nullptr;
        if (!Geometric(e)) continue;
        double x = e->X.ToDouble(), y = e->Y.ToDouble();
        box.Add(x, y);
        unsigned code = kvd::KindCode(e->Kind);
        if (kvd::IsArcCode(code) && prev && Geometric(prev)) {
            // The arc's full circle bounds it; a loose box is fine for a view.
            double x0 = prev->X.ToDouble(), y0 = prev->Y.ToDouble();
            double b = std::fabs(e->Bulge.ToDouble());
            double c = std::hypot(x - x0, y - y0);
            if (b > 0 && c > 0) {
                double r = c * (1 + b * b) / (4 * b);
                double mx = (x0 + x) / 2, my = (y0 + y) / 2;
                box.Add(mx - r, my - r);
                box.Add(mx + r, my + r);
            }
        }
    }
    if (box.Empty()) box.Add(0, 0);
    double w = std::max(box.maxX - box.minX, 1.0), h = std::max(box.maxY - box.minY, 1.0);
    double margin = 0.05 * std::max(w, h);
    double stroke = std::max(w, h) / 400;

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" + F(box.minX - margin) + " " +
           F(box.minY - margin) + " " + F(w + 2 * margin) + " " + F(h + 2 * margin) + "\" width=\"800\" height=\"" +
           F(800 * (h + 2 * margin) / (w + 2 * margin)) + "\">\n";
    out += "<rect x=\"" + F(box.minX - margin) + "\" y=\"" + F(box.minY - margin) + "\" width=\"" +
           F(w + 2 * margin) + "\" height=\"" + F(h + 2 * margin) + "\" fill=\"white\"/>\n";

    std::string path;
    std::uint32_t colour = 0;
    auto flush = [&]() {
        if (path.empty()) return;
        out += "<path fill=\"none\" stroke=\"" + Colour(colour) + "\" stroke-width=\"" + F(stroke) + "\" d=\"" + path +
               "\"/>\n";
        path.clear();
    };
    double px = 0, py = 0;
    for (const TTempElement& el : elements) {
        const TTempElement* e = &el;
        if (!Geometric(e)) continue;
        unsigned code = kvd::KindCode(e->Kind);
        double x = e->X.ToDouble(), y = e->Y.ToDouble();
        if (code == kvd::ecStart) {
            flush();
            std::uint32_t rgb = e->ColorR | (std::uint32_t{e->ColorG} << 8) | (std::uint32_t{e->ColorB} << 16);
            colour = palette ? palette[e->ColorIndex()] : rgb;
            path = "M" + F(x) + " " + F(y);
        } else if (kvd::IsArcCode(code)) {
            double b = std::fabs(e->Bulge.ToDouble());
            double c = std::hypot(x - px, y - py);
            if (path.empty()) path = "M" + F(px) + " " + F(py);
            if (b == 0 || c == 0) {
                path += " L" + F(x) + " " + F(y);
            } else {
                double r = c * (1 + b * b) / (4 * b);
                // Code 2 turns from +X towards +Y: SVG's positive sweep in a Y-down view.
                int sweep = code == kvd::ecArcNeg ? 1 : 0;
                int large = b > 1 ? 1 : 0;
                path += " A" + F(r) + " " + F(r) + " 0 " + std::to_string(large) + " " + std::to_string(sweep) + " " +
                        F(x) + " " + F(y);
            }
        } else {
            if (path.empty()) path = "M" + F(px) + " " + F(py);
            path += " L" + F(x) + " " + F(y);
        }
        px = x;
        py = y;
    }
    flush();
    out += "</svg>\n";
    return out;
}

}  // namespace kvdhost
