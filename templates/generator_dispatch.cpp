#include "templates/generator_dispatch.h"

#include "templates/generators/bathroom_top.h"
#include "templates/generators/coping.h"
#include "templates/generators/corner_top.h"
#include "templates/generators/ellipse.h"
#include "templates/generators/irregular_polygon.h"
#include "templates/generators/kitchen_top.h"
#include "templates/generators/rectangle.h"
#include "templates/generators/regular_polygon.h"
#include "templates/generators/step.h"
#include "templates/generators/straight_cuts.h"
#include "templates/template_parameters.h"

namespace kvd {

namespace {
using Generator = void (*)(const TemplateParameters&);

// One generator per tab, in page order. A tab without one emits nothing (an
// empty drawing, MarkingIndex stays -1).
constexpr Generator kGenerators[kTemplateTabs] = {
    GenerateRegularPolygon,    // Regolare
    GenerateRectangle,         // Rettangolo
    GenerateIrregularPolygon,  // Irregolare
    GenerateEllipse,           // Ellisse
    GenerateStraightCuts,      // Tagli rettilinei
    GenerateKitchenTop,        // Piano cucina
    GenerateBathroomTop,       // Top bagno
    GenerateCornerTop,         // Top ad angolo
    nullptr,                   // Lapide (the tombstone composer is not built yet)
    GenerateStep,              // Scalino
    GenerateCoping,            // Copertina
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
