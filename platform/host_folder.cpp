#include "platform/host_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace kvd::platform {

namespace {
std::string SelfExe() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    return std::string(buf, static_cast<std::size_t>(n));
}
}  // namespace

std::string HostFolder() {
    if (const char* env = std::getenv("KVD_HOST_DIR"); env && *env) {
        std::string d = env;
        while (d.size() > 1 && d.back() == '/') d.pop_back();
        return d;
    }
    std::string exe = SelfExe();
    auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string(".") : exe.substr(0, slash == 0 ? 1 : slash);
}

std::string HostExecutableBaseName() {
    std::string exe = SelfExe();
    auto slash = exe.rfind('/');
    std::string name = slash == std::string::npos ? exe : exe.substr(slash + 1);
    auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

std::string JoinHostPath(const std::string& folder, const std::string& relative) {
    std::string rel = relative;
    for (char& c : rel)
        if (c == '\\') c = '/';
    while (!rel.empty() && rel.front() == '/') rel.erase(rel.begin());
    if (folder.empty()) return rel;
    return folder.back() == '/' ? folder + rel : folder + "/" + rel;
}

}  // namespace kvd::platform
