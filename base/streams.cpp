#include "base/streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "kvd/error.h"

namespace kvd {

namespace {

// ---- memory stream ---------------------------------------------------------

struct MemoryStream {
    KvdStream base;
    std::vector<std::uint8_t> bytes;
    std::int64_t pos = 0;
};

MemoryStream* AsMemory(KvdStream* s) { return reinterpret_cast<MemoryStream*>(s); }

std::int64_t MemRead(KvdStream* s, void* buffer, std::int64_t count) {
    MemoryStream* m = AsMemory(s);
    if (count < 0) return -1;
    std::int64_t avail = static_cast<std::int64_t>(m->bytes.size()) - m->pos;
    std::int64_t n = std::max<std::int64_t>(0, std::min(avail, count));
    if (n > 0) std::memcpy(buffer, m->bytes.data() + m->pos, static_cast<std::size_t>(n));
    m->pos += n;
    return n;
}

std::int64_t MemWrite(KvdStream* s, const void* buffer, std::int64_t count) {
    MemoryStream* m = AsMemory(s);
    if (count < 0) return -1;
    std::size_t end = static_cast<std::size_t>(m->pos + count);
    try {
        if (end > m->bytes.size()) m->bytes.resize(end);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (count > 0) std::memcpy(m->bytes.data() + m->pos, buffer, static_cast<std::size_t>(count));
    m->pos += count;
    return count;
}

std::int64_t MemSeek(KvdStream* s, std::int64_t offset, std::int32_t origin) {
    MemoryStream* m = AsMemory(s);
    std::int64_t base = origin == KvdSeekBegin ? 0 : origin == KvdSeekCurrent ? m->pos
                                                                              : static_cast<std::int64_t>(m->bytes.size());
    std::int64_t p = base + offset;
    if (p < 0) return -1;
    m->pos = p;  // past the end is allowed; a write there fills the gap with zeros
    return p;
}

std::int64_t MemSize(KvdStream* s) { return static_cast<std::int64_t>(AsMemory(s)->bytes.size()); }
void MemRelease(KvdStream* s) { delete AsMemory(s); }

const KvdStreamVtbl kMemoryVtbl = {MemRead, MemWrite, MemSeek, MemSize, MemRelease};

// ---- file stream -----------------------------------------------------------

struct FileStream {
    KvdStream base;
    int fd = -1;
};

FileStream* AsFile(KvdStream* s) { return reinterpret_cast<FileStream*>(s); }

std::int64_t FileRead(KvdStream* s, void* buffer, std::int64_t count) {
    auto* out = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        ssize_t n = ::read(AsFile(s)->fd, out + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return done > 0 ? done : -1;
        if (n == 0) break;
        done += n;
    }
    return done;
}

std::int64_t FileWrite(KvdStream* s, const void* buffer, std::int64_t count) {
    const auto* in = static_cast<const char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        ssize_t n = ::write(AsFile(s)->fd, in + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return -1;
        done += n;
    }
    return done;
}

std::int64_t FileSeek(KvdStream* s, std::int64_t offset, std::int32_t origin) {
    int whence = origin == KvdSeekBegin ? SEEK_SET : origin == KvdSeekCurrent ? SEEK_CUR : SEEK_END;
    off_t r = ::lseek(AsFile(s)->fd, offset, whence);
    return r < 0 ? -1 : static_cast<std::int64_t>(r);
}

std::int64_t FileSize(KvdStream* s) {
    int fd = AsFile(s)->fd;
    off_t cur = ::lseek(fd, 0, SEEK_CUR);
    off_t end = ::lseek(fd, 0, SEEK_END);
    ::lseek(fd, cur, SEEK_SET);
    return end < 0 ? -1 : static_cast<std::int64_t>(end);
}

void FileRelease(KvdStream* s) {
    FileStream* f = AsFile(s);
    if (f->fd >= 0) ::close(f->fd);
    delete f;
}

const KvdStreamVtbl kFileVtbl = {FileRead, FileWrite, FileSeek, FileSize, FileRelease};

std::string SystemMessage(int err) { return std::strerror(err); }

}  // namespace

KvdStream* NewMemoryStream() {
    auto* m = new MemoryStream;
    m->base.vtbl = &kMemoryVtbl;
    return &m->base;
}

KvdStream* NewMemoryStream(const void* data, std::size_t size) {
    auto* m = new MemoryStream;
    m->base.vtbl = &kMemoryVtbl;
    const auto* p = static_cast<const std::uint8_t*>(data);
    m->bytes.assign(p, p + size);
    return &m->base;
}

const std::vector<std::uint8_t>* MemoryStreamBytes(KvdStream* s) {
    if (!s || s->vtbl != &kMemoryVtbl) return nullptr;
    return &AsMemory(s)->bytes;
}

void ReserveMemoryStream(KvdStream* s, std::size_t bytes) {
    if (!s || s->vtbl != &kMemoryVtbl) return;
    AsMemory(s)->bytes.reserve(bytes);
}

KvdStream* OpenFileStream(const std::string& path, FileMode mode) {
    int flags = mode == FileMode::Read ? O_RDONLY : (O_WRONLY | O_CREAT | O_TRUNC);
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) {
        int err = errno;
        throw Error("cannot open \"" + path + "\" for " + (mode == FileMode::Read ? "reading" : "writing") +
                    ": " + SystemMessage(err));
    }
    auto* f = new FileStream;
    f->base.vtbl = &kFileVtbl;
    f->fd = fd;
    return &f->base;
}

bool IsFileStream(KvdStream* s) { return s && s->vtbl == &kFileVtbl; }

std::int64_t StreamRead(KvdStream* s, void* buffer, std::int64_t count) {
    std::int64_t n = s->vtbl->read(s, buffer, count);
    if (n < 0) throw Error("stream read error");
    return n;
}

void ReadExact(KvdStream* s, void* buffer, std::int64_t count) {
    std::int64_t n = s->vtbl->read(s, buffer, count);
    if (n != count) {
        throw Error(n < 0 ? "stream read error"
                          : "stream ended early: " + std::to_string(count) + " bytes wanted, " +
                                std::to_string(n) + " read");
    }
}

void WriteAll(KvdStream* s, const void* buffer, std::int64_t count) {
    if (count == 0) return;
    if (s->vtbl->write(s, buffer, count) != count) throw Error("stream write error");
}

std::int64_t StreamPosition(KvdStream* s) { return s->vtbl->seek(s, 0, KvdSeekCurrent); }
std::int64_t StreamSize(KvdStream* s) { return s->vtbl->size(s); }

void StreamSeek(KvdStream* s, std::int64_t position) {
    if (s->vtbl->seek(s, position, KvdSeekBegin) < 0) throw Error("stream seek error");
}

void StreamSkip(KvdStream* s, std::int64_t count) {
    if (s->vtbl->seek(s, count, KvdSeekCurrent) < 0) throw Error("stream seek error");
}

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
    tempPath_ = path_ + ".tmp-XXXXXX";
    int fd = ::mkstemp(tempPath_.data());
    if (fd < 0) {
        int err = errno;
        throw Error("cannot write \"" + path_ + "\": " + SystemMessage(err));
    }
    ::fchmod(fd, 0644);
    auto* f = new FileStream;
    f->base.vtbl = &kFileVtbl;
    f->fd = fd;
    stream_.reset(&f->base);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!committed_) {
        stream_.reset();
        ::unlink(tempPath_.c_str());
    }
}

void AtomicFileWriter::Commit() {
    FileStream* f = AsFile(stream_.get());
    if (::fsync(f->fd) != 0) {
        int err = errno;
        throw Error("cannot write \"" + path_ + "\": " + SystemMessage(err));
    }
    stream_.reset();
    if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        int err = errno;
        throw Error("cannot replace \"" + path_ + "\": " + SystemMessage(err));
    }
    committed_ = true;
}

void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    AtomicFileWriter w(path);
    WriteAll(w.stream(), bytes.data(), static_cast<std::int64_t>(bytes.size()));
    w.Commit();
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    StreamPtr s(OpenFileStream(path, FileMode::Read));
    std::vector<std::uint8_t> out;
    std::uint8_t buf[65536];
    for (;;) {
        std::int64_t n = s->vtbl->read(s.get(), buf, sizeof buf);
        if (n < 0) throw Error("cannot read \"" + path + "\"");
        if (n == 0) break;
        out.insert(out.end(), buf, buf + n);
    }
    return out;
}

}  // namespace kvd
