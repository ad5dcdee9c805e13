// kvdhost window: the main window for people.
#pragma once
#include <string>
#include <vector>

namespace kvdhost {

// window [FILE] [--host-dir DIR] [--screenshot OUT.png]
int CmdWindow(const std::vector<std::string>& args);

}  // namespace kvdhost
