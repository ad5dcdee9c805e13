#include "templates/generators/straight_cuts.h"

#include <string>

#include "base/element_list.h"
#include "base/log.h"
#include "base/precision.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

namespace {

void Emit(std::uint16_t code, long double x, long double y) {
    CurrentElement.Kind = code;
    CurrentElement.X = x;
    CurrentElement.Y = y;
    AddShapeElement();
}

int CutCount(std::int32_t n, const char* family) {
    if (n <= kMaxCutsPerFamily) return n;
    WriteLog(std::string("Tagli rettilinei: ") + std::to_string(n) + " " + family + " cuts, drawn " +
             std::to_string(kMaxCutsPerFamily));
    return kMaxCutsPerFamily;
}

}  // namespace

void GenerateStraightCuts(const TemplateParameters& p) {
    MarkingIndex = kKindStraightCuts;
    ClearCurrentElement();
    const bool withBlade = (p.OptionBits & kOptionCutThickness) != 0;
    const long double blade = withBlade ? p.CutWidth.ToLongDouble() : 0.0L;

    const long double Lh = p.CutsHorizontalLength, Dh = p.CutsHorizontalPitch;
    if (p.CutsHorizontalCount > 0 && RoundToPrecision(Dh) > 0 && RoundToPrecision(Lh) > 0) {
        const long double pitch = Dh + blade;
        const int n = CutCount(p.CutsHorizontalCount, "horizontal");
        for (int i = 0; i < n; ++i) {
            Emit(ecStart, 0, pitch * i);
            Emit(ecLine, Lh, pitch * i);
        }
    }
    const long double Lv = p.CutsVerticalLength, Dv = p.CutsVerticalPitch;
    if (p.CutsVerticalCount > 0 && RoundToPrecision(Dv) > 0 && RoundToPrecision(Lv) > 0) {
        const long double pitch = Dv + blade;
        const int n = CutCount(p.CutsVerticalCount, "vertical");
        for (int i = 0; i < n; ++i) {
            Emit(ecStart, pitch * i, 0);
            Emit(ecLine, pitch * i, Lv);
        }
    }
}

}  // namespace kvd
