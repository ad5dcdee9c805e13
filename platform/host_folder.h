// Where the host executable lives: every settings, log and language file is
// found from there.
#pragma once
#include <string>

namespace kvd::platform {

// The folder of the host executable, without a trailing "/": $KVD_HOST_DIR
// when set and not empty, else the folder of /proc/self/exe.
std::string HostFolder();
// The host executable's file name without folder and extension ("kvdhost").
std::string HostExecutableBaseName();
// Joins a folder and a relative name given with either separator; "\" becomes "/".
std::string JoinHostPath(const std::string& folder, const std::string& relative);

}  // namespace kvd::platform
