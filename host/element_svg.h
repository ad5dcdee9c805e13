// An element list drawn as SVG for people to look at: lines, arcs from their
// bulges, Y growing downwards as in the preview of the templates dialog.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "kvd/element.h"

namespace kvdhost {

// `palette` maps a contour's ColorIndex to $00BBGGRR (nullptr: the contour's
// own RGB, black when that is zero).
std::string ElementListToSvg(const std::vector<kvd::TTempElement>& elements, const std::uint32_t* palette = nullptr);

}  // namespace kvdhost
