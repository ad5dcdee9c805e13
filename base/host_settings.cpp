#include "base/host_settings.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "base/log.h"
#include "base/short_string.h"
#include "base/streams.h"
#include "base/tagged_records.h"
#include "kvd/error.h"
#include "kvd/real48.h"

namespace kvd {

static_assert(sizeof(HostSettings) == kHostSettingsSize);

HostSettings Host;
WorkRecord CurrentWork{};
std::array<std::uint8_t, kHostBlockSize> HostBlockCopy{};
std::vector<std::uint8_t> HostRecord952;
std::uint8_t HostPresenceFlags = 0;

// ---- field access ------------------------------------------------------------

std::uint8_t* HostSettings::FieldData(std::uint16_t id) {
    const HostField* f = FindHostField(id);
    return f ? bytes.data() + f->storeOffset : nullptr;
}

const std::uint8_t* HostSettings::FieldData(std::uint16_t id) const {
    const HostField* f = FindHostField(id);
    return f ? bytes.data() + f->storeOffset : nullptr;
}

const std::uint8_t* HostSettings::Typed(std::uint16_t id, HostFieldKind kind) const {
    const HostField* f = FindHostField(id);
    if (!f || f->kind != kind)
        throw Error("host setting " + std::to_string(id) + (f ? " has another kind" : " does not exist"));
    return bytes.data() + f->storeOffset;
}

std::uint8_t* HostSettings::Typed(std::uint16_t id, HostFieldKind kind) {
    return const_cast<std::uint8_t*>(std::as_const(*this).Typed(id, kind));
}

namespace {
template <typename T>
T Load(const std::uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <typename T>
void Store(std::uint8_t* p, T v) {
    std::memcpy(p, &v, sizeof v);
}
}  // namespace

std::uint8_t HostSettings::Byte(std::uint16_t id) const { return *Typed(id, HostFieldKind::Byte); }
std::uint16_t HostSettings::U16(std::uint16_t id) const { return Load<std::uint16_t>(Typed(id, HostFieldKind::U16)); }
std::uint32_t HostSettings::U32(std::uint16_t id) const { return Load<std::uint32_t>(Typed(id, HostFieldKind::U32)); }
float HostSettings::Single(std::uint16_t id) const { return Load<float>(Typed(id, HostFieldKind::Single)); }
long double HostSettings::Real(std::uint16_t id) const { return Load<Real48>(Typed(id, HostFieldKind::Real)); }

std::string_view HostSettings::String(std::uint16_t id) const {
    const std::uint8_t* p = Typed(id, HostFieldKind::String);
    return ShortStringView(p, FindHostField(id)->size - 1u);
}

void HostSettings::SetByte(std::uint16_t id, std::uint8_t v) { *Typed(id, HostFieldKind::Byte) = v; }
void HostSettings::SetU16(std::uint16_t id, std::uint16_t v) { Store(Typed(id, HostFieldKind::U16), v); }
void HostSettings::SetU32(std::uint16_t id, std::uint32_t v) { Store(Typed(id, HostFieldKind::U32), v); }
void HostSettings::SetSingle(std::uint16_t id, float v) { Store(Typed(id, HostFieldKind::Single), v); }
void HostSettings::SetReal(std::uint16_t id, long double v) { Store(Typed(id, HostFieldKind::Real), Real48(v)); }

void HostSettings::SetString(std::uint16_t id, std::string_view text) {
    std::uint8_t* p = Typed(id, HostFieldKind::String);
    std::size_t max = FindHostField(id)->size - 1u;
    std::size_t n = std::min(text.size(), max);
    std::memset(p, 0, max + 1);
    p[0] = static_cast<std::uint8_t>(n);
    std::memcpy(p + 1, text.data(), n);
}

std::uint32_t HostSettings::HostPalette(int index) const {
    return U32(static_cast<std::uint16_t>(141 + std::clamp(index, 0, 255)));
}

std::uint32_t HostSettings::PreviewColor(int index) const {
    return U32(static_cast<std::uint16_t>(88 + std::clamp(index, 0, 14)));
}

// ---- defaults ------------------------------------------------------------------

void SetHostDefaults(HostSettings& s) {
    s.Clear();
    s.SetByte(912, 1);
    s.SetU32(924, 0);
    s.SetSingle(926, 0.05f);
    s.SetU16(933, 0xFFFF);
    s.SetU16(938, 0xFFFF);
    s.SetU32(944, 7000);
    const auto fromId123 = static_cast<float>(s.Real(123));  // 0.0 right after the clear
    s.SetSingle(955, fromId123);
    s.SetSingle(956, fromId123);
    s.SetU32(964, 2);
    s.SetU32(965, 1);
    s.SetSingle(967, 45.0f);
    s.SetSingle(968, 46.0f);
    s.SetSingle(969, 50.0f);
    s.SetSingle(970, 150.0f);
    s.SetSingle(971, 150.0f);
    s.SetSingle(974, 60.0f);
    s.SetSingle(975, 50.0f);
    s.SetSingle(976, 50.0f);
    s.SetSingle(977, 10.0f);
    s.SetSingle(978, 30.0f);
}

void SetHostDefaults() { SetHostDefaults(Host); }

// ---- block form ----------------------------------------------------------------

void LoadHostBlock(const std::uint8_t* block, HostSettings& s, WorkRecord& work) {
    for (const HostField& f : HostFields()) {
        if (f.blockOffset == kStreamOnly) continue;
        const std::uint8_t* from = block + f.blockOffset;
        std::uint8_t* to = s.bytes.data() + f.storeOffset;
        if (f.kind == HostFieldKind::Real) {
            // Through extended precision: an unnormalised value comes out normalised.
            Store(to, Real48(Load<Real48>(from).ToLongDouble()));
        } else {
            std::memcpy(to, from, f.size);
        }
    }
    WorkRecord6 w6;
    std::memcpy(&w6, block + kHostBlockWorkOffset, sizeof w6);
    Work6ToWork(w6, work);
}

void LoadHostBlock() { LoadHostBlock(HostBlockCopy.data(), Host, CurrentWork); }

void SaveHostBlock(const HostSettings& s, const WorkRecord& work, std::uint8_t* block) {
    for (const HostField& f : HostFields()) {
        if (f.blockOffset == kStreamOnly) continue;
        std::memcpy(block + f.blockOffset, s.bytes.data() + f.storeOffset, f.size);
    }
    WorkRecord6 w6;
    WorkToWork6(work, w6);
    std::memcpy(block + kHostBlockWorkOffset, &w6, sizeof w6);
}

// ---- stream form ---------------------------------------------------------------

namespace {
bool IsIgnoredId(std::uint16_t id) {
    return std::find(std::begin(kHostIgnoredIds), std::end(kHostIgnoredIds), id) != std::end(kHostIgnoredIds);
}
}  // namespace

std::uint8_t LoadDfltByVar(KvdStream* stream, HostSettings& s, WorkRecord& work,
                           std::vector<std::uint8_t>& record952) {
    SetHostDefaults(s);
    work.Clear();
    record952.clear();
    std::uint8_t presence = kHostPresenceStarted;
    try {
        StreamSeek(stream, 0);
        TaggedReader reader(stream, "LoadDfltByVar");
        TaggedHeader h;
        int lastId = -1;
        while (lastId != kHostLastId && reader.Next(h)) {
            lastId = h.id;
            if (!reader.PayloadFits(h)) continue;
            if (h.id == kHostFirstId) {
                presence |= kHostPresenceFirst;
                reader.SkipPayload(h);
            } else if (h.id == kHostLastId) {
                presence |= kHostPresenceLast;
                reader.SkipPayload(h);
            } else if (h.length == 0) {
                continue;
            } else if (IsIgnoredId(h.id)) {
                reader.SkipPayload(h);
            } else if (h.id == kHostRecord952) {
                record952.resize(h.length);
                ReadExact(stream, record952.data(), h.length);
            } else if (const HostField* f = FindHostField(h.id)) {
                reader.CopyPayload(h, s.bytes.data() + f->storeOffset, f->size);
            } else {
                reader.SkipExtra(h);
            }
        }
        LoadWorkByVar(stream, work, false);
    } catch (const Error& e) {
        WriteLog(std::string("LoadDfltByVar ERROR: ") + e.what());
    }
    if (!(presence & kHostPresenceFirst))
        WriteLog("LoadDfltByVar ERROR: the first record is missing");
    else if (!(presence & kHostPresenceLast))
        WriteLog("LoadDfltByVar ERROR: the last record is missing");
    return presence;
}

void LoadDfltByVar(KvdStream* stream) {
    HostPresenceFlags = LoadDfltByVar(stream, Host, CurrentWork, HostRecord952);
}

void SaveDfltByVar(KvdStream* stream, const HostSettings& s, const WorkRecord& work,
                   const std::vector<std::uint8_t>& record952) {
    WriteTaggedU16(stream, kHostFirstId, kTaggedMagic);
    for (const HostField& f : HostFields()) {
        if (IsIgnoredId(f.id)) continue;
        WriteTaggedRecord(stream, f.id, f.size, s.bytes.data() + f.storeOffset);
    }
    if (!record952.empty()) {
        if (record952.size() > 0xFFFF) throw Error("host record 952 is longer than a record can hold");
        WriteTaggedRecord(stream, kHostRecord952, static_cast<std::uint16_t>(record952.size()), record952.data());
    }
    WriteTaggedU16(stream, kHostLastId, kTaggedEndMagic);
    SaveWorkByVar(stream, work, false);
}

// ---- file types ----------------------------------------------------------------

const char* HostFileTypeExtension(int index) {
    static const char* const kExtensions[kHostFileTypeCount] = {
        ".ZD5", ".ZW5", ".ZF5", ".ZC5", ".ZL5", ".ZCS", ".ZW6", ".ZL6", ".ZJX", ".ZQZ",
        ".ZW7", ".ZL7", ".ZD7", ".ZF7", ".ZC7", ".ZPZ", ".ZCM", ".ZCN", ".ZWP", ".ZVS"};
    return index >= 0 && index < kHostFileTypeCount ? kExtensions[index] : "";
}

}  // namespace kvd
