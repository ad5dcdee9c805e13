// Slots of the templates dialog: every control that carries a parameter has
// a slot number 1..229; a slot mask (229 characters "1"/"0", one per slot)
// says which of them a transfer between controls and TemplateParameters
// moves. The table below says, per slot, which control it is, how its value
// is typed and where it lives in the record.
#pragma once
#include <bitset>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace kvd::templates {

inline constexpr int kSlotCount = 229;

// Bit s is slot s (bit 0 is unused).
using SlotMask = std::bitset<kSlotCount + 1>;

// From the 229-character text form ("1" marks a slot; any other character,
// or a missing one, does not).
SlotMask MaskFromText(std::string_view text);
std::string MaskToText(const SlotMask& mask);
SlotMask Slots(std::initializer_list<int> slots);
SlotMask SlotRange(int first, int last);
SlotMask AllSlots();

// The slot of edit number N (the number in "EditN"), 0 when it has none.
int SlotOfEditNumber(int n);
// The slot of an edit by name ("Edit120" -> 127); 0 for any other name.
int SlotOfEdit(std::string_view name);

enum class SlotType {
    R6,           // 6-byte real
    D8,           // double
    F4,           // float
    I4,           // 32-bit integer
    U2,           // 16-bit integer
    Count,        // I4 item count: limited to `max`, refills `group`
    Marking,      // length-prefixed text of at most 30 characters
    Color,        // I4 colour 0x00BBGGRR from a colour box
    ByteBit,      // bit `bit` of the byte at `offset` (check box or tick `tick` of a check-list box)
    ItemBit,      // bit `bit` of the current tombstone item's flags
    ItemJustify,  // bits 8-9 of the current tombstone item's flags from a radio group
    ItemText,     // text of the current tombstone item (memo)
    RadioI4,      // I4 from a radio group's item index
    Quad,         // "Irregolare": slot `offset` of the working set of the kind
    LinkedHole,   // Edit182, the kitchen hole's distance from the right edge (no field)
};

// Where an item field lives: the item chosen in the radio group `group`
// (stride bytes apart, `offset` is the field of item 0), or the current
// tombstone item when `group` is "@".
inline constexpr std::string_view kTombstoneItem = "@";

struct SlotDef {
    int slot;
    std::string_view control;
    SlotType type;
    int offset = 0;
    std::string_view group = {};  // item selector; for Count the group it refills
    int stride = 0;
    int max = 0;                  // Count: the maximum
    std::string_view page = {};   // Count: the item page
    int bit = 0;
    int tick = -1;                // CheckListBox1 item of a ByteBit
};

// Every slot's controls, in slot order; a slot can carry two controls (slot
// 147 is both the step's "Direzione" and the regular polygon's colour box).
std::span<const SlotDef> SlotTable();

// The marking index of a per-kind control's kind (marking, colour, quantity,
// direction arrays), from its record offset; -1 when it is not one.
int KindOfPerKindOffset(int offset);

}  // namespace kvd::templates
