#include "host/host_stream.h"

#include <algorithm>
#include <cstring>

namespace kvdhost {

namespace {
HostStreamState* Of(KvdStream* s) { return reinterpret_cast<HostStreamState*>(s); }
}  // namespace

static std::int64_t Read(KvdStream* s, void* buffer, std::int64_t count) {
    auto* m = Of(s);
    if (count < 0) return -1;
    std::int64_t n = std::max<std::int64_t>(0, std::min<std::int64_t>(count, static_cast<std::int64_t>(m->bytes.size()) - m->pos));
    if (n > 0) std::memcpy(buffer, m->bytes.data() + m->pos, static_cast<std::size_t>(n));
    m->pos += n;
    return n;
}

static std::int64_t Write(KvdStream* s, const void* buffer, std::int64_t count) {
    auto* m = Of(s);
    if (count < 0) return -1;
    auto end = static_cast<std::size_t>(m->pos + count);
    if (end > m->bytes.size()) m->bytes.resize(end);
    if (count > 0) std::memcpy(m->bytes.data() + m->pos, buffer, static_cast<std::size_t>(count));
    m->pos += count;
    return count;
}

static std::int64_t Seek(KvdStream* s, std::int64_t offset, std::int32_t origin) {
    auto* m = Of(s);
    std::int64_t base = origin == KvdSeekBegin ? 0 : origin == KvdSeekCurrent ? m->pos : static_cast<std::int64_t>(m->bytes.size());
    if (base + offset < 0) return -1;
    m->pos = base + offset;
    return m->pos;
}

static std::int64_t Size(KvdStream* s) { return static_cast<std::int64_t>(Of(s)->bytes.size()); }
static void Release(KvdStream*) {}  // owned by the HostMemoryStream object

static const KvdStreamVtbl kTable = {Read, Write, Seek, Size, Release};

HostMemoryStream::HostMemoryStream() { self_.base.vtbl = &kTable; }

HostMemoryStream::HostMemoryStream(std::vector<std::uint8_t> bytes) {
    self_.base.vtbl = &kTable;
    self_.bytes = std::move(bytes);
}

void ReleaseLibraryStream(KvdStream*& s) {
    if (s && s->vtbl && s->vtbl->release) s->vtbl->release(s);
    s = nullptr;
}

}  // namespace kvdhost
