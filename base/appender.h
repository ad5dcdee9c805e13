// The general element appender: turns a segment, arc, point or text record
// handed over in file coordinates into one element of the current list,
// applying units, the Y mirror, the insert transform, arc bulge and extents,
// layer class and the machining stamps. Its state is set by the caller
// before a series of calls and persists between them.
#pragma once
#include <cstdint>

#include "kvd/element.h"
#include "kvd/real48.h"

namespace kvd {

// Values of CurrentLayerMode.
enum LayerMode : std::uint8_t {
    lmNone = 0,
    lmNonWorkable = 1,
    lmOrdinary = 2,
    lmSlabContour = 3,
};

// ForcedDepthWord value that makes start elements cuts at forced depth.
inline constexpr std::uint16_t kForcedDepthActive = 5;

#pragma pack(push, 1)
struct TInsertTransform {
    Real48 OffsetX;
    Real48 OffsetY;
    Real48 Rotation;  // degrees
    Real48 ScaleX = 1.0L;
    Real48 ScaleY = 1.0L;
};
#pragma pack(pop)
static_assert(sizeof(TInsertTransform) == 30);

// The list AddElement appends to.
extern TTempElement* CurrentListHead;
extern TTempElement* CurrentListTail;
// The last start element appended.
extern TTempElement* CurrentContourStart;
// Palette index given to each start element.
extern std::uint8_t CurrentColorIndex;
extern std::uint8_t CurrentLayerMode;  // a LayerMode
extern Real48 CurrentZ;
// Forced depth: active when the word is kForcedDepthActive.
extern std::uint16_t ForcedDepthWord;
extern float ForcedDepth;
// Values are inches (multiplied by 25.4).
extern bool InchUnits;
// When false, Y values are mirrored (the host's Y axis points the other way).
extern bool KeepY;
extern bool CorrectionActive;
extern Real48 CorrectionValue;
extern bool ElevationActive;
extern Real48 ElevationValue;
extern bool InclinationActive;
extern Real48 InclinationValue;
// Copied into Slot and Extra51 of kind-9 records.
extern std::uint8_t MarkingTextSlot;
extern std::uint8_t MarkingTextExtra;
extern TInsertTransform InsertTransform;

// Back to identity: offsets and rotation 0, scales 1.
void ResetInsertTransform();
// Every appender value above back to its load-time state (the list
// variables are cleared, not freed).
void ResetAppenderState();

// Applies InsertTransform: rotation, then the offset, then the scales.
void ApplyInsertTransform(long double& x, long double& y);

// Appends one element built from the arguments (in the caller's units and
// Y sense) to the current list and returns it. Kinds 9 and 11 are text
// records, 10 a marking record; the values then go into the record's fields
// as described in the record layout. Every other kind is geometric; for
// arcs (codes 2 and 3) (cx, cy) is the centre, (prevX, prevY) the start
// point and r the radius.
TTempElement* AddElement(std::uint16_t kind, long double x, long double y, long double r, long double cx,
                         long double cy, long double prevX, long double prevY);

}  // namespace kvd
