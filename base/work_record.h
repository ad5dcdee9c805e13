// Machining records: the host's description of one machining (the tool and
// its working values) in its current tagged form and its two older
// fixed-size forms, with the converters between them and the machining
// file reader.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/short_string.h"
#include "kvd/stream.h"

namespace kvd {

#pragma pack(push, 1)

// Current form, 1088 bytes. Ids 1..50 are the 32-bit values at 4 * (id - 1);
// the places of the later ids are this system's layout (see WorkFieldOf),
// grouped by size so that the older forms map onto runs of them.
struct WorkRecord {
    std::uint32_t Values[50];       // ids 1..50 (id 1 tool diameter, id 18 cut width: singles)
    std::uint32_t Values51[50];     // ids 51..100
    std::uint16_t Words[40];        // ids 101..140
    std::uint8_t Bytes141[28];      // ids 141..168
    ShortString<127> Name;          // id 169: name of the machining
    std::uint32_t Values170[2];     // ids 170, 171
    std::uint64_t Wide173[12];      // ids 173..184
    ShortString<63> Text185;        // id 185
    std::uint32_t Values186[15];    // ids 186..200
    std::uint8_t Bytes201[27];      // ids 201..227
    ShortString<63> Text228;        // id 228
    std::uint32_t Values229[5];     // ids 229..233
    std::uint64_t Wide235;          // id 235
    ShortString<63> Text236;        // id 236
    std::uint8_t Reserved[41];

    float ToolDiameter() const { return SingleAt(0); }
    void SetToolDiameter(float v) { std::memcpy(&Values[0], &v, 4); }
    float CutWidth() const { return SingleAt(17); }
    void SetCutWidth(float v) { std::memcpy(&Values[17], &v, 4); }
    void Clear() { std::memset(static_cast<void*>(this), 0, sizeof *this); }

private:
    float SingleAt(int i) const {
        float v;
        std::memcpy(&v, &Values[i], 4);
        return v;
    }
};

// The 580-byte form of the second generation (".ZL6" files, and the host's
// current machining inside the 10834-byte settings block).
struct WorkRecord6 {
    std::uint32_t Values[50];       // ids 1..50 of the current form
    std::uint32_t Values51[50];     // ids 51..100
    std::uint8_t Reserved400[4];
    std::uint16_t Flags;            // id 101; bit 14: converted from the first generation
    std::uint16_t Words[39];        // ids 102..140
    std::uint8_t Bytes141[28];      // ids 141..168
    ShortString<63> Name;           // id 169
    std::uint8_t Reserved576[4];
};

// The 372-byte form of the first generation (".ZL5" files).
struct WorkRecord5 {
    std::uint32_t Values[50];       // ids 1..50
    std::uint32_t Values51[30];     // ids 51..80
    std::uint16_t Flags;            // id 101
    ShortString<31> Name;           // id 169
    std::uint8_t Reserved354[18];
};

#pragma pack(pop)

static_assert(sizeof(WorkRecord) == 1088);
static_assert(offsetof(WorkRecord, Values) == 0);
static_assert(offsetof(WorkRecord, Values51) == 200);
static_assert(offsetof(WorkRecord, Words) == 400);
static_assert(offsetof(WorkRecord, Bytes141) == 480);
static_assert(offsetof(WorkRecord, Name) == 508);
static_assert(offsetof(WorkRecord, Values170) == 636);
static_assert(offsetof(WorkRecord, Wide173) == 644);
static_assert(offsetof(WorkRecord, Text185) == 740);
static_assert(offsetof(WorkRecord, Values186) == 804);
static_assert(offsetof(WorkRecord, Bytes201) == 864);
static_assert(offsetof(WorkRecord, Text228) == 891);
static_assert(offsetof(WorkRecord, Values229) == 955);
static_assert(offsetof(WorkRecord, Wide235) == 975);
static_assert(offsetof(WorkRecord, Text236) == 983);
static_assert(offsetof(WorkRecord, Reserved) == 1047);

static_assert(sizeof(WorkRecord6) == 580);
static_assert(offsetof(WorkRecord6, Values51) == 200);
static_assert(offsetof(WorkRecord6, Flags) == 404);
static_assert(offsetof(WorkRecord6, Words) == 406);
static_assert(offsetof(WorkRecord6, Bytes141) == 484);
static_assert(offsetof(WorkRecord6, Name) == 512);

static_assert(sizeof(WorkRecord5) == 372);
static_assert(offsetof(WorkRecord5, Values51) == 200);
static_assert(offsetof(WorkRecord5, Flags) == 320);
static_assert(offsetof(WorkRecord5, Name) == 322);

// Bit of WorkRecord6::Flags set by Work5ToWork6.
inline constexpr std::uint16_t kWork6FromWork5 = 0x4000;

// Tagged ids of the machining record.
inline constexpr std::uint16_t kWorkEndId = 172;       // closing record, payload $EEE1
inline constexpr std::uint16_t kWorkObsoleteId = 234;  // read past, never written
inline constexpr std::uint16_t kWorkMarkerId = 32766;  // sets presence bit 2 when met

// Where a tagged field lives in WorkRecord; `text` marks the length-prefixed
// strings, written with their length byte + 1.
struct WorkField {
    std::uint16_t offset = 0;
    std::uint16_t size = 0;
    bool text = false;
};
// The field of a tagged id, or nullptr for ids without one (0, 172, 234,
// $7FFF and unknown ids).
const WorkField* WorkFieldOf(std::uint16_t id);

// Presence bits of the last LoadWorkByVar: bit 1 record 0, bit 2 id 32766.
extern std::uint8_t WorkPresenceFlags;

// Reads a tagged machining record from the stream's current position into
// `work` without clearing it first. False when MustBeFile is set and the
// stream is not a file stream, or when record 0 is not id 0 with $FFF1.
bool LoadWorkByVar(KvdStream* stream, WorkRecord& work, bool mustBeFile);
// Writes the tagged form at the stream's current position and patches its
// length record; the stream is left at its end. Nothing is written (false)
// when MustBeFile is set and the stream is not a file stream. Throws
// kvd::Error when the stream does not take the bytes.
bool SaveWorkByVar(KvdStream* stream, const WorkRecord& work, bool mustBeFile);

// Generation converters: each clears its destination and copies the fields
// both forms have; bytes without a counterpart are dropped.
void Work6ToWork(const WorkRecord6& source, WorkRecord& dest);
void Work5ToWork6(const WorkRecord5& source, WorkRecord6& dest);
void Work5ToWork(const WorkRecord5& source, WorkRecord& dest);
void WorkToWork6(const WorkRecord& source, WorkRecord6& dest);
void Work6ToWork5(const WorkRecord6& source, WorkRecord5& dest);
void WorkToWork5(const WorkRecord& source, WorkRecord5& dest);

// Reads a machining file chosen by its upper-cased name: a name containing
// the extension of host file type 7 (".ZL6") holds one WorkRecord6, else one
// containing that of type 4 (".ZL5") holds one WorkRecord5, any other holds
// the tagged form. `work` is cleared first, so a missing or unreadable file
// leaves zeros (tool diameter and cut width 0). True when a record was read.
bool LoadMachiningFile(const std::string& path, WorkRecord& work);

}  // namespace kvd
