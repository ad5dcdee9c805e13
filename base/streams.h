// Streams of the project: memory and file streams behind the KvdStream
// interface, and the checked read/write helpers every reader uses.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kvd/stream.h"

namespace kvd {

// Releases a stream through its own table when it goes out of scope.
struct StreamReleaser {
    void operator()(KvdStream* s) const {
        if (s && s->vtbl && s->vtbl->release) s->vtbl->release(s);
    }
};
using StreamPtr = std::unique_ptr<KvdStream, StreamReleaser>;

// A growable in-memory stream; `release` frees it.
KvdStream* NewMemoryStream();
KvdStream* NewMemoryStream(const void* data, std::size_t size);
// The bytes of a stream made by NewMemoryStream (nullptr for any other stream).
const std::vector<std::uint8_t>* MemoryStreamBytes(KvdStream* s);
// Makes room for `bytes` bytes in a stream made by NewMemoryStream, so that a
// writer that knows its size in advance allocates once; other streams are
// left alone. Throws std::bad_alloc when the memory cannot be had.
void ReserveMemoryStream(KvdStream* s, std::size_t bytes);

enum class FileMode { Read, Create };
// Opens a file as a stream. Throws kvd::Error naming the file when it cannot be opened.
KvdStream* OpenFileStream(const std::string& path, FileMode mode);
// True for a stream made by OpenFileStream (or an AtomicFileWriter).
bool IsFileStream(KvdStream* s);

// Checked operations on any stream (the host's own included).
std::int64_t StreamRead(KvdStream* s, void* buffer, std::int64_t count);  // bytes read, 0 at end
void ReadExact(KvdStream* s, void* buffer, std::int64_t count);           // throws on a short read
void WriteAll(KvdStream* s, const void* buffer, std::int64_t count);      // throws when not all written
std::int64_t StreamPosition(KvdStream* s);
std::int64_t StreamSize(KvdStream* s);
void StreamSeek(KvdStream* s, std::int64_t position);  // absolute; throws on failure
void StreamSkip(KvdStream* s, std::int64_t count);     // relative; throws on failure

template <typename T>
T ReadValue(KvdStream* s) {
    T v;
    ReadExact(s, &v, sizeof v);
    return v;
}
template <typename T>
void WriteValue(KvdStream* s, const T& v) {
    WriteAll(s, &v, sizeof v);
}

// Writes a file in place of an older one: the bytes go to a temporary file in
// the same folder, which is renamed over the target only on Commit. Destroyed
// without Commit (an error on the way), it removes the temporary file and
// the old file stays whole.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path);  // throws when the temporary file cannot be made
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    KvdStream* stream() const { return stream_.get(); }
    void Commit();  // flushes, syncs and renames; throws on failure

private:
    std::string path_;
    std::string tempPath_;
    StreamPtr stream_;
    bool committed_ = false;
};

// Writes `bytes` to `path` through an AtomicFileWriter.
void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Reads a whole file; throws kvd::Error naming the file on failure.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

}  // namespace kvd
