#include "base/work_record.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "base/host_settings.h"
#include "base/log.h"
#include "base/streams.h"
#include "base/tagged_records.h"
#include "kvd/error.h"

namespace kvd {

std::uint8_t WorkPresenceFlags = 0;

namespace {

constexpr std::uint16_t kLastWorkId = 236;

struct WorkRun {
    std::uint16_t first, last;
    std::uint16_t offset, size;
    bool text;
};

// The tagged fields of WorkRecord, in id order; each id of a run follows the
// previous one back to back.
constexpr WorkRun kWorkRuns[] = {
    {1, 50, offsetof(WorkRecord, Values), 4, false},
    {51, 100, offsetof(WorkRecord, Values51), 4, false},
    {101, 140, offsetof(WorkRecord, Words), 2, false},
    {141, 168, offsetof(WorkRecord, Bytes141), 1, false},
    {169, 169, offsetof(WorkRecord, Name), sizeof(WorkRecord::Name), true},
    {170, 171, offsetof(WorkRecord, Values170), 4, false},
    {173, 184, offsetof(WorkRecord, Wide173), 8, false},
    {185, 185, offsetof(WorkRecord, Text185), sizeof(WorkRecord::Text185), true},
    {186, 200, offsetof(WorkRecord, Values186), 4, false},
    {201, 227, offsetof(WorkRecord, Bytes201), 1, false},
    {228, 228, offsetof(WorkRecord, Text228), sizeof(WorkRecord::Text228), true},
    {229, 233, offsetof(WorkRecord, Values229), 4, false},
    {235, 235, offsetof(WorkRecord, Wide235), 8, false},
    {236, 236, offsetof(WorkRecord, Text236), sizeof(WorkRecord::Text236), true},
};

constexpr bool RunsFitTheRecord() {
    std::size_t end = 0;
    for (const WorkRun& r : kWorkRuns) {
        if (r.offset < end) return false;
        end = r.offset + std::size_t{r.size} * (r.last - r.first + 1);
    }
    return end <= sizeof(WorkRecord);
}
static_assert(RunsFitTheRecord());

const std::array<WorkField, kLastWorkId + 1>& WorkFields() {
    static const auto table = [] {
        std::array<WorkField, kLastWorkId + 1> t{};
        for (const WorkRun& r : kWorkRuns)
            for (int id = r.first; id <= r.last; ++id)
                t[id] = {static_cast<std::uint16_t>(r.offset + (id - r.first) * r.size), r.size, r.text};
        return t;
    }();
    return table;
}

}  // namespace

const WorkField* WorkFieldOf(std::uint16_t id) {
    if (id > kLastWorkId) return nullptr;
    const WorkField& f = WorkFields()[id];
    return f.size ? &f : nullptr;
}

bool LoadWorkByVar(KvdStream* stream, WorkRecord& work, bool mustBeFile) {
    if (mustBeFile && !IsFileStream(stream)) return false;
    WorkPresenceFlags = 0;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&work);
    try {
        TaggedReader reader(stream, "LoadWorkByVar");
        TaggedHeader h;
        int lastId = -1;
        while (lastId != kWorkEndId && reader.Next(h)) {
            lastId = h.id;
            if (!reader.PayloadFits(h)) continue;
            if (h.id == 0) WorkPresenceFlags |= 2;
            if (h.id == kWorkMarkerId) WorkPresenceFlags |= 4;
            if (h.length == 0) continue;
            if (h.id == 0) {
                if (h.length != 2) return false;
                if (ReadValue<std::uint16_t>(stream) != kTaggedMagic) return false;
            } else if (const WorkField* f = WorkFieldOf(h.id)) {
                reader.CopyPayload(h, bytes + f->offset, f->size);
            } else if (h.id == kWorkEndId || h.id == kWorkObsoleteId || h.id == kTaggedLengthId) {
                reader.SkipPayload(h);
            } else {
                reader.SkipExtra(h);
            }
        }
    } catch (const Error& e) {
        WriteLog(std::string("LoadWorkByVar ERROR: ") + e.what());
        return false;
    }
    return true;
}

