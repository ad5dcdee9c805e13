// TTempElement: the 64-byte drawing element that crosses every boundary.
#pragma once
#include <cstddef>
#include <cstdint>

#include "kvd/ptr32.h"
#include "kvd/real48.h"

namespace kvd {

#pragma pack(push, 1)
struct TTempElement {
    std::uint16_t Kind;
    std::uint16_t Param;
    std::uint8_t ColorR;
    std::uint8_t ColorG;
    std::uint8_t ColorB;
    std::uint8_t Slot;
    Real48 X;
    Real48 Y;
    Real48 Z;
    Real48 Bulge;  // on a start element only byte 0 is used: the palette index (ColorIndex)
    float Correction;
    float Inclination;
    float Aux;
    std::uint32_t Flags;
    std::uint16_t Flags2;
    std::uint8_t Extra50;
    std::uint8_t Extra51;
    Ptr32<TTempElement> Next;
    Ptr32<TTempElement> Prev;
    std::uint32_t Link;

    std::uint8_t ColorIndex() const { return Bulge.bytes[0]; }
    void SetColorIndex(std::uint8_t i) { Bulge.bytes[0] = i; }
};
#pragma pack(pop)

static_assert(sizeof(TTempElement) == 64);
static_assert(offsetof(TTempElement, Kind) == 0);
static_assert(offsetof(TTempElement, Param) == 2);
static_assert(offsetof(TTempElement, ColorR) == 4);
static_assert(offsetof(TTempElement, ColorG) == 5);
static_assert(offsetof(TTempElement, ColorB) == 6);
static_assert(offsetof(TTempElement, Slot) == 7);
static_assert(offsetof(TTempElement, X) == 8);
static_assert(offsetof(TTempElement, Y) == 14);
static_assert(offsetof(TTempElement, Z) == 20);
static_assert(offsetof(TTempElement, Bulge) == 26);
static_assert(offsetof(TTempElement, Correction) == 32);
static_assert(offsetof(TTempElement, Inclination) == 36);
static_assert(offsetof(TTempElement, Aux) == 40);
static_assert(offsetof(TTempElement, Flags) == 44);
static_assert(offsetof(TTempElement, Flags2) == 48);
static_assert(offsetof(TTempElement, Extra50) == 50);
static_assert(offsetof(TTempElement, Extra51) == 51);
static_assert(offsetof(TTempElement, Next) == 52);
static_assert(offsetof(TTempElement, Prev) == 56);
static_assert(offsetof(TTempElement, Link) == 60);

// Element codes (Kind & 0xF).
enum ElementCode : std::uint16_t {
    ecStart = 0,
    ecLine = 1,
    ecArcNeg = 2,
    ecArcPos = 3,
};

// Element classes ((Kind >> 4) & 0xF).
enum ElementClass : std::uint16_t {
    clsOrdinary = 0,
    clsForcedDepth = 5,
    clsSuctionCup = 6,
    clsNonWorkable = 7,
    clsStopper = 13,
};

// Whole-kind values of the non-geometric records.
enum RecordKind : std::uint16_t {
    rkMarkingName = 9,
    rkMarking = 10,
    rkText = 11,
    rkTextMore = 12,
    rkClosing = 13,
    rkMarkingNameMore = 14,
};

inline constexpr std::uint16_t kfWorkable = 1u << 10;
inline constexpr std::uint16_t kfSlabContour = 1u << 13;

inline constexpr std::uint32_t kFlagReversed = 1u << 7;
inline constexpr std::uint32_t kFlagMatrixCopy = 1u << 17;

inline constexpr unsigned KindCode(std::uint16_t kind) { return kind & 0xFu; }
inline constexpr unsigned KindClass(std::uint16_t kind) { return (kind >> 4) & 0xFu; }
inline constexpr std::uint16_t WithClass(std::uint16_t kind, unsigned cls) {
    return static_cast<std::uint16_t>((kind & 0xFF0Fu) | ((cls & 0xFu) << 4));
}
inline constexpr bool IsArcCode(unsigned code) { return code == ecArcNeg || code == ecArcPos; }
// Codes 1..3: the elements that draw a segment from the previous end point.
inline constexpr bool IsSegmentCode(unsigned code) { return ((code - 1u) & 0xFu) < 3u; }
inline constexpr bool IsNonGeometricKind(std::uint16_t kind) { return kind < 16 && KindCode(kind) >= 9; }

}  // namespace kvd
