// The bitmap layer: flipping, encoding and decoding through Qt, and the
// image-to-PNG export.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "datalink/bitmap.h"
#include "datalink/bitmap_codec.h"
#include "piece_support.h"

using namespace kvd;
using namespace kvd::datalink;
using namespace kvd::testing;

namespace {

std::uint32_t ColorAt(int x, int y) { return 0xFF000000u | (static_cast<std::uint32_t>(y) << 16) | (static_cast<std::uint32_t>(x) << 8) | 0x5Au; }

void Paint(HostBitmap& b) {
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) b.SetColor(x, y, ColorAt(x, y));
}

Bytes Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return Bytes(bytes.begin(), bytes.end());
}

QImage PaintedImage(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, ColorAt(x, y));
    return image;
}

struct TempDir {
    std::filesystem::path path;
    TempDir() {
        char t[] = "/tmp/kvd-datalink-XXXXXX";
        path = mkdtemp(t);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
};

std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

TEST(FlipBitmap, MirrorsTheRowsTopToBottom) {
    for (int32_t format : {KvdPixelFormatBGRA, KvdPixelFormatRGBA})
        for (int height : {1, 2, 3, 4, 7}) {
            SCOPED_TRACE("format " + std::to_string(format) + ", height " + std::to_string(height));
            HostBitmap b(3, height, format, /*pad=*/8);
            Paint(b);
            FlipBitmap(&b);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Color(x, y), ColorAt(x, height - 1 - y)) << x << "," << y;
            for (int y = 0; y < height; ++y)
                for (int i = 0; i < 8; ++i) EXPECT_EQ(b.storage[y * b.stride + 12 + i], 0xEE) << "row padding changed";
        }
}

TEST(FlipBitmap, LeavesAnEmptyBitmapAlone) {
    HostBitmap none(4, 0);
    EXPECT_NO_THROW(FlipBitmap(&none));
    HostBitmap narrow(0, 3);
    EXPECT_NO_THROW(FlipBitmap(&narrow));
}

TEST(FlipBitmap, RefusesFieldsThatDoNotDescribePixels) {
    struct Case {
        const char* what;
        void (*spoil)(HostBitmap&);
    };
    const Case cases[] = {
        {"no pixels", [](HostBitmap& b) { b.pixels = nullptr; }},
        {"short stride", [](HostBitmap& b) { b.stride = 4; }},
        {"unknown format", [](HostBitmap& b) { b.pixelFormat = 77; }},
        {"negative height", [](HostBitmap& b) { b.height = -2; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostBitmap b(2, 2);
        c.spoil(b);
        EXPECT_THROW(FlipBitmap(&b), Error);
    }
    EXPECT_THROW(FlipBitmap(nullptr), Error);
}

TEST(BitmapCodec, DecodesTheFormatsQtReads) {
    QImage image = PaintedImage(6, 4);
    struct Case {
        const char* format;
        bool lossless;
    };
    for (Case c : {Case{"BMP", true}, Case{"PNG", true}, Case{"PPM", true}, Case{"TIFF", true}, Case{"JPEG", false},
                   Case{"WEBP", false}}) {
        SCOPED_TRACE(c.format);
        if (!QImageWriter::supportedImageFormats().contains(QByteArray(c.format).toLower())) continue;
        Bytes data = Encoded(image, c.format);
        BitmapPtr b = DecodeBitmap(data.data(), data.size(), "test image");
        ASSERT_EQ(b->width, 6);
        ASSERT_EQ(b->height, 4);
        if (!c.lossless) continue;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) EXPECT_EQ(KvdBitmapRow(b.get(), y)[x], ColorAt(x, y));
    }
}

TEST(BitmapCodec, PngKeepsTranslucency) {
    HostBitmap b(2, 1, KvdPixelFormatRGBA);
    b.SetColor(0, 0, 0x80112233);
    b.SetColor(1, 0, 0x00FFFFFF);
    Bytes png = EncodeBitmap(b, "PNG");
    BitmapPtr back = DecodeBitmap(png.data(), png.size(), "png");
    EXPECT_EQ(KvdBitmapRow(back.get(), 0)[0], 0x80112233u);
    EXPECT_EQ(KvdBitmapRow(back.get(), 0)[1] >> 24, 0u);
}

TEST(BitmapCodec, FailuresAreErrorsWithClearTexts) {
    HostBitmap b(2, 2);
    try {
        EncodeBitmap(b, "no-such-format");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Saving bitmap failed.");
    }
    const Bytes junk = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    EXPECT_THROW(DecodeBitmap(junk.data(), junk.size(), "junk"), Error);
    EXPECT_THROW(DecodeBitmap(nullptr, 0, "nothing"), Error);

    // An image larger than the decode limit is refused, not decoded.
    Bytes big = Encoded(PaintedImage(1024, 600), "PNG");
    const int saved = DecodeLimitMiB();
    SetDecodeLimitMiB(1);
    EXPECT_THROW(DecodeBitmap(big.data(), big.size(), "big"), Error);
    SetDecodeLimitMiB(saved);
    EXPECT_NO_THROW(DecodeBitmap(big.data(), big.size(), "big"));
}

TEST(FMXBitmapToStream, WritesTheFlippedPictureAsPngFromTheStart) {
    TempDir dir;
    for (const char* format : {"PNG", "BMP", "JPEG"}) {
        SCOPED_TRACE(format);
        const std::string file = (dir.path / (std::string("picture.") + format)).string();
        Bytes data = Encoded(PaintedImage(3, 5), format);
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));

        const Bytes old(20000, 0x99);
        StreamPtr s = MemoryStreamOf(old);
        s->vtbl->seek(s.get(), 123, KvdSeekBegin);
        KvdStream* var = s.get();
        FMXBitmapToStream(U16(file).c_str(), &var);

        const std::int64_t end = s->vtbl->seek(s.get(), 0, KvdSeekCurrent);
        Bytes all = StreamBytes(s.get());
        ASSERT_EQ(all.size(), old.size()) << "the stream is not truncated";
        ASSERT_GT(end, 8);
        EXPECT_EQ(0, std::memcmp(all.data(), "\x89PNG\r\n\x1a\n", 8));
        EXPECT_EQ(all[static_cast<std::size_t>(end)], 0x99);
        BitmapPtr png = DecodeBitmap(all.data(), static_cast<std::size_t>(end), "written png");
        ASSERT_EQ(png->width, 3);
        ASSERT_EQ(png->height, 5);
        if (std::string(format) == "JPEG") continue;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(KvdBitmapRow(png.get(), y)[x], ColorAt(x, 4 - y));
    }
}

TEST(FMXBitmapToStream, FailuresAreErrors) {
    TempDir dir;
    StreamPtr s(NewMemoryStream());
    KvdStream* var = s.get();
    const std::string missing = (dir.path / "missing.png").string();
    EXPECT_THROW(FMXBitmapToStream(U16(missing).c_str(), &var), Error);

    const std::string text = (dir.path / "text.png").string();
    std::ofstream(text) << "this is no picture";
    EXPECT_THROW(FMXBitmapToStream(U16(text).c_str(), &var), Error);
    EXPECT_TRUE(MemoryStreamBytes(s.get())->empty());

    KvdStream* none = nullptr;
    EXPECT_THROW(FMXBitmapToStream(U16(text).c_str(), &none), Error);
    EXPECT_THROW(FMXBitmapToStream(u"", &var), Error);
}
