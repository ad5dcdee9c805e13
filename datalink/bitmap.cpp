#include "datalink/bitmap.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "kvd/error.h"

namespace kvd::datalink {

namespace {

// Pixels up to 2 GiB per bitmap keep every row offset inside int64 and every
// stride inside int32.
constexpr std::int64_t kMaxBitmapBytes = std::int64_t{1} << 31;

std::int64_t PixelBytes(std::int32_t width, std::int32_t height) {
    if (width < 0 || height < 0) throw Error("bitmap size " + std::to_string(width) + "x" + std::to_string(height) + " is negative");
    std::int64_t bytes = std::int64_t{width} * 4 * height;
    if (bytes > kMaxBitmapBytes)
        throw Error("bitmap of " + std::to_string(width) + "x" + std::to_string(height) + " pixels is too large");
    return bytes;
}

bool KnownFormat(std::int32_t f) { return f == KvdPixelFormatBGRA || f == KvdPixelFormatRGBA; }

// Allocates zeroed pixels for width x height; nullptr for an empty size.
std::uint8_t* AllocatePixels(std::int32_t width, std::int32_t height) {
    std::int64_t bytes = PixelBytes(width, height);
    if (bytes == 0) return nullptr;
    auto* p = static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(bytes), 1));
    if (!p) throw Error("no memory for a bitmap of " + std::to_string(width) + "x" + std::to_string(height) + " pixels");
    return p;
}

int32_t OwnResize(KvdBitmap* self, int32_t width, int32_t height) {
    std::uint8_t* p;
    try {
        p = AllocatePixels(width, height);
    } catch (const Error&) {
        return 0;
    }
    std::free(self->pixels);
    self->pixels = p;
    self->width = width;
    self->height = height;
    self->stride = width * 4;
    return 1;
}

void OwnRelease(KvdBitmap* self) {
    std::free(self->pixels);
    delete self;
}

const KvdBitmapVtbl kOwnVtbl = {OwnResize, OwnRelease};

}  // namespace

KvdBitmap* NewBitmap(std::int32_t width, std::int32_t height, std::int32_t format) {
    if (!KnownFormat(format)) throw Error("unknown pixel format " + std::to_string(format));
    std::uint8_t* pixels = AllocatePixels(width, height);
    auto* b = new KvdBitmap{&kOwnVtbl, width, height, format, width * 4, pixels};
    return b;
}

void CheckBitmap(const KvdBitmap& b, const char* what) {
    auto fail = [&](const std::string& why) { throw Error(std::string(what) + ": " + why); };
    if (b.width < 0 || b.height < 0)
        fail("negative size " + std::to_string(b.width) + "x" + std::to_string(b.height));
    if (b.width == 0 || b.height == 0) return;
    if (!KnownFormat(b.pixelFormat)) fail("unknown pixel format " + std::to_string(b.pixelFormat));
    if (!b.pixels) fail("no pixels");
    if (std::int64_t{b.stride} < std::int64_t{b.width} * 4)
        fail("stride " + std::to_string(b.stride) + " is shorter than a row of " + std::to_string(b.width) + " pixels");
}

void FlipRows(KvdBitmap& b) {
    CheckBitmap(b, "FlipBitmap");
    if (b.width == 0 || b.height == 0) return;
    // Both pixel formats map one to one onto colour values, so moving a row
    // through colour values and back is a plain copy of its 32-bit words.
    const std::size_t rowBytes = static_cast<std::size_t>(b.width) * 4;
    std::vector<std::uint32_t> scratch(static_cast<std::size_t>(b.width));
    for (std::int32_t r = 0; r <= (b.height - 1) / 2; ++r) {
        std::uint32_t* top = KvdBitmapRow(&b, r);
        std::uint32_t* bottom = KvdBitmapRow(&b, b.height - 1 - r);
        if (top == bottom) break;  // the middle row of an odd height stays
        std::memcpy(scratch.data(), top, rowBytes);
        std::memcpy(top, bottom, rowBytes);
        std::memcpy(bottom, scratch.data(), rowBytes);
    }
}

void CopyPixels(const KvdBitmap& from, KvdBitmap& to) {
    CheckBitmap(from, "source bitmap");
    CheckBitmap(to, "target bitmap");
    if (from.width != to.width || from.height != to.height)
        throw Error("bitmap sizes differ: " + std::to_string(from.width) + "x" + std::to_string(from.height) + " and " +
                    std::to_string(to.width) + "x" + std::to_string(to.height));
    for (std::int32_t r = 0; r < from.height; ++r) {
        const std::uint32_t* src = KvdBitmapRow(&from, r);
        std::uint32_t* dst = KvdBitmapRow(&to, r);
        if (from.pixelFormat == to.pixelFormat) {
            std::memcpy(dst, src, static_cast<std::size_t>(from.width) * 4);
        } else {
            for (std::int32_t x = 0; x < from.width; ++x)
                dst[x] = KvdColorToPixel(KvdPixelToColor(src[x], from.pixelFormat), to.pixelFormat);
        }
    }
}

void AssignBitmap(KvdBitmap& to, const KvdBitmap& from) {
    if (!to.vtbl || !to.vtbl->resize) throw Error("the texture bitmap cannot be resized (no resize function)");
    if (to.width != from.width || to.height != from.height) {
        if (!to.vtbl->resize(&to, from.width, from.height) || to.width != from.width || to.height != from.height)
            throw Error("the texture bitmap cannot be resized to " + std::to_string(from.width) + "x" +
                        std::to_string(from.height));
    }
    CopyPixels(from, to);
}

}  // namespace kvd::datalink
