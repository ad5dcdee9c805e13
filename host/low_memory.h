// Memory below 4 GiB for the records kvdhost links itself (lists it builds,
// its display object): the records' links are 32 bits wide.
#pragma once
#include <cstddef>

namespace kvdhost {

// A zero-filled block below 4 GiB. Blocks live until the program ends: the
// host's own lists are small and few. Throws HostError when none is left.
void* LowAlloc(std::size_t size);

template <typename T>
T* LowNew() {
    return static_cast<T*>(LowAlloc(sizeof(T)));
}

}  // namespace kvdhost
