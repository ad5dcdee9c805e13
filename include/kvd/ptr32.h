// A 32-bit link inside a byte-exact record.
//
// On 64-bit builds the field holds the low 32 bits of the target's address;
// records that are linked come from the low heap (base/low_heap.h), whose
// blocks all lie below 4 GiB, so the address fits. Converting a pointer that
// does not fit throws instead of storing a truncated address.
#pragma once
#include <cstdint>

#include "kvd/error.h"

namespace kvd {

#pragma pack(push, 1)
template <typename T>
struct Ptr32 {
    std::uint32_t raw = 0;

    Ptr32() = default;
    Ptr32(std::nullptr_t) {}                           // NOLINT
    Ptr32(T* p) { *this = p; }                         // NOLINT
    Ptr32& operator=(T* p) {
        auto a = reinterpret_cast<std::uintptr_t>(p);
        if (a > 0xFFFFFFFFu) throw Error("32-bit link to a record above 4 GiB (not from the low heap)");
        raw = static_cast<std::uint32_t>(a);
        return *this;
    }
    Ptr32& operator=(std::nullptr_t) { raw = 0; return *this; }
    T* get() const { return reinterpret_cast<T*>(static_cast<std::uintptr_t>(raw)); }
    operator T*() const { return get(); }              // NOLINT
    T* operator->() const { return get(); }
    explicit operator bool() const { return raw != 0; }
};
#pragma pack(pop)

}  // namespace kvd
