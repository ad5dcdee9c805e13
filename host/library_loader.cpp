#include "host/library_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

namespace kvdhost {

std::string LibraryFolder() {
    if (const char* env = std::getenv("KVD_LIB_DIR"); env && *env) return env;
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string exe(buf, static_cast<std::size_t>(n));
    auto slash = exe.rfind('/');
    return slash == std::string::npos ? "." : exe.substr(0, slash);
}

Library::Library(const std::string& name) : path_(LibraryFolder() + "/lib" + name + ".so") {
    // RTLD_LOCAL: each library keeps its own copy of the shared base.
    handle_ = ::dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = ::dlerror();
        throw HostError("cannot load " + path_ + ": " + (why ? why : "unknown error"));
    }
}

Library::~Library() {
    // The libraries stay loaded until kvdhost exits, as they do in the CAM
    // host: their dialogs' Qt objects belong to the one application, and an
    // exception an export threw may still be on its way with its type in the
    // library's code.
}

void* Library::Symbol(const char* exportName) const {
    ::dlerror();
    void* p = ::dlsym(handle_, exportName);
    if (!p) throw HostError(path_ + " has no export " + exportName);
    return p;
}

}  // namespace kvdhost
