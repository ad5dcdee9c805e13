#include "host/qt_app.h"

#include <QApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace kvdhost {

void EnsureQtApplication(bool interactive) {
    if (QCoreApplication::instance()) return;
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!interactive || !display) {
        if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("KVD_UI_NONINTERACTIVE", "1", 1);
    }
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder; make the usual one rather than warn on every run.
        std::string dir = "/tmp/runtime-" + std::to_string(::getuid());
        ::mkdir(dir.c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
    static int argc = 1;
    static char name[] = "kvdhost";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives until the process ends, as the host's does
}

}  // namespace kvdhost
