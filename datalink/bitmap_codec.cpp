#include "datalink/bitmap_codec.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <cstring>
#include <limits>

#include "kvd/error.h"

namespace kvd::datalink {

namespace {

int gDecodeLimitMiB = 1024;

// 96 dots per inch, so that the encoded bytes do not depend on the screen.
constexpr int kDotsPerMeter = 3780;

bool IsOpaque(const KvdBitmap& b) {
    for (std::int32_t r = 0; r < b.height; ++r) {
        const std::uint32_t* row = KvdBitmapRow(&b, r);
        for (std::int32_t x = 0; x < b.width; ++x)
            if ((row[x] >> 24) != 0xFFu) return false;  // alpha is the top byte in both formats
    }
    return true;
}

// Qt's reader allocation limit is process wide; it is raised for one decode
// and put back, so other users of Qt in the process keep theirs.
class DecodeLimit {
public:
    DecodeLimit() : saved_(QImageReader::allocationLimit()) { QImageReader::setAllocationLimit(gDecodeLimitMiB); }
    ~DecodeLimit() { QImageReader::setAllocationLimit(saved_); }
    DecodeLimit(const DecodeLimit&) = delete;
    DecodeLimit& operator=(const DecodeLimit&) = delete;

private:
    int saved_;
};

}  // namespace

void SetDecodeLimitMiB(int mib) { gDecodeLimitMiB = mib; }
int DecodeLimitMiB() { return gDecodeLimitMiB; }

std::vector<std::uint8_t> EncodeBitmap(const KvdBitmap& bitmap, const char* format) {
    CheckBitmap(bitmap, "bitmap to encode");
    if (bitmap.width == 0 || bitmap.height == 0) throw Error("Saving bitmap failed.");
    const QImage::Format qf = bitmap.pixelFormat == KvdPixelFormatRGBA ? QImage::Format_RGBA8888 : QImage::Format_ARGB32;
    QImage view(bitmap.pixels, bitmap.width, bitmap.height, bitmap.stride, qf);
    QImage image = IsOpaque(bitmap) ? view.convertToFormat(QImage::Format_RGB32) : view.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) throw Error("Saving bitmap failed.");
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image)) throw Error("Saving bitmap failed.");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

BitmapPtr DecodeBitmap(const void* data, std::size_t size, const std::string& what) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw Error(what + " is too large to decode (" + std::to_string(size) + " bytes)");
    QByteArray bytes = QByteArray::fromRawData(static_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImage image;
    QString failure;
    {
        DecodeLimit limit;
        QImageReader reader(&buffer);
        if (!reader.read(&image)) failure = reader.errorString();
    }
    if (image.isNull())
        throw Error(what + " is not an image that can be read: " + (failure.isEmpty() ? std::string("empty image") : failure.toStdString()));
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) throw Error(what + ": no memory to convert the image");

    BitmapPtr out(NewBitmap(image.width(), image.height(), KvdPixelFormatBGRA));
    // ARGB32 words are 0xAARRGGBB, which is the BGRA byte order in memory.
    for (int r = 0; r < image.height(); ++r)
        std::memcpy(KvdBitmapRow(out.get(), r), image.constScanLine(r), static_cast<std::size_t>(image.width()) * 4);
    return out;
}

}  // namespace kvd::datalink
