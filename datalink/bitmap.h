// Bitmaps of this library and the row operations on any KvdBitmap: checking
// that a bitmap's fields describe its pixels, flipping, copying and giving a
// bitmap a new picture through its own function table.
#pragma once
#include <cstdint>
#include <memory>

#include "kvd/bitmap.h"

namespace kvd::datalink {

struct BitmapReleaser {
    void operator()(KvdBitmap* b) const {
        if (b && b->vtbl && b->vtbl->release) b->vtbl->release(b);
    }
};
using BitmapPtr = std::unique_ptr<KvdBitmap, BitmapReleaser>;

// A bitmap of this library with all pixels zero; its `release` frees it and
// its `resize` reallocates. Throws kvd::Error for a negative or too large size.
KvdBitmap* NewBitmap(std::int32_t width, std::int32_t height, std::int32_t format = KvdPixelFormatBGRA);

// Throws kvd::Error (naming `what`) unless the fields describe pixels: a
// known format, stride of at least 4 * width and pixels when not empty.
void CheckBitmap(const KvdBitmap& b, const char* what);

// Mirrors the rows top to bottom; rows r and height-1-r trade places through
// a scratch row of colour values. An empty bitmap is left as it is.
void FlipRows(KvdBitmap& b);

// Copies the picture of `from` into `to` (same width and height), row by row
// through colour values, converting between pixel formats.
void CopyPixels(const KvdBitmap& from, KvdBitmap& to);

// Gives `to` the size and picture of `from`; `to` is resized through its own
// table. Throws kvd::Error when it cannot be resized.
void AssignBitmap(KvdBitmap& to, const KvdBitmap& from);

}  // namespace kvd::datalink
