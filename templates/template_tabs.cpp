#include "templates/template_tabs.h"

#include "templates/template_parameters.h"

namespace kvd {

namespace {
struct TabInfo {
    int kind;
    const char* caption;
};
// In page order (TemplateTab).
constexpr TabInfo kTabs[kTemplateTabs] = {
    {kKindRegular, "Regolare"},         {kKindRectangle, "Rettangolo"},  {kKindIrregular, "Irregolare"},
    {kKindEllipse, "Ellisse"},          {kKindStraightCuts, "Tagli rettilinei"},
    {kKindKitchen, "Piano cucina"},     {kKindBathroom, "Top bagno"},   {kKindCorner, "Top ad angolo"},
    {kKindTombstone, "Lapide"},         {kKindStep, "Scalino"},         {kKindCoping, "Copertina"},
};
bool Valid(TemplateTab tab) {
    int i = static_cast<int>(tab);
    return i >= 0 && i < kTemplateTabs;
}
}  // namespace

int KindOfTab(TemplateTab tab) { return Valid(tab) ? kTabs[static_cast<int>(tab)].kind : kKindNone; }

bool TabFromIndex(int index, TemplateTab& tab) {
    if (index < 0 || index >= kTemplateTabs) return false;
    tab = static_cast<TemplateTab>(index);
    return true;
}

const char* TabCaption(TemplateTab tab) { return Valid(tab) ? kTabs[static_cast<int>(tab)].caption : ""; }

bool MatrixTicked(TemplateTab tab, std::uint16_t optionBits) {
    switch (tab) {
        case TemplateTab::Rettangolo: return (optionBits & kOptionMatrixRectangle) != 0;
        case TemplateTab::Regolare: return (optionBits & kOptionMatrixRegular) != 0;
        case TemplateTab::Irregolare: return (optionBits & kOptionMatrixIrregular) != 0;
        default: return false;
    }
}

}  // namespace kvd
