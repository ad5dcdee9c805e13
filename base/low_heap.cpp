#include "base/low_heap.h"

#include <sys/mman.h>

#include <cstring>
#include <string>
#include <vector>

#include "kvd/error.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KVD_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KVD_ASAN 1
#endif
#ifdef KVD_ASAN
#include <sanitizer/asan_interface.h>
#define POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define POISON(p, n) ((void)(p), (void)(n))
#define UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace kvd::lowheap {

namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 20;
constexpr std::size_t kMaxBlock = 64 * 1024;
constexpr std::size_t kGranule = 8;
constexpr std::size_t kClasses = kMaxBlock / kGranule;
constexpr std::uintptr_t kLowLimit = std::uintptr_t{1} << 32;

// Every chunk starts with this header; blocks follow it.
struct ChunkHeader {
    std::uint32_t blockSize;
    std::uint32_t classIndex;
};
constexpr std::size_t kHeaderSize = 64;  // keeps blocks 64-byte aligned

struct FreeBlock {
    FreeBlock* next;
};

struct SizeClass {
    FreeBlock* freeList = nullptr;
    char* bump = nullptr;     // next unused block in the newest chunk
    char* bumpEnd = nullptr;  // end of the newest chunk
};

struct Heap {
    SizeClass classes[kClasses];
    std::size_t live = 0;
    std::size_t mapped = 0;
    std::size_t limit = kNoLimit;
};

Heap& TheHeap() {
    static Heap heap;
    return heap;
}

[[noreturn]] void OutOfLowMemory(std::size_t size) {
    throw Error("out of low memory: no block of " + std::to_string(size) +
                " bytes can be placed below 4 GiB");
}

// Maps one chunk, aligned to its size, entirely below 4 GiB.
char* MapChunk(std::size_t size) {
    Heap& h = TheHeap();
    if (h.mapped + kChunkSize > h.limit) OutOfLowMemory(size);
    const std::size_t span = 2 * kChunkSize;
    void* p = MAP_FAILED;
#ifdef MAP_32BIT
    p = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
#endif
    if (p == MAP_FAILED || reinterpret_cast<std::uintptr_t>(p) + span > kLowLimit) {
        if (p != MAP_FAILED) munmap(p, span);
        // No MAP_32BIT (or it gave a high address): try hints below 4 GiB.
        p = MAP_FAILED;
        for (std::uintptr_t hint = 0x10000000; hint + span <= kLowLimit; hint += 0x8000000) {
            void* q = mmap(reinterpret_cast<void*>(hint), span, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (q == MAP_FAILED) continue;
            if (reinterpret_cast<std::uintptr_t>(q) + span <= kLowLimit) {
                p = q;
                break;
            }
            munmap(q, span);
        }
    }
    if (p == MAP_FAILED) OutOfLowMemory(size);
    auto base = reinterpret_cast<std::uintptr_t>(p);
    std::uintptr_t aligned = (base + kChunkSize - 1) & ~(kChunkSize - 1);
    if (aligned > base) munmap(p, aligned - base);
    std::uintptr_t end = base + span;
    if (end > aligned + kChunkSize) munmap(reinterpret_cast<void*>(aligned + kChunkSize), end - aligned - kChunkSize);
    h.mapped += kChunkSize;
    return reinterpret_cast<char*>(aligned);
}

}  // namespace

void* Allocate(std::size_t size) {
    if (size == 0 || size > kMaxBlock) throw Error("low heap: unsupported block size " + std::to_string(size));
    Heap& h = TheHeap();
    const std::size_t index = (size + kGranule - 1) / kGranule - 1;
    const std::size_t blockSize = (index + 1) * kGranule;
    SizeClass& sc = h.classes[index];
    void* block;
    if (sc.freeList) {
        FreeBlock* b = sc.freeList;
        UNPOISON(b, blockSize);
        sc.freeList = b->next;
        block = b;
    } else {
        if (sc.bump == nullptr || sc.bump + blockSize > sc.bumpEnd) {
            char* chunk = MapChunk(size);
            auto* header = reinterpret_cast<ChunkHeader*>(chunk);
            header->blockSize = static_cast<std::uint32_t>(blockSize);
            header->classIndex = static_cast<std::uint32_t>(index);
            sc.bump = chunk + kHeaderSize;
            sc.bumpEnd = chunk + kChunkSize;
            POISON(sc.bump, sc.bumpEnd - sc.bump);
        }
        block = sc.bump;
        sc.bump += blockSize;
        UNPOISON(block, blockSize);
    }
    std::memset(block, 0, blockSize);
    ++h.live;
    return block;
}

void Free(void* block) {
    if (!block) return;
    Heap& h = TheHeap();
    auto chunk = reinterpret_cast<std::uintptr_t>(block) & ~(kChunkSize - 1);
    const auto* header = reinterpret_cast<const ChunkHeader*>(chunk);
    SizeClass& sc = h.classes[header->classIndex];
    auto* b = static_cast<FreeBlock*>(block);
    b->next = sc.freeList;
    sc.freeList = b;
    POISON(b, header->blockSize);  // a later write through a stale pointer is reported
    --h.live;
}

std::size_t LiveBlocks() { return TheHeap().live; }
std::size_t MappedBytes() { return TheHeap().mapped; }
void SetMappedLimitForTesting(std::size_t bytes) { TheHeap().limit = bytes; }

}  // namespace kvd::lowheap
