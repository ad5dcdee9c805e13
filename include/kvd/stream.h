// KvdStream: the host's stream object as it crosses the library boundary.
//
// A stream is a struct whose first member points to a table of functions.
// The host can pass its own; a library that creates a stream for its caller
// hands out one whose `release` frees it. All offsets and sizes are bytes.
#pragma once
#include <cstdint>

extern "C" {

struct KvdStream;

enum KvdSeekOrigin : int32_t { KvdSeekBegin = 0, KvdSeekCurrent = 1, KvdSeekEnd = 2 };

struct KvdStreamVtbl {
    // Reads up to `count` bytes; returns the number read (0 at the end, -1 on error).
    int64_t (*read)(KvdStream* self, void* buffer, int64_t count);
    // Writes `count` bytes; returns the number written (-1 on error).
    int64_t (*write)(KvdStream* self, const void* buffer, int64_t count);
    // Moves the position; returns the new position (-1 on error).
    int64_t (*seek)(KvdStream* self, int64_t offset, int32_t origin);
    // Total size in bytes (-1 when unknown).
    int64_t (*size)(KvdStream* self);
    // Frees the stream object (and closes what it holds).
    void (*release)(KvdStream* self);
};

struct KvdStream {
    const KvdStreamVtbl* vtbl;
};

}  // extern "C"
