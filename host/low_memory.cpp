#include "host/low_memory.h"

#include <sys/mman.h>

#include <cstdint>

#include "host/library_loader.h"

namespace kvdhost {

namespace {
constexpr std::size_t kArena = std::size_t{16} << 20;
char* next = nullptr;
char* end = nullptr;
}  // namespace

void* LowAlloc(std::size_t size) {
    size = (size + 15) & ~std::size_t{15};
    if (size > kArena) throw HostError("a host record of " + std::to_string(size) + " bytes is too large");
    if (!next || next + size > end) {
        void* p = mmap(nullptr, kArena, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
        if (p == MAP_FAILED || reinterpret_cast<std::uintptr_t>(p) + kArena > (std::uintptr_t{1} << 32))
            throw HostError("no memory below 4 GiB for the host's records");
        next = static_cast<char*>(p);
        end = next + kArena;
    }
    void* r = next;
    next += size;
    return r;  // mmap gives zeroed pages
}

}  // namespace kvdhost
