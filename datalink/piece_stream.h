// The piece stream: one piece record with its four element lists and its
// texture as a flat sequence of tagged records (docs/piece-stream.md).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "kvd/ardatalink.h"
#include "kvd/stream.h"

namespace kvd::datalink {

// Record tags.
enum PieceTag : std::uint16_t {
    kTagStart = 0,
    kTagEnd = 1,
    kTagPieceData0 = 2,
    kTagName = 3,
    kTagPieceData32 = 4,
    kTagPieceData112 = 5,
    kTagPieceData136 = 6,
    kTagPieceData160 = 7,
    kTagPieceData12 = 8,
    kTagPieceData16 = 9,
    kTagPieceData20 = 10,
    kTagTexture = 11,
    kTagList0 = 12,  // 12..15: List0..List3
    kTagList3 = 15,
    kTagPieceData8 = 16,
    kTagHeader = 17,
    kTagPieceData24 = 18,
    kTagPieceData28 = 19,
    kTagReserved = 0x7FFF,
};

inline constexpr std::uint16_t kStartMarker = 0xFFF3;
inline constexpr std::uint16_t kEndMarker = 0xEEE3;
inline constexpr std::size_t kRecordHeaderSize = 6;     // tag u16, length u32
inline constexpr std::size_t kReservedSize = 8;
inline constexpr std::size_t kCompactElementSize = 26;  // Kind, then X, Y, Z, Bulge
inline constexpr std::size_t kMaxListElements = 65535;  // the count is 16-bit
inline constexpr std::size_t kMaxNameLength = 75;

// A piece checked and ready to write: everything that can refuse the save
// has been done, so writing it fails only when the stream does.
struct PreparedPiece {
    const TPieceRecord* piece = nullptr;
    std::uint16_t counts[4] = {0, 0, 0, 0};
    bool hasTexture = false;
    std::vector<std::uint8_t> texture;  // the texture in BMP form
    std::size_t streamSize = 0;         // bytes WritePiece writes
};

// Checks the piece (name length, list lengths, material) and encodes its
// texture. Throws kvd::Error; nothing has been written anywhere then.
PreparedPiece PreparePiece(const TPieceRecord& piece);

// Writes the piece stream at the stream's position, leaving it at its end.
void WritePiece(KvdStream* stream, const PreparedPiece& prepared);

inline void SavePiece(KvdStream* stream, const TPieceRecord& piece) { WritePiece(stream, PreparePiece(piece)); }

// Reads a piece stream from the start of the stream into the record. The
// lists this library put into the record earlier are freed, the record is
// cleared except for its display-object link, and the records of the stream
// are read in order (unknown ones skipped, one cut short by the end of the
// stream ends the read). With headerOnly the read ends after PieceHeader.
// Throws kvd::Error when the stream fails.
void LoadPiece(KvdStream* stream, TPieceRecord& piece, bool headerOnly);

}  // namespace kvd::datalink
