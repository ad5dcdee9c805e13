// Runs kvdhost as a process, as scripts do: its exit status and what it
// printed (standard output and standard error together).
#pragma once
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

struct KvdhostRun {
    int status;
    std::string out;
};

inline KvdhostRun RunKvdhost(const std::string& args, const std::string& env = "") {
    const char* bin = std::getenv("KVD_BIN_DIR");
    std::string cmd = env + " " + std::string(bin ? bin : "bin") + "/kvdhost " + args + " 2>&1";
    KvdhostRun r{};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return {-1, "popen failed"};
    std::array<char, 4096> buf{};
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}
