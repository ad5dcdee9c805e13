// The host's own streams as they cross into the libraries: a growable memory
// stream behind the KvdStream table (settings streams, piece streams).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "kvd/stream.h"

namespace kvdhost {

// The object behind a host stream: the table pointer comes first, so the
// stream pointer handed to a library is the object's address.
struct HostStreamState {
    KvdStream base;
    std::vector<std::uint8_t> bytes;
    std::int64_t pos = 0;
};

class HostMemoryStream {
public:
    HostMemoryStream();
    explicit HostMemoryStream(std::vector<std::uint8_t> bytes);
    HostMemoryStream(const HostMemoryStream&) = delete;
    HostMemoryStream& operator=(const HostMemoryStream&) = delete;

    KvdStream* stream() { return &self_.base; }
    const std::vector<std::uint8_t>& bytes() const { return self_.bytes; }

private:
    HostStreamState self_;
};

// Releases a stream handed out by a library through its own table.
void ReleaseLibraryStream(KvdStream*& s);

}  // namespace kvdhost
