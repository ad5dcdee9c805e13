#include "datalink/piece_stream.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/element_list.h"
#include "base/log.h"
#include "base/streams.h"
#include "datalink/bitmap_codec.h"
#include "datalink/display_texture.h"
#include "datalink/loaded_lists.h"
#include "kvd/error.h"

namespace kvd::datalink {

// A compact element is the kind word followed by the four reals, which lie
// next to each other in the element record.
static_assert(offsetof(TTempElement, Y) == offsetof(TTempElement, X) + 6);
static_assert(offsetof(TTempElement, Z) == offsetof(TTempElement, X) + 12);
static_assert(offsetof(TTempElement, Bulge) == offsetof(TTempElement, X) + 18);
constexpr std::size_t kRealsSize = 24;
static_assert(kCompactElementSize == sizeof(std::uint16_t) + kRealsSize);

namespace {

// A field of the record that a tag fills as plain bytes.
struct FieldSlot {
    std::uint16_t tag;
    std::size_t offset;
    std::size_t width;
};

#define KVD_FIELD(tag, member) \
    FieldSlot { tag, offsetof(TPieceRecord, member), sizeof(TPieceRecord::member) }
const FieldSlot kFields[] = {
    KVD_FIELD(kTagHeader, PieceHeader),        KVD_FIELD(kTagPieceData0, PieceData0),
    KVD_FIELD(kTagPieceData32, PieceData32),   KVD_FIELD(kTagPieceData112, PieceData112),
    KVD_FIELD(kTagPieceData136, PieceData136), KVD_FIELD(kTagPieceData160, PieceData160),
    KVD_FIELD(kTagPieceData12, PieceData12),   KVD_FIELD(kTagPieceData16, PieceData16),
    KVD_FIELD(kTagPieceData20, PieceData20),   KVD_FIELD(kTagPieceData24, PieceData24),
    KVD_FIELD(kTagPieceData28, PieceData28),   KVD_FIELD(kTagPieceData8, PieceData8),
};
#undef KVD_FIELD

const FieldSlot* FieldFor(std::uint16_t tag) {
    for (const FieldSlot& f : kFields)
        if (f.tag == tag) return &f;
    return nullptr;
}

Ptr32<TTempElement>& ListSlot(TPieceRecord& piece, int i) {
    switch (i) {
        case 0: return piece.List0;
        case 1: return piece.List1;
        case 2: return piece.List2;
        default: return piece.List3;
    }
}
const Ptr32<TTempElement>& ListSlot(const TPieceRecord& piece, int i) {
    return ListSlot(const_cast<TPieceRecord&>(piece), i);
}

// ---- writing ----------------------------------------------------------------

// Collects the stream in 64 KiB pieces, so that an element costs two small
// copies instead of a call through the stream's table.
class ChunkWriter {
public:
    explicit ChunkWriter(KvdStream* s) : stream_(s), buffer_(kSize) {}

    void Put(const void* data, std::size_t n) {
        if (n > kSize - used_) {
            Flush();
            if (n > kSize) {
                WriteAll(stream_, data, static_cast<std::int64_t>(n));
                return;
            }
        }
        std::memcpy(buffer_.data() + used_, data, n);
        used_ += n;
    }
    void PutHeader(std::uint16_t tag, std::uint32_t length) {
        std::uint8_t h[kRecordHeaderSize] = {
            static_cast<std::uint8_t>(tag),           static_cast<std::uint8_t>(tag >> 8),
            static_cast<std::uint8_t>(length),        static_cast<std::uint8_t>(length >> 8),
            static_cast<std::uint8_t>(length >> 16),  static_cast<std::uint8_t>(length >> 24)};
        Put(h, sizeof h);
    }
    void PutU16(std::uint16_t v) {
        std::uint8_t b[2] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
        Put(b, 2);
    }
    void PutRecord(std::uint16_t tag, const void* payload, std::size_t n) {
        PutHeader(tag, static_cast<std::uint32_t>(n));
        Put(payload, n);
    }
    void PutElement(const TTempElement& e) {
        if (kSize - used_ < kCompactElementSize) Flush();
        std::uint8_t* p = buffer_.data() + used_;
        std::memcpy(p, &e.Kind, 2);
        std::memcpy(p + 2, &e.X, kRealsSize);
        used_ += kCompactElementSize;
    }
    void Flush() {
        WriteAll(stream_, buffer_.data(), static_cast<std::int64_t>(used_));
        used_ = 0;
    }

private:
    static constexpr std::size_t kSize = 64 * 1024;
    KvdStream* stream_;
    std::vector<std::uint8_t> buffer_;
    std::size_t used_ = 0;
};

// ---- reading ----------------------------------------------------------------

class PieceReader {
public:
    PieceReader(KvdStream* s, std::int64_t size, TPieceRecord& piece) : s_(s), size_(size), piece_(piece) {}

