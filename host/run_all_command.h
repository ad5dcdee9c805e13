// kvdhost run-all: the main job. The default drawing of every templates tab
// into a folder (JSON, SVG, preview PNG), one piece file holding them side by
// side, and a summary table on standard output.
#pragma once
#include <string>
#include <vector>

namespace kvdhost {

// run-all [--out DIR]
int CmdRunAll(const std::vector<std::string>& args);

// The tab captions of the templates dialog, in page order.
const std::vector<std::string>& TemplateTabs();

}  // namespace kvdhost
