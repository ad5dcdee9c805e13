// The command line of kvdhost.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

namespace kvdhost {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs one command; returns the exit status (0 done, 1 cancelled, 2 error).
int RunCommandLine(int argc, char** argv);

}  // namespace kvdhost