    void Run(bool headerOnly) {
        for (;;) {
            if (Left() < static_cast<std::int64_t>(kRecordHeaderSize)) {
                // An empty stream is how a host gives its lists back; anything
                // else that stops here lacks its end marker.
                if (size_ > 0) WriteLog("LoadPieceByVar: piece stream ends without end marker (" + std::to_string(Left()) +
                                        " bytes after the last record)");
                return;
            }
            std::uint8_t h[kRecordHeaderSize];
            Read(h, sizeof h);
            const std::uint16_t tag = static_cast<std::uint16_t>(h[0] | (h[1] << 8));
            const std::uint32_t length = static_cast<std::uint32_t>(h[2]) | (static_cast<std::uint32_t>(h[3]) << 8) |
                                         (static_cast<std::uint32_t>(h[4]) << 16) | (static_cast<std::uint32_t>(h[5]) << 24);
            // A payload that runs past the end is not processed. Every byte
            // after its header belongs to it, so no whole record follows.
            if (length > Left()) {
                WriteLog("LoadPieceByVar: record " + std::to_string(tag) + " cut short: " + std::to_string(length) +
                         " bytes announced, " + std::to_string(Left()) + " left");
                return;
            }
            if (!Record(tag, length)) return;
            if (tag == kTagEnd) return;
            if (tag == kTagHeader && headerOnly) return;
        }
    }

private:
    std::int64_t Left() const { return size_ - pos_; }

    void Read(void* buffer, std::size_t n) {
        ReadExact(s_, buffer, static_cast<std::int64_t>(n));
        pos_ += static_cast<std::int64_t>(n);
    }
    void Skip(std::int64_t n, const std::string& message) {
        if (n <= 0) return;
        TailFromStream(s_, n, message);
        pos_ += n;
    }

    // Reads at most `width` bytes of the payload into the field and skips the rest.
    std::size_t ReadInto(void* field, std::size_t width, std::uint16_t tag, std::uint32_t length) {
        std::size_t n = std::min<std::size_t>(length, width);
        Read(field, n);
        if (length > n)
            Skip(static_cast<std::int64_t>(length - n), "LoadPieceByVar: record " + std::to_string(tag) + " longer than its field: " +
                                                             std::to_string(length) + " bytes, " + std::to_string(width) + " used");
        return n;
    }

    // Handles one record whose payload lies within the stream. Returns false
    // when the read ends here.
    bool Record(std::uint16_t tag, std::uint32_t length) {
        auto* bytes = reinterpret_cast<std::uint8_t*>(&piece_);
        if (const FieldSlot* f = FieldFor(tag)) {
            ReadInto(bytes + f->offset, f->width, tag, length);
            return true;
        }
        switch (tag) {
            case kTagStart:
            case kTagEnd: {
                std::uint8_t marker[2];
                ReadInto(marker, sizeof marker, tag, length);
                return true;
            }
            case kTagReserved: {
                std::uint8_t reserved[kReservedSize];
                ReadInto(reserved, sizeof reserved, tag, length);
                return true;
            }
            case kTagName:
                Name(length);
                return true;
            case kTagTexture:
                Texture(length);
                return true;
            case kTagList0:
            case kTagList0 + 1:
            case kTagList0 + 2:
            case kTagList3:
                return List(tag - kTagList0, length);
            default:
                Skip(length, "LoadPieceByVar extra :" + std::to_string(tag) + " " + std::to_string(length));
                return true;
        }
    }

