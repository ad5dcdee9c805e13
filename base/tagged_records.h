// The tagged record framing of the settings stream, the machining records and
// the option files: a 16-bit id, a 16-bit payload length, then the payload.
// Files open with record 0 holding a magic, reserve an 8-byte record for
// their own length, and end with a closing record.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "kvd/stream.h"

namespace kvd {

inline constexpr std::uint16_t kTaggedMagic = 0xFFF1;     // payload of record 0
inline constexpr std::uint16_t kTaggedEndMagic = 0xEEE1;  // payload of a closing record
inline constexpr std::uint16_t kTaggedLengthId = 0x7FFF;  // 8-byte total length
inline constexpr std::int64_t kTaggedHeaderSize = 4;

// Writes the id, the length and, when the length is not 0, `length` bytes of
// `data`. Throws kvd::Error when the stream does not take them.
void WriteTaggedRecord(KvdStream* stream, std::uint16_t id, std::uint16_t length, const void* data);
// A record with a 2-byte payload.
void WriteTaggedU16(KvdStream* stream, std::uint16_t id, std::uint16_t value);
// The 8-byte length record (id $7FFF) holding `totalLength`.
void WriteTaggedLength(KvdStream* stream, std::int64_t totalLength);

struct TaggedHeader {
    std::uint16_t id = 0;
    std::uint16_t length = 0;
};

// Walks the records of a stream from its current position with the rules
// every reader shares: a header is read only while at least 5 bytes remain;
// a payload that would pass the end of the stream is not read, and the next
// header follows right after its header. Log lines carry `readerName`.
class TaggedReader {
public:
    TaggedReader(KvdStream* stream, std::string readerName);

    // Reads the next header; false when fewer than 5 bytes remain.
    bool Next(TaggedHeader& header);
    // True when the payload of the header just read lies within the stream;
    // when it does not, a line is logged (once per header).
    bool PayloadFits(const TaggedHeader& header);
    // Copies the payload into a field of `fieldSize` bytes. A shorter payload
    // fills the field's first bytes; a longer one fills the field, the rest is
    // read past and a line is logged. Returns the bytes copied.
    std::size_t CopyPayload(const TaggedHeader& header, void* field, std::size_t fieldSize);
    // Reads past the payload without a log line.
    void SkipPayload(const TaggedHeader& header);
    // An unknown record: TailFromStream skips it and logs
    // "<readerName> extra :<id> <length>".
    void SkipExtra(const TaggedHeader& header);

    std::int64_t size() const { return size_; }
    std::int64_t position() const;
    KvdStream* stream() const { return stream_; }

private:
    KvdStream* stream_;
    std::string name_;
    std::int64_t size_;
};

}  // namespace kvd
