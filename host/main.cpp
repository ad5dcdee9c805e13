// kvdhost: loads the libraries as the CAM host does and gives people and
// scripts a way to use them. See `kvdhost --help`.
#include <cstdio>
#include <exception>

#include "host/commands.h"
#include "host/library_loader.h"

int main(int argc, char** argv) {
    try {
        return kvdhost::RunCommandLine(argc, argv);
    } catch (const kvdhost::UsageError& e) {
        std::fprintf(stderr, "kvdhost: %s (see kvdhost --help)\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kvdhost: %s\n", e.what());
        return 2;
    }
}
