// The low heap: fixed-size blocks whose addresses all lie below 4 GiB, so
// that records can link to each other through 32-bit fields (kvd/ptr32.h).
//
// Memory comes in 1 MiB chunks mapped low in the address space; each chunk
// serves one block size, so a block's size is known from its address and
// Free needs no size. Freed blocks go to their size class's free list and
// are poisoned for AddressSanitizer until they are handed out again.
// Not thread-safe: every library runs on the host's user-interface thread.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kvd::lowheap {

// A zero-filled block of `size` bytes (1 .. 64 KiB) below 4 GiB.
// Throws kvd::Error when no low memory is left.
void* Allocate(std::size_t size);
// Returns a block to its free list; nullptr is ignored.
void Free(void* block);

// Blocks handed out and not yet freed, of any size (leak checks in tests).
std::size_t LiveBlocks();
// Bytes of address space the heap has mapped so far.
std::size_t MappedBytes();
// Caps the bytes the heap may map (kNoLimit: no cap); lets tests reach the
// out-of-memory path without exhausting the machine.
inline constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);
void SetMappedLimitForTesting(std::size_t bytes);

// Allocates a zero-filled T from the low heap.
template <typename T>
T* New() {
    return static_cast<T*>(Allocate(sizeof(T)));
}

}  // namespace kvd::lowheap
