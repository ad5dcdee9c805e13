#include "templates/dimension_marks.h"

#include <vector>

#include "base/containers.h"
#include "base/low_heap.h"

namespace kvd {

DimensionMark* FirstDimensionMark = nullptr;
DimensionMark* LastDimensionMark = nullptr;

namespace {
// Edit numbers of the mark records: index + 1 into this table.
std::vector<ui::Edit*>& EditTable() {
    static std::vector<ui::Edit*> t;
    return t;
}
std::uint32_t EditNumber(ui::Edit* e) {
    if (!e) return 0;
    auto& t = EditTable();
    for (std::size_t i = 0; i < t.size(); ++i)
        if (t[i] == e) return static_cast<std::uint32_t>(i + 1);
    t.push_back(e);
    return static_cast<std::uint32_t>(t.size());
}
}  // namespace

std::deque<DimensionBox>& DimensionBoxes() {
    static std::deque<DimensionBox> boxes;
    return boxes;
}

DimensionBox& AddDimensionBox(ui::Edit* mirrored, ui::Edit* overlay, int type) {
    EditNumber(mirrored);
    EditNumber(overlay);
    DimensionBox b;
    b.mirrored = mirrored;
    b.overlay = overlay;
    b.type = type;
    return DimensionBoxes().emplace_back(b);
}

DimensionBox* FindDimensionBox(int type) {
    for (auto& b : DimensionBoxes())
        if (b.type == type) return &b;
    return nullptr;
}

DimensionBox* FindDimensionBoxOfEdit(const ui::Edit* edit) {
    if (!edit) return nullptr;
    for (auto& b : DimensionBoxes())
        if (b.mirrored == edit || b.overlay == edit) return &b;
    return nullptr;
}

void DisposeDimensionBoxes() {
    DisposeDimensionMarks();
    DimensionBoxes().clear();
    EditTable().clear();
}

DimensionMark* AddDimensionMark(int type, ui::Edit* mirrored) {
    DimensionBox* box = FindDimensionBox(type);
    if (!box) return nullptr;
    auto* m = lowheap::New<DimensionMark>();
    m->Tag = kDimensionMarkTag;
    const TTempElement* last = CurrentContainer ? static_cast<TTempElement*>(CurrentContainer->ElementsTail) : nullptr;
    if (last) {
        const TTempElement* before = last->Prev ? static_cast<TTempElement*>(last->Prev) : last;
        m->X1 = static_cast<float>(before->X.ToDouble());
        m->Y1 = static_cast<float>(before->Y.ToDouble());
        m->X2 = static_cast<float>(last->X.ToDouble());
        m->Y2 = static_cast<float>(last->Y.ToDouble());
    }
    m->MirroredEdit = EditNumber(mirrored ? mirrored : box->mirrored);
    m->OverlayEdit = EditNumber(box->overlay);
    m->Next = nullptr;
    if (LastDimensionMark)
        LastDimensionMark->Next = m;
    else
        FirstDimensionMark = m;
    LastDimensionMark = m;
    box->mark = m;
    box->element = nullptr;
    return m;
}

void DisposeDimensionMarks() {
    DimensionMark* m = FirstDimensionMark;
    while (m) {
        DimensionMark* next = m->Next;
        lowheap::Free(m);
        m = next;
    }
    FirstDimensionMark = LastDimensionMark = nullptr;
    // Element pointers name elements of the chain that is disposed with the marks.
    for (auto& b : DimensionBoxes()) {
        b.mark = nullptr;
        b.element = nullptr;
    }
}

std::size_t DimensionMarkCount() {
    std::size_t n = 0;
    for (const DimensionMark* m = FirstDimensionMark; m; m = m->Next) ++n;
    return n;
}

ui::Edit* EditOfMarkField(std::uint32_t field) {
    auto& t = EditTable();
    if (field == 0 || field > t.size()) return nullptr;
    return t[field - 1];
}

}  // namespace kvd