    void Name(std::uint32_t length) {
        std::uint8_t* name = piece_.PieceName;
        std::size_t n = ReadInto(name, sizeof piece_.PieceName, kTagName, length);
        // The length byte may not claim more characters than arrived or fit.
        std::size_t chars = n == 0 ? 0 : std::min<std::size_t>({name[0], n - 1, kMaxNameLength});
        if (n > 0 && chars != name[0])
            WriteLog("LoadPieceByVar: name length " + std::to_string(name[0]) + " cut to " + std::to_string(chars));
        name[0] = static_cast<std::uint8_t>(chars);
    }

    void Texture(std::uint32_t length) {
        KvdLightMaterial* material = LightMaterialOf(piece_.DisplayObject.get());
        if (!material) {
            Skip(length, "LoadPieceByVar: texture of " + std::to_string(length) + " bytes skipped: the piece has no display object");
            return;
        }
        std::vector<std::uint8_t> encoded(length);
        Read(encoded.data(), length);
        try {
            BitmapPtr picture = DecodeBitmap(encoded.data(), encoded.size(), "the texture of the piece");
            SetTexture(*material, *picture);
        } catch (const Error& e) {
            // A damaged picture costs the texture, not the piece.
            WriteLog(std::string("LoadPieceByVar: texture not loaded: ") + e.what());
        }
    }

    bool List(int index, std::uint32_t length) {
        if (length < 2) {
            Skip(length, "LoadPieceByVar: list record " + std::to_string(kTagList0 + index) + " without a count");
            return true;
        }
        std::uint8_t c[2];
        Read(c, 2);
        const std::size_t count = static_cast<std::size_t>(c[0] | (c[1] << 8));
        Skip(length - 2, "LoadPieceByVar: record " + std::to_string(kTagList0 + index) + " longer than its field: " +
                             std::to_string(length) + " bytes, 2 used");
        const std::int64_t need = static_cast<std::int64_t>(count * kCompactElementSize);
        if (need > Left()) {
            WriteLog("LoadPieceByVar: list " + std::to_string(index) + " cut short: " + std::to_string(count) +
                     " elements announced, " + std::to_string(Left()) + " bytes left");
            return false;
        }
        Ptr32<TTempElement>& slot = ListSlot(piece_, index);
        ReleaseLoadedList(slot);  // a list read earlier under the same tag
        slot = nullptr;
        ReadElements(slot, count);
        return true;
    }

    void ReadElements(Ptr32<TTempElement>& slot, std::size_t count) {
        constexpr std::size_t kChunk = 2048;
        TTempElement work;
        std::memset(static_cast<void*>(&work), 0, sizeof work);
        TTempElement* head = nullptr;
        TTempElement* tail = nullptr;
        auto handOver = [&] {
            slot = head;
            AdoptLoadedList(head);
        };
        try {
            chunk_.resize(std::min(count, kChunk) * kCompactElementSize);
            for (std::size_t done = 0; done < count;) {
                const std::size_t n = std::min(count - done, kChunk);
                Read(chunk_.data(), n * kCompactElementSize);
                const std::uint8_t* p = chunk_.data();
                for (std::size_t i = 0; i < n; ++i, p += kCompactElementSize) {
                    std::memcpy(&work.Kind, p, 2);
                    std::memcpy(&work.X, p + 2, kRealsSize);
                    TTempElement* e = AppendElement(head, tail, work);
                    e->Link = 0;
                }
                done += n;
            }
        } catch (...) {
            handOver();  // what was read stays in the record and is freed by the next load
            throw;
        }
        handOver();
    }

