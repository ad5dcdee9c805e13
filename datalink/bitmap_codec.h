// Encoding and decoding of bitmaps through Qt's image readers and writers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "datalink/bitmap.h"

namespace kvd::datalink {

// Encodes the bitmap in a format Qt writes ("BMP", "PNG"), at 96 dots per
// inch. An opaque bitmap is written without an alpha channel. Throws
// kvd::Error("Saving bitmap failed.") when the writer fails.
std::vector<std::uint8_t> EncodeBitmap(const KvdBitmap& bitmap, const char* format);

// Decodes an image of any format Qt reads into a new bitmap of this library
// (BGRA). Throws kvd::Error, naming `what`, when the data is not an image that
// can be read.
BitmapPtr DecodeBitmap(const void* data, std::size_t size, const std::string& what);

// The most memory (MiB) one decoded image may take; larger images are refused
// instead of exhausting memory on a damaged header. Default 1024.
void SetDecodeLimitMiB(int mib);
int DecodeLimitMiB();

}  // namespace kvd::datalink
