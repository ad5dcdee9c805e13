// The eleven tabs of the templates dialog and the template kinds they make.
//
// Dialog side: build the page control's tab sheets in the order of
// TemplateTab (its value is the page index, as stored in
// TemplateParameters::ActiveTab) and pass the active page as a TemplateTab to
// every engine function. The kind numbers (MarkingIndex, the per-kind arrays
// of TemplateParameters) are a different numbering: KindOfTab maps them.
#pragma once
#include <cstdint>

namespace kvd {

enum class TemplateTab : int {
    Regolare = 0,
    Rettangolo = 1,
    Irregolare = 2,
    Ellisse = 3,
    TagliRettilinei = 4,
    PianoCucina = 5,
    TopBagno = 6,
    TopAdAngolo = 7,
    Lapide = 8,
    Scalino = 9,
    Copertina = 10,
};
inline constexpr int kTemplateTabs = 11;

// Template kinds: the value of MarkingIndex and the index of the per-kind
// arrays (marking text, colour, quantity, direction).
enum TemplateKind : int {
    kKindNone = -1,
    kKindStraightCuts = 0,
    kKindKitchen = 1,
    kKindBathroom = 2,
    kKindCorner = 3,
    kKindTombstone = 4,
    kKindRegular = 5,
    kKindRectangle = 6,
    kKindIrregular = 7,
    kKindEllipse = 8,
    kKindStep = 9,
    kKindCoping = 10,
};

// The kind a tab's generator makes; kKindNone for a value outside the tabs.
int KindOfTab(TemplateTab tab);
// A page index as a tab; false when it is not one of the eleven.
bool TabFromIndex(int index, TemplateTab& tab);
// The tab's caption ("Rettangolo", "Tagli rettilinei", ...).
const char* TabCaption(TemplateTab tab);

// The "Matrice" check box of the tab is ticked: "Rettangolo" with option bit
// 2, "Regolare" with bit 3, "Irregolare" with bit 4; false on other tabs.
bool MatrixTicked(TemplateTab tab, std::uint16_t optionBits);

}  // namespace kvd
