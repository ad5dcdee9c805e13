// Dimension boxes and dimension marks of the preview.
//
// A DimensionBox pairs a dimension edit of the dialog with the small overlay
// edit shown on the preview next to the segment it controls. The dialog makes
// the boxes at form creation (AddDimensionBox with its two ui::Edit*, the type
// being the number in the mirrored edit's name: 120 for Edit120) and disposes
// them at form destruction (DisposeDimensionBoxes). Generators call
// AddDimensionMark right after emitting a segment that a box controls; every
// regeneration disposes the marks first (DisposeDimensionMarks).
//
// DimensionMark is the 40-byte record of the mark list, allocated from the low
// heap. Its two edit fields are 32-bit: they hold the number of the edit in
// the box registry (EditOfMarkField turns it back into the ui::Edit*).
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>

#include "kvd/element.h"
#include "kvd/ptr32.h"

namespace kvd {
namespace ui {
class Edit;
}

#pragma pack(push, 1)
struct DimensionMark {
    std::uint8_t Reserved0;
    std::uint8_t Tag;  // 193
    std::uint8_t Reserved2[2];
    float X1, Y1, X2, Y2;  // the segment the dimension measures
    std::uint8_t Reserved20[4];
    std::uint32_t MirroredEdit;  // edit number (EditOfMarkField)
    std::uint32_t OverlayEdit;   // edit number
    std::uint32_t Zero32;
    Ptr32<DimensionMark> Next;
};
#pragma pack(pop)
static_assert(sizeof(DimensionMark) == 40);
static_assert(offsetof(DimensionMark, Tag) == 1);
static_assert(offsetof(DimensionMark, X1) == 4);
static_assert(offsetof(DimensionMark, Y1) == 8);
static_assert(offsetof(DimensionMark, X2) == 12);
static_assert(offsetof(DimensionMark, Y2) == 16);
static_assert(offsetof(DimensionMark, MirroredEdit) == 24);
static_assert(offsetof(DimensionMark, OverlayEdit) == 28);
static_assert(offsetof(DimensionMark, Zero32) == 32);
static_assert(offsetof(DimensionMark, Next) == 36);
inline constexpr std::uint8_t kDimensionMarkTag = 193;

struct DimensionBox {
    ui::Edit* mirrored = nullptr;  // the dialog's edit
    ui::Edit* overlay = nullptr;   // the edit on the preview
    int type = 0;                  // number in the mirrored edit's name
    TTempElement* element = nullptr;  // set by the quadrilateral generator for its offset edits
    DimensionMark* mark = nullptr;    // the mark of this regeneration, or nullptr
};

// The boxes in creation order (references stay valid while boxes are added).
std::deque<DimensionBox>& DimensionBoxes();
DimensionBox& AddDimensionBox(ui::Edit* mirrored, ui::Edit* overlay, int type);
DimensionBox* FindDimensionBox(int type);
// The box whose mirrored or overlay edit this is (for copying text across).
DimensionBox* FindDimensionBoxOfEdit(const ui::Edit* edit);
// Frees the marks too; the edits belong to the form.
void DisposeDimensionBoxes();

// The mark list of the last regeneration.
extern DimensionMark* FirstDimensionMark;
extern DimensionMark* LastDimensionMark;

// When a box of `type` exists: appends a mark whose segment runs from the end
// point of the element before the current container's last element to the
// last element's end point, links it to the box (its element pointer is
// cleared) and returns it; nullptr otherwise. `mirrored` defaults to the
// box's own edit.
DimensionMark* AddDimensionMark(int type, ui::Edit* mirrored = nullptr);
// Frees every mark; every box forgets its mark.
void DisposeDimensionMarks();
std::size_t DimensionMarkCount();

// The edit an edit field of a mark names (nullptr for 0 or an unknown number).
ui::Edit* EditOfMarkField(std::uint32_t field);

}  // namespace kvd
