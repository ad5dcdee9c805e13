// Ardatalink: saves and loads one piece of the host's 3D workplace as a tagged
// binary stream (docs/piece-stream.md), and prepares texture bitmaps for the
// host's 3D view.
//
// What the host must do:
// - Link records below 4 GiB. `DisplayObject` is a 32-bit link like the list
//   heads: the host allocates its KvdDisplayObject at an address below 4 GiB
//   (for example from an mmap with MAP_32BIT). Material and texture are
//   reached through ordinary pointers.
// - Keep `DisplayObject` set before a load that should bring the texture. The
//   load clears the whole record but puts the display-object link back, so
//   the texture record has somewhere to go; without a display object (or
//   without a material source) the texture record is skipped. A save without
//   a display object, material source or texture (or with an empty texture)
//   writes no texture record.
// - Treat the four lists a load puts into the record as the library's: read
//   and copy them, never relink or free their elements. Loading again into
//   the same record frees them (an empty stream just frees them). Lists the
//   host built itself and left in the record are never freed by the library.
// - Expect kvd::Error (derived from std::runtime_error) from every export
//   except GetDllVersion: a file that cannot be opened or written, a stream
//   that fails, a list of more than 65,535 elements or a name of more than
//   75 characters (refused before anything is written), a material source
//   that is not a light material ("Invalid class typecast"), a texture that
//   cannot be encoded ("Saving bitmap failed."), an image that cannot be read.
//   A file opened by a call is closed before the call returns, on every path.
// - Call the exports from one thread at a time.
#pragma once
#include <cstddef>
#include <cstdint>

#include "kvd/display_object.h"
#include "kvd/element.h"
#include "kvd/export.h"
#include "kvd/ptr32.h"
#include "kvd/stream.h"

namespace kvd {

// The host's piece record (232 bytes). The library reads and writes only the
// fields below and interprets only the display-object link and the lists.
#pragma pack(push, 1)
struct TPieceRecord {
    std::uint8_t PieceData0[8];    // tag 2
    std::uint32_t PieceData8;      // tag 16
    std::uint32_t PieceData12;     // tag 8
    std::uint32_t PieceData16;     // tag 9
    std::uint32_t PieceData20;     // tag 10
    std::uint32_t PieceData24;     // tag 18
    std::uint32_t PieceData28;     // tag 19
    std::uint32_t PieceData32;     // tag 4
    std::uint8_t PieceName[76];    // tag 3: length byte + at most 75 characters (Windows-1252)
    std::uint8_t PieceData112[24]; // tag 5
    std::uint8_t PieceData136[24]; // tag 6
    std::uint16_t PieceData160;    // tag 7
    std::uint8_t Unused162[2];
    Ptr32<KvdDisplayObject> DisplayObject;  // tag 11: its light material's texture
    std::uint8_t Unused168[16];
    std::uint8_t PieceHeader[8];   // tag 17: what a header-only load returns
    Ptr32<TTempElement> List0;     // tag 12: head of element list 0
    Ptr32<TTempElement> List1;     // tag 13
    Ptr32<TTempElement> List2;     // tag 14
    Ptr32<TTempElement> List3;     // tag 15
    std::uint8_t Unused208[24];
};
#pragma pack(pop)

static_assert(sizeof(TPieceRecord) == 232);
static_assert(offsetof(TPieceRecord, PieceData0) == 0);
static_assert(offsetof(TPieceRecord, PieceData8) == 8);
static_assert(offsetof(TPieceRecord, PieceData12) == 12);
static_assert(offsetof(TPieceRecord, PieceData16) == 16);
static_assert(offsetof(TPieceRecord, PieceData20) == 20);
static_assert(offsetof(TPieceRecord, PieceData24) == 24);
static_assert(offsetof(TPieceRecord, PieceData28) == 28);
static_assert(offsetof(TPieceRecord, PieceData32) == 32);
static_assert(offsetof(TPieceRecord, PieceName) == 36);
static_assert(offsetof(TPieceRecord, PieceData112) == 112);
static_assert(offsetof(TPieceRecord, PieceData136) == 136);
static_assert(offsetof(TPieceRecord, PieceData160) == 160);
static_assert(offsetof(TPieceRecord, Unused162) == 162);
static_assert(offsetof(TPieceRecord, DisplayObject) == 164);
static_assert(offsetof(TPieceRecord, Unused168) == 168);
static_assert(offsetof(TPieceRecord, PieceHeader) == 184);
static_assert(offsetof(TPieceRecord, List0) == 192);
static_assert(offsetof(TPieceRecord, List1) == 196);
static_assert(offsetof(TPieceRecord, List2) == 200);
static_assert(offsetof(TPieceRecord, List3) == 204);
static_assert(offsetof(TPieceRecord, Unused208) == 208);

// The interface version GetDllVersion reports.
inline constexpr std::int32_t kArdatalinkInterfaceVersion = 1;

}  // namespace kvd

// File names are zero-terminated UTF-16; null or empty means "no file".

// Writes the piece as a piece stream. Without a file name, *stream receives a
// new memory stream holding the piece, positioned at its end; the caller owns
// it (its `release` frees it) and whatever *stream held before is not
// released. With a file name, the file is written in place of an older one
// (through a temporary file beside it, renamed over it only when the whole
// piece is written) and *stream is set to null. Throws kvd::Error.
KVD_EXPORT void SavePieceByVar(const char16_t* fileName, KvdStream** stream, kvd::TPieceRecord** piece);

// Reads a piece stream into the piece record: from the file when a name is
// given (*stream, when given, is set to null), otherwise from *stream, which
// is rewound to its start. With headerOnly the read stops after PieceHeader.
// A file that cannot be opened leaves the record untouched. Throws kvd::Error.
KVD_EXPORT void LoadPieceByVar(const char16_t* fileName, KvdStream** stream, kvd::TPieceRecord** piece,
                               bool headerOnly);

// Mirrors the bitmap top to bottom in place. Throws kvd::Error for a bitmap
// whose fields do not describe its pixels.
KVD_EXPORT void FlipBitmap(KvdBitmap* bitmap);

// Loads an image file of any format Qt reads, flips it top to bottom and
// writes it as PNG from position 0 of *stream. The stream is not truncated:
// its position after the call is the end of the PNG. Throws kvd::Error.
KVD_EXPORT void FMXBitmapToStream(const char16_t* fileName, KvdStream** stream);

// Stores the interface version (kArdatalinkInterfaceVersion, 1).
KVD_EXPORT void GetDllVersion(std::int32_t* version);

// The exports' types, for hosts that look them up with dlsym.
using SavePieceByVarFn = void (*)(const char16_t*, KvdStream**, kvd::TPieceRecord**);
using LoadPieceByVarFn = void (*)(const char16_t*, KvdStream**, kvd::TPieceRecord**, bool);
using FlipBitmapFn = void (*)(KvdBitmap*);
using FMXBitmapToStreamFn = void (*)(const char16_t*, KvdStream**);
using GetDllVersionFn = void (*)(std::int32_t*);
