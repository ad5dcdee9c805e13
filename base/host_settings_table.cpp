// The field table of HostSettings. Each run is a set of consecutive ids of
// one kind and size that lie back to back in the block (from the run's block
// offset) and in the settings record. Offsets and kinds of the fields this
// system reads are fixed by the host; the other ids are laid out here so that
// those offsets hold (docs/settings-stream.md lists the choices).
#include <algorithm>
#include <vector>

#include "base/host_settings.h"

namespace kvd {

namespace {

using K = HostFieldKind;

struct HostRun {
    std::uint16_t first, last;
    K kind;
    std::uint16_t size;  // of each id
    std::int32_t blockOffset;
};

constexpr std::int32_t S = kStreamOnly;

constexpr HostRun kRuns[] = {
    // ids 1..140 in id order from offset 0, with 890 between ids 4 and 5
    {1, 4, K::Byte, 1, 0},          // 2: read by the drawing engine
    {890, 890, K::Byte, 1, 4},      // FileTypeIndex
    {5, 9, K::String, 128, 5},      // drawing, machining, picture, font folder; default picture name
    {10, 10, K::Bytes, 139, 645},
    {11, 20, K::Real, 6, 784},      // 11 parallel tolerance, 20 ellipse tolerance (838)
    {21, 36, K::Real, 6, 844},      // 22 default text height; 27, 29, 33, 35 engine
    {37, 37, K::Byte, 1, 1004},     // templates dialog option bits
    {38, 39, K::Byte, 1, 1005},     // 38 import options
    {40, 42, K::U16, 2, 1007},      // 40 colour mark options
    {43, 43, K::Byte, 1, 1013},     // colour mark index
    {44, 45, K::U16, 2, 1014},      // 44 second colour options
    {46, 46, K::Byte, 1, 1018},     // second colour index
    {47, 56, K::Real, 6, 1019},
    {57, 58, K::Byte, 1, 1079},     // 57 honour layer workability
    {59, 59, K::Real, 6, 1081},
    {60, 65, K::U32, 4, 1087},
    {66, 66, K::Real, 6, 1111},
    {67, 69, K::Byte, 1, 1117},
    {70, 70, K::U32, 4, 1120},
    {71, 71, K::Byte, 1, 1125},     // DefaultColorIndex
    {72, 75, K::Real, 6, 1126},
    {76, 87, K::String, 32, 1150},
    {88, 116, K::U32, 4, 1580},     // 88..102 PreviewColors
    {117, 126, K::Real, 6, 1696},   // 123: source of the defaults of 955 and 956
    {127, 127, K::Byte, 1, 1756},
    {128, 128, K::U16, 2, 1757},    // the stream's record 128 is ignored
    {129, 132, K::Bytes, 128, 1759},
    {133, 133, K::U16, 2, 2504},    // option word: bit 9 duplication matrix
    {134, 137, K::Byte, 1, 2506},
    {138, 138, K::U16, 2, 2518},    // option word: bit 13 language font
    {139, 140, K::U32, 4, 2520},
    // the palette, then the later block fields in the host's order
    {141, 402, K::U32, 4, 2532},    // 141..396 HostPalette
    {403, 403, K::String, 51, 3580},  // LanguageName
    {404, 406, K::String, 32, 3631},  // 404 newer font folder name
    {407, 407, K::String, 8, 3727},   // older glyph extension
    {408, 408, K::Byte, 1, 3743},     // option bits: bit 7 marking records
    {409, 415, K::U32, 4, 3744},
    {416, 416, K::String, 8, 3772},   // newer glyph extension
    {417, 440, K::Real, 6, 3780},
    {441, 480, K::U16, 2, 3924},
    {481, 525, K::U32, 4, 4004},
    // 4556..5136: the host's current machining as a WorkRecord6
    {626, 637, K::Bytes, 64, 5136},
    {638, 647, K::Real, 6, 5904},
    {648, 648, K::Byte, 1, 6341},     // MachiningFileTypeIndex
    {649, 653, K::U32, 4, 6342},
    {854, 868, K::Bytes, 120, 6400},
    {869, 869, K::U32, 4, 8295},      // option bits: 8 and 17
    {870, 888, K::Real, 6, 8299},
    {891, 891, K::String, 32, 10794}, // LanguageFontName
    {892, 893, K::Byte, 1, 10826},    // 892 LanguageFontCharset
    {894, 894, K::U16, 2, 10828},
    // fields only the stream carries
    {896, 911, K::U32, 4, S},         // 902 engine
    {912, 914, K::Byte, 1, S},        // 914 engine
    {915, 919, K::U32, 4, S},
    {922, 925, K::U32, 4, S},
    {926, 932, K::Single, 4, S},
    {933, 939, K::U16, 2, S},
    {940, 949, K::U32, 4, S},         // 940 engine
    {951, 951, K::U32, 4, S},
    {953, 954, K::U32, 4, S},
    {955, 963, K::Single, 4, S},
    {964, 966, K::U32, 4, S},
    {967, 981, K::Single, 4, S},
    {983, 989, K::U32, 4, S},
    {1500, 1505, K::Byte, 1, S},      // 1503, 1504 side-wall gates; 1505 engine
    {1506, 1515, K::U32, 4, S},       // 1509 engine
    {1516, 1516, K::Byte, 1, S},      // engine
};

constexpr int Count(const HostRun& r) { return r.last - r.first + 1; }
constexpr std::int32_t BlockEnd(const HostRun& r) { return r.blockOffset + r.size * Count(r); }

constexpr bool SizesMatchKinds() {
    for (const HostRun& r : kRuns) {
        if (r.first > r.last || r.size == 0) return false;
        switch (r.kind) {
            case K::Byte: if (r.size != 1) return false; break;
            case K::U16: if (r.size != 2) return false; break;
            case K::U32:
            case K::Single: if (r.size != 4) return false; break;
            case K::Real: if (r.size != 6) return false; break;
            case K::String: if (r.size < 2 || r.size > 256) return false; break;
            case K::Bytes: break;
        }
    }
    return true;
}

constexpr bool IdsAreUnique() {
    for (const HostRun& a : kRuns)
        for (const HostRun& b : kRuns)
            if (&a != &b && a.first <= b.last && b.first <= a.last) return false;
    return true;
}

// Block fields lie inside the block, apart from each other and from the
// machining record.
constexpr bool BlockFieldsDoNotOverlap() {
    constexpr std::int32_t workBegin = kHostBlockWorkOffset, workEnd = workBegin + sizeof(WorkRecord6);
    for (const HostRun& a : kRuns) {
        if (a.blockOffset == S) continue;
        if (a.blockOffset < 0 || BlockEnd(a) > static_cast<std::int32_t>(kHostBlockSize)) return false;
        if (a.blockOffset < workEnd && workBegin < BlockEnd(a)) return false;
        for (const HostRun& b : kRuns)
            if (&a != &b && b.blockOffset != S && a.blockOffset < BlockEnd(b) && b.blockOffset < BlockEnd(a))
                return false;
    }
    return true;
}

constexpr std::size_t StoreSize() {
    std::size_t n = 0;
    for (const HostRun& r : kRuns) n += std::size_t{r.size} * Count(r);
    return n;
}

constexpr std::int32_t BlockOffsetOf(int id) {
    for (const HostRun& r : kRuns)
        if (id >= r.first && id <= r.last) return r.blockOffset == S ? S : r.blockOffset + (id - r.first) * r.size;
    return -2;
}

static_assert(SizesMatchKinds());
static_assert(IdsAreUnique());
static_assert(BlockFieldsDoNotOverlap());
static_assert(StoreSize() <= kHostSettingsSize);
// The offsets the host fixes.
static_assert(BlockOffsetOf(1) == 0 && BlockOffsetOf(890) == 4 && BlockOffsetOf(5) == 5);
static_assert(BlockOffsetOf(11) == 784 && BlockOffsetOf(20) == 838 && BlockOffsetOf(37) == 1004);
static_assert(BlockOffsetOf(71) == 1125 && BlockOffsetOf(88) == 1580 && BlockOffsetOf(102) == 1636);
static_assert(BlockOffsetOf(133) == 2504 && BlockOffsetOf(138) == 2518 && BlockOffsetOf(141) == 2532);
static_assert(BlockOffsetOf(396) == 2532 + 255 * 4 && BlockOffsetOf(403) == 3580 && BlockOffsetOf(408) == 3743);
static_assert(BlockOffsetOf(648) == 6341 && BlockOffsetOf(869) == 8295 && BlockOffsetOf(891) == 10794);
static_assert(BlockOffsetOf(892) == 10826);
static_assert(BlockOffsetOf(1503) == S && BlockOffsetOf(1504) == S && BlockOffsetOf(944) == S);

constexpr std::uint16_t kMaxFieldId = 1516;

struct FieldTable {
    std::vector<HostField> fields;              // id order
    std::array<std::int16_t, kMaxFieldId + 1> index;  // id -> position in `fields`, -1 none
};

const FieldTable& Table() {
    static const FieldTable table = [] {
        FieldTable t;
        t.index.fill(-1);
        std::vector<HostRun> runs(std::begin(kRuns), std::end(kRuns));
        std::sort(runs.begin(), runs.end(), [](const HostRun& a, const HostRun& b) { return a.first < b.first; });
        std::uint16_t store = 0;
        for (const HostRun& r : runs) {
            for (int id = r.first; id <= r.last; ++id) {
                std::int32_t block = r.blockOffset == S ? S : r.blockOffset + (id - r.first) * r.size;
                t.index[id] = static_cast<std::int16_t>(t.fields.size());
                t.fields.push_back({static_cast<std::uint16_t>(id), r.kind, r.size, block, store});
                store = static_cast<std::uint16_t>(store + r.size);
            }
        }
        return t;
    }();
    return table;
}

}  // namespace

std::span<const HostField> HostFields() { return Table().fields; }

const HostField* FindHostField(std::uint16_t id) {
    if (id > kMaxFieldId) return nullptr;
    std::int16_t i = Table().index[id];
    return i < 0 ? nullptr : &Table().fields[static_cast<std::size_t>(i)];
}

}  // namespace kvd
