// The five exports of Ardatalink.
#include <QFile>
#include <QString>

#include <new>
#include <string>

#include "base/log.h"
#include "base/streams.h"
#include "datalink/bitmap.h"
#include "datalink/bitmap_codec.h"
#include "datalink/datalink_log.h"
#include "datalink/piece_stream.h"
#include "kvd/ardatalink.h"
#include "kvd/error.h"

using kvd::Error;

namespace {

// A file name of the host as a path of this system; empty when none is given.
std::string PathFrom(const char16_t* fileName) {
    if (!fileName || !*fileName) return {};
    return QFile::encodeName(QString::fromUtf16(fileName)).toStdString();
}

// Runs the body of an export; whatever goes wrong leaves it as a kvd::Error.
template <typename F>
void Guarded(const char* exportName, F&& body) {
    try {
        kvd::datalink::EnsureLog();
        body();
    } catch (const Error&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw Error(std::string(exportName) + ": out of memory");
    } catch (const std::exception& e) {
        throw Error(std::string(exportName) + ": " + e.what());
    }
}

}  // namespace

KVD_EXPORT void SavePieceByVar(const char16_t* fileName, KvdStream** stream, kvd::TPieceRecord** piece) {
    Guarded("SavePieceByVar", [&] {
        if (!stream) throw Error("SavePieceByVar: no stream variable");
        if (!piece || !*piece) throw Error("SavePieceByVar: no piece record");
        // Everything that can refuse the piece runs before a byte is written.
        kvd::datalink::PreparedPiece prepared = kvd::datalink::PreparePiece(**piece);
        const std::string path = PathFrom(fileName);
        if (path.empty()) {
            kvd::StreamPtr memory(kvd::NewMemoryStream());
            kvd::datalink::WritePiece(memory.get(), prepared);
            *stream = memory.release();
            return;
        }
        kvd::AtomicFileWriter file(path);
        *stream = nullptr;
        kvd::datalink::WritePiece(file.stream(), prepared);
        file.Commit();
    });
}

KVD_EXPORT void LoadPieceByVar(const char16_t* fileName, KvdStream** stream, kvd::TPieceRecord** piece,
                               bool headerOnly) {
    Guarded("LoadPieceByVar", [&] {
        if (!piece || !*piece) throw Error("LoadPieceByVar: no piece record");
        const std::string path = PathFrom(fileName);
        if (path.empty()) {
            if (!stream || !*stream) throw Error("LoadPieceByVar: no stream to read");
            kvd::datalink::LoadPiece(*stream, **piece, headerOnly);
            return;
        }
        // Opened before the record is touched: a missing file leaves the record as it was.
        kvd::StreamPtr file(kvd::OpenFileStream(path, kvd::FileMode::Read));
        if (stream) *stream = nullptr;
        kvd::datalink::LoadPiece(file.get(), **piece, headerOnly);
    });
}

KVD_EXPORT void FlipBitmap(KvdBitmap* bitmap) {
    Guarded("FlipBitmap", [&] {
        if (!bitmap) throw Error("FlipBitmap: no bitmap");
        kvd::datalink::FlipRows(*bitmap);
    });
}

KVD_EXPORT void FMXBitmapToStream(const char16_t* fileName, KvdStream** stream) {
    Guarded("FMXBitmapToStream", [&] {
        if (!stream || !*stream) throw Error("FMXBitmapToStream: no stream to write");
        const std::string path = PathFrom(fileName);
        if (path.empty()) throw Error("FMXBitmapToStream: no image file name");
        const std::vector<std::uint8_t> file = kvd::ReadWholeFile(path);
        kvd::datalink::BitmapPtr bitmap = kvd::datalink::DecodeBitmap(file.data(), file.size(), "\"" + path + "\"");
        kvd::datalink::FlipRows(*bitmap);
        const std::vector<std::uint8_t> png = kvd::datalink::EncodeBitmap(*bitmap, "PNG");
        kvd::StreamSeek(*stream, 0);
        kvd::WriteAll(*stream, png.data(), static_cast<std::int64_t>(png.size()));
    });
}

KVD_EXPORT void GetDllVersion(std::int32_t* version) {
    if (version) *version = kvd::kArdatalinkInterfaceVersion;
}
