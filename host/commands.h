// The command line of kvdhost.
#pragma once
#include <string>
#include <vector>

#include "host/errors.h"

namespace kvdhost {

// Runs one command; returns the exit status (0 done, 1 cancelled, 2 error).
int RunCommandLine(int argc, char** argv);

}  // namespace kvdhost
