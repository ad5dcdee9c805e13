// kvdhost: loads the libraries as the CAM host does and gives people and
// scripts a way to use them. See `kvdhost --help`.
#include <cstdio>
#include <exception>

#include "host/commands.h"
#include "host/library_loader.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KVDHOST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(KVDHOST_ASAN)
// fontconfig keeps its caches until the process ends: none of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

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
