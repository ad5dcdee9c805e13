// KvdBitmap: a bitmap of the host's 3D view as it crosses the library boundary.
//
// Pixels are 32 bits wide and not premultiplied; rows run top to bottom,
// `stride` bytes apart. The owner of a bitmap supplies its function table: a
// library may resize the host's bitmap (to give it a new picture) and hands
// out bitmaps of its own whose `release` frees them.
//
// A 32-bit colour value is 0xAARRGGBB (alpha in the top byte); each row copy
// between bitmaps goes through such values, whatever the pixel formats.
#pragma once
#include <cstdint>

extern "C" {

struct KvdBitmap;

enum KvdPixelFormat : int32_t {
    KvdPixelFormatNone = 0,
    // Bytes B, G, R, A: a pixel read as a little-endian 32-bit word is its colour value.
    KvdPixelFormatBGRA = 1,
    // Bytes R, G, B, A.
    KvdPixelFormatRGBA = 2,
};

struct KvdBitmapVtbl {
    // Gives the bitmap a new size, keeping its pixel format; width, height,
    // stride and pixels are updated and the pixel values are undefined.
    // Returns 1 on success, 0 when it cannot (the bitmap is left as it was).
    int32_t (*resize)(KvdBitmap* self, int32_t width, int32_t height);
    // Frees the bitmap and its pixels.
    void (*release)(KvdBitmap* self);
};

struct KvdBitmap {
    const KvdBitmapVtbl* vtbl;
    int32_t width;
    int32_t height;
    int32_t pixelFormat;  // a KvdPixelFormat
    int32_t stride;       // bytes from one row to the next, at least 4 * width
    uint8_t* pixels;      // row 0 first; may be null when width or height is 0
};

// Row `row` (0 = top) of a bitmap.
inline uint32_t* KvdBitmapRow(const KvdBitmap* b, int32_t row) {
    return reinterpret_cast<uint32_t*>(b->pixels + static_cast<int64_t>(row) * b->stride);
}

// A pixel of the given format as a colour value 0xAARRGGBB, and back.
inline uint32_t KvdPixelToColor(uint32_t pixel, int32_t format) {
    if (format == KvdPixelFormatRGBA)
        return (pixel & 0xFF00FF00u) | ((pixel & 0xFFu) << 16) | ((pixel >> 16) & 0xFFu);
    return pixel;
}
inline uint32_t KvdColorToPixel(uint32_t color, int32_t format) {
    return KvdPixelToColor(color, format);  // the red/blue swap is its own inverse
}

}  // extern "C"
