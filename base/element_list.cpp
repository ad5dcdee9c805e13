#include "base/element_list.h"

#include <cstring>

namespace kvd {

TTempElement CurrentElement{};
bool DrawingModified = false;
TDrawingExtents DrawingExtents{};
bool SuppressGroupRenumbering = false;
TTempElement* HostDrawingList1 = nullptr;
TTempElement* HostDrawingList2 = nullptr;

void ExtendExtents(double x, double y) {
    TDrawingExtents& d = DrawingExtents;
    if (!d.Set) {
        d.MinX = d.MaxX = x;
        d.MinY = d.MaxY = y;
        d.Set = true;
    }
    if (x > d.MaxX.ToDouble()) d.MaxX = x;
    if (y > d.MaxY.ToDouble()) d.MaxY = y;
    if (x < d.MinX.ToDouble()) d.MinX = x;
    if (y < d.MinY.ToDouble()) d.MinY = y;
}

void ResetExtents() { DrawingExtents = TDrawingExtents{}; }

void ClearCurrentElement() { std::memset(static_cast<void*>(&CurrentElement), 0, sizeof CurrentElement); }

TTempElement* FindContourStart(TTempElement* e) {
    while (e && KindCode(e->Kind) != ecStart && e->Prev) e = e->Prev;
    return e;
}

void OffsetElementList(TTempElement* head, long double dx, long double dy) {
    for (TTempElement* e = head; e; e = e->Next) {
        e->X = e->X.ToLongDouble() + dx;
        e->Y = e->Y.ToLongDouble() + dy;
    }
}

std::size_t ElementCount(const TTempElement* head) {
    std::size_t n = 0;
    for (const TTempElement* e = head; e; e = e->Next) ++n;
    return n;
}

void SetElementColor(TTempElement& e, std::uint32_t bgr) {
    e.ColorR = static_cast<std::uint8_t>(bgr & 0xFF);
    e.ColorG = static_cast<std::uint8_t>((bgr >> 8) & 0xFF);
    e.ColorB = static_cast<std::uint8_t>((bgr >> 16) & 0xFF);
}

std::uint32_t ElementColor(const TTempElement& e) {
    return e.ColorR | (std::uint32_t{e.ColorG} << 8) | (std::uint32_t{e.ColorB} << 16);
}

void CopyElementColor(TTempElement& to, const TTempElement& from) {
    to.ColorR = from.ColorR;
    to.ColorG = from.ColorG;
    to.ColorB = from.ColorB;
}

void MirrorArc(TTempElement& e) {
    unsigned code = KindCode(e.Kind);
    if (!IsArcCode(code)) return;
    e.Kind = static_cast<std::uint16_t>((e.Kind & ~0xFu) | (5u - code));
    e.Bulge = -e.Bulge.ToLongDouble();
}

}  // namespace kvd
