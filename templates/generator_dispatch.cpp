#include "templates/generator_dispatch.h"

#include "templates/generators/bathroom_top.h"
#include "templates/generators/corner_top.h"
#include "templates/generators/kitchen_top.h"
#include "templates/generators/rectangle.h"
#include "templates/template_parameters.h"

namespace kvd {

namespace {
using Generator = void (*)(const TemplateParameters&);

// One generator per tab, in page order. Only the rectangle is built so far:
// the other tabs emit nothing (an empty drawing, MarkingIndex stays -1).
constexpr Generator kGenerators[kTemplateTabs] = {
    nullptr,            // Regolare          (not built yet)
    GenerateRectangle,  // Rettangolo
    nullptr,            // Irregolare        (not built yet)
    nullptr,            // Ellisse           (not built yet)
    nullptr,            // Tagli rettilinei  (not built yet)
    GenerateKitchenTop, // Piano cucina
    GenerateBathroomTop, // Top bagno
    GenerateCornerTop,  // Top ad angolo
    nullptr,            // Lapide            (not built yet)
    nullptr,            // Scalino           (not built yet)
    nullptr,            // Copertina         (not built yet)
};

Generator GeneratorOf(TemplateTab tab) {
    const int i = static_cast<int>(tab);
    return (i >= 0 && i < kTemplateTabs) ? kGenerators[i] : nullptr;
}
}  // namespace

bool GeneratorBuilt(TemplateTab tab) { return GeneratorOf(tab) != nullptr; }

bool RunGenerator(TemplateTab tab) {
    Generator g = GeneratorOf(tab);
    if (!g) return false;
    g(TemplateParams);
    return true;
}

}  // namespace kvd