bool SaveWorkByVar(KvdStream* stream, const WorkRecord& work, bool mustBeFile) {
    if (mustBeFile && !IsFileStream(stream)) return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&work);
    const std::int64_t start = StreamPosition(stream);
    WriteTaggedU16(stream, 0, kTaggedMagic);
    const std::int64_t lengthAt = StreamPosition(stream);
    WriteTaggedLength(stream, 0);
    std::uint8_t text[256];
    for (std::uint16_t id = 1; id <= kLastWorkId; ++id) {
        const WorkField* f = WorkFieldOf(id);
        if (!f) continue;
        const std::uint8_t* field = bytes + f->offset;
        if (f->text) {
            // Current length + 1; a length byte beyond the field is clamped.
            std::size_t n = std::min<std::size_t>(field[0], f->size - 1u);
            text[0] = static_cast<std::uint8_t>(n);
            std::memcpy(text + 1, field + 1, n);
            WriteTaggedRecord(stream, id, static_cast<std::uint16_t>(n + 1), text);
        } else {
            WriteTaggedRecord(stream, id, f->size, field);
        }
    }
    WriteTaggedU16(stream, kWorkEndId, kTaggedEndMagic);
    const std::int64_t end = StreamPosition(stream);
    const std::int64_t length = end - start;
    if (length > 0 && lengthAt > start) {
        StreamSeek(stream, lengthAt);
        WriteTaggedLength(stream, length);
    }
    if (stream->vtbl->seek(stream, 0, KvdSeekEnd) < 0) throw Error("stream seek error");
    return true;
}

namespace {
template <std::size_t A, std::size_t B>
void CopyName(const ShortString<A>& from, ShortString<B>& to) {
    to.assign(from.view());
}
}  // namespace

void Work6ToWork(const WorkRecord6& s, WorkRecord& d) {
    d.Clear();
    std::memcpy(d.Values, s.Values, sizeof s.Values);
    std::memcpy(d.Values51, s.Values51, sizeof s.Values51);
    d.Words[0] = s.Flags;
    std::memcpy(d.Words + 1, s.Words, sizeof s.Words);
    std::memcpy(d.Bytes141, s.Bytes141, sizeof s.Bytes141);
    CopyName(s.Name, d.Name);
}

void Work5ToWork6(const WorkRecord5& s, WorkRecord6& d) {
    std::memset(static_cast<void*>(&d), 0, sizeof d);
    std::memcpy(d.Values, s.Values, sizeof s.Values);
    std::memcpy(d.Values51, s.Values51, sizeof s.Values51);
    d.Flags = static_cast<std::uint16_t>(s.Flags | kWork6FromWork5);
    CopyName(s.Name, d.Name);
}

void Work5ToWork(const WorkRecord5& s, WorkRecord& d) {
    WorkRecord6 mid;
    Work5ToWork6(s, mid);
    Work6ToWork(mid, d);
}

void WorkToWork6(const WorkRecord& s, WorkRecord6& d) {
    std::memset(static_cast<void*>(&d), 0, sizeof d);
    std::memcpy(d.Values, s.Values, sizeof d.Values);
    std::memcpy(d.Values51, s.Values51, sizeof d.Values51);
    d.Flags = s.Words[0];
    std::memcpy(d.Words, s.Words + 1, sizeof d.Words);
    std::memcpy(d.Bytes141, s.Bytes141, sizeof d.Bytes141);
    CopyName(s.Name, d.Name);
}

void Work6ToWork5(const WorkRecord6& s, WorkRecord5& d) {
    std::memset(static_cast<void*>(&d), 0, sizeof d);
    std::memcpy(d.Values, s.Values, sizeof d.Values);
    std::memcpy(d.Values51, s.Values51, sizeof d.Values51);
    d.Flags = s.Flags;
    CopyName(s.Name, d.Name);
}

void WorkToWork5(const WorkRecord& s, WorkRecord5& d) {
    WorkRecord6 mid;
    WorkToWork6(s, mid);
    Work6ToWork5(mid, d);
}

namespace {
std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Reads the first `size` bytes of a file; false (with a log line) when the
// file holds fewer.
bool ReadFirstRecord(const std::string& path, void* record, std::size_t size) {
    StreamPtr s(OpenFileStream(path, FileMode::Read));
    std::int64_t n = StreamRead(s.get(), record, static_cast<std::int64_t>(size));
    if (n == static_cast<std::int64_t>(size)) return true;
    WriteLog("LoadMachiningFile ERROR: \"" + path + "\" holds " + std::to_string(n) + " bytes, a record needs " +
             std::to_string(size));
    return false;
}
}  // namespace

bool LoadMachiningFile(const std::string& path, WorkRecord& work) {
    work.Clear();
    if (path.empty()) return false;
    const std::string upper = Upper(path);
    try {
        if (upper.find(HostFileTypeExtension(7)) != std::string::npos) {
            WorkRecord6 w6;
            if (!ReadFirstRecord(path, &w6, sizeof w6)) return false;
            Work6ToWork(w6, work);
            return true;
        }
        if (upper.find(HostFileTypeExtension(4)) != std::string::npos) {
            WorkRecord5 w5;
            if (!ReadFirstRecord(path, &w5, sizeof w5)) return false;
            Work5ToWork(w5, work);
            return true;
        }
        StreamPtr s(OpenFileStream(path, FileMode::Read));
        return LoadWorkByVar(s.get(), work, true);
    } catch (const Error& e) {
        WriteLog(std::string("LoadMachiningFile ERROR: ") + e.what());
        return false;
    }
}

}  // namespace kvd
