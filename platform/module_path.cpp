#include "platform/module_path.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cctype>
#include <string>

namespace kvd::platform {

namespace {

std::string SelfExecutable() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The comparable core of a module name: base name, lower case, without a
// "lib" prefix and without the shared-object or Windows ending.
std::string ModuleKey(const std::string& name) {
    std::string s = name;
    for (char& c : s)
        if (c == '\\') c = '/';
    if (auto slash = s.rfind('/'); slash != std::string::npos) s.erase(0, slash + 1);
    s = Lower(s);
    for (auto pos = s.find(".so"); pos != std::string::npos; pos = s.find(".so", pos + 1)) {
        if (pos + 3 == s.size() || s[pos + 3] == '.') {
            s.resize(pos);
            break;
        }
    }
    for (const char* ext : {".dll", ".exe"}) {
        std::string e = ext;
        if (s.size() > e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0) s.resize(s.size() - e.size());
    }
    if (s.size() > 3 && s.compare(0, 3, "lib") == 0) s.erase(0, 3);
    return s;
}

struct Search {
    std::string key;
    std::string found;
};

int VisitModule(dl_phdr_info* info, size_t, void* data) {
    auto* search = static_cast<Search*>(data);
    std::string path = info->dlpi_name ? info->dlpi_name : "";
    if (path.empty()) path = SelfExecutable();  // the main program has no name here
    if (!path.empty() && ModuleKey(path) == search->key) {
        search->found = path;
        return 1;
    }
    return 0;
}

}  // namespace

std::string ModulePathOfAddress(const void* address) {
    Dl_info info{};
    if (address == nullptr || ::dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
    return info.dli_fname;
}

std::string FindLoadedModule(const std::string& name) {
    Search search{ModuleKey(name), {}};
    if (search.key.empty()) return {};
    ::dl_iterate_phdr(&VisitModule, &search);
    return search.found;
}

std::string ResolveModuleFile(const std::string& name) {
    if (name.find_first_of("/\\") != std::string::npos) {
        std::string path = name;
        for (char& c : path)
            if (c == '\\') c = '/';
        return path;
    }
    std::string loaded = FindLoadedModule(name);
    return loaded.empty() ? name : loaded;
}

}  // namespace kvd::platform