    KvdStream* s_;
    std::int64_t size_;
    std::int64_t pos_ = 0;
    TPieceRecord& piece_;
    std::vector<std::uint8_t> chunk_;
};

}  // namespace

PreparedPiece PreparePiece(const TPieceRecord& piece) {
    PreparedPiece p;
    p.piece = &piece;
    if (piece.PieceName[0] > kMaxNameLength)
        throw Error("the piece name has " + std::to_string(piece.PieceName[0]) + " characters; a piece name holds at most " +
                    std::to_string(kMaxNameLength));
    for (int i = 0; i < 4; ++i) {
        std::size_t n = 0;
        // The walk stops past the limit, so a list that runs in a circle is refused too.
        for (const TTempElement* e = ListSlot(piece, i); e && n <= kMaxListElements; e = e->Next) ++n;
        if (n > kMaxListElements)
            throw Error("list " + std::to_string(i) + " of the piece holds more than 65,535 elements; "
                        "a piece stream counts at most 65,535 per list");
        p.counts[i] = static_cast<std::uint16_t>(n);
    }
    if (const KvdBitmap* texture = TextureToSave(piece.DisplayObject.get())) {
        p.texture = EncodeBitmap(*texture, "BMP");
        if (p.texture.size() > 0xFFFFFFFFu) throw Error("Saving bitmap failed.");
        p.hasTexture = true;
    }
    // Records 1-14, the texture, four list records, PieceData8 and the end marker.
    constexpr std::size_t kFixedPayloads = 2 + kReservedSize + 8 + 8 + 4 + 24 + 24 + 2 + 5 * 4 + 4 * 2 + 4 + 2;
    constexpr std::size_t kFixedRecords = 14 + 4 + 2;
    p.streamSize = kFixedRecords * kRecordHeaderSize + kFixedPayloads + (std::size_t{piece.PieceName[0]} + 1);
    if (p.hasTexture) p.streamSize += kRecordHeaderSize + p.texture.size();
    for (std::uint16_t n : p.counts) p.streamSize += n * kCompactElementSize;
    return p;
}

void WritePiece(KvdStream* stream, const PreparedPiece& prepared) {
    const TPieceRecord& piece = *prepared.piece;
    const std::int64_t at = StreamPosition(stream);
    if (at >= 0) ReserveMemoryStream(stream, static_cast<std::size_t>(at) + prepared.streamSize);
    ChunkWriter w(stream);

    w.PutHeader(kTagStart, 2);
    w.PutU16(kStartMarker);
    const std::uint8_t reserved[kReservedSize] = {};
    w.PutRecord(kTagReserved, reserved, sizeof reserved);
    w.PutRecord(kTagHeader, piece.PieceHeader, sizeof piece.PieceHeader);
    w.PutRecord(kTagPieceData0, piece.PieceData0, sizeof piece.PieceData0);
    w.PutRecord(kTagName, piece.PieceName, std::size_t{piece.PieceName[0]} + 1);
    w.PutRecord(kTagPieceData32, &piece.PieceData32, sizeof piece.PieceData32);
    w.PutRecord(kTagPieceData112, piece.PieceData112, sizeof piece.PieceData112);
    w.PutRecord(kTagPieceData136, piece.PieceData136, sizeof piece.PieceData136);
    w.PutRecord(kTagPieceData160, &piece.PieceData160, sizeof piece.PieceData160);
    w.PutRecord(kTagPieceData12, &piece.PieceData12, sizeof piece.PieceData12);
    w.PutRecord(kTagPieceData16, &piece.PieceData16, sizeof piece.PieceData16);
    w.PutRecord(kTagPieceData20, &piece.PieceData20, sizeof piece.PieceData20);
    w.PutRecord(kTagPieceData24, &piece.PieceData24, sizeof piece.PieceData24);
    w.PutRecord(kTagPieceData28, &piece.PieceData28, sizeof piece.PieceData28);
    if (prepared.hasTexture) w.PutRecord(kTagTexture, prepared.texture.data(), prepared.texture.size());
    for (int i = 0; i < 4; ++i) {
        w.PutHeader(static_cast<std::uint16_t>(kTagList0 + i), 2);
        w.PutU16(prepared.counts[i]);
        const TTempElement* e = ListSlot(piece, i);
        for (std::uint16_t k = 0; k < prepared.counts[i]; ++k, e = e->Next) w.PutElement(*e);
    }
    w.PutRecord(kTagPieceData8, &piece.PieceData8, sizeof piece.PieceData8);
    w.PutHeader(kTagEnd, 2);
    w.PutU16(kEndMarker);
    w.Flush();
}

void LoadPiece(KvdStream* stream, TPieceRecord& piece, bool headerOnly) {
    StreamSeek(stream, 0);
    const std::int64_t size = StreamSize(stream);
    if (size < 0) throw Error("LoadPieceByVar: the size of the stream is unknown");

    for (int i = 0; i < 4; ++i) ReleaseLoadedList(ListSlot(piece, i));
    // The display-object link survives the clear: it is where the texture goes.
    const Ptr32<KvdDisplayObject> display = piece.DisplayObject;
    std::memset(static_cast<void*>(&piece), 0, sizeof piece);
    piece.DisplayObject = display;

    PieceReader(stream, size, piece).Run(headerOnly);
}

}  // namespace kvd::datalink
