// The generator of each tab.
#pragma once
#include "templates/template_tabs.h"

namespace kvd {

// Runs the generator of the tab on TemplateParams, appending through
// AddShapeElement. False for a tab whose generator is not built yet (it
// emits nothing and leaves MarkingIndex at -1).
bool RunGenerator(TemplateTab tab);
bool GeneratorBuilt(TemplateTab tab);

}  // namespace kvd
