#include "base/tagged_records.h"

#include <algorithm>

#include "base/log.h"
#include "base/streams.h"

namespace kvd {

void WriteTaggedRecord(KvdStream* stream, std::uint16_t id, std::uint16_t length, const void* data) {
    std::uint8_t header[4] = {static_cast<std::uint8_t>(id & 0xFF), static_cast<std::uint8_t>(id >> 8),
                              static_cast<std::uint8_t>(length & 0xFF), static_cast<std::uint8_t>(length >> 8)};
    WriteAll(stream, header, sizeof header);
    if (length != 0) WriteAll(stream, data, length);
}

void WriteTaggedU16(KvdStream* stream, std::uint16_t id, std::uint16_t value) {
    WriteTaggedRecord(stream, id, 2, &value);
}

void WriteTaggedLength(KvdStream* stream, std::int64_t totalLength) {
    WriteTaggedRecord(stream, kTaggedLengthId, 8, &totalLength);
}

TaggedReader::TaggedReader(KvdStream* stream, std::string readerName)
    : stream_(stream), name_(std::move(readerName)), size_(std::max<std::int64_t>(0, StreamSize(stream))) {}

std::int64_t TaggedReader::position() const { return StreamPosition(stream_); }

bool TaggedReader::Next(TaggedHeader& header) {
    std::int64_t pos = position();
    if (pos < 0 || size_ - pos < 5) return false;
    std::uint8_t raw[4];
    ReadExact(stream_, raw, 4);
    header.id = static_cast<std::uint16_t>(raw[0] | (raw[1] << 8));
    header.length = static_cast<std::uint16_t>(raw[2] | (raw[3] << 8));
    return true;
}

bool TaggedReader::PayloadFits(const TaggedHeader& header) {
    if (position() + header.length <= size_) return true;
    WriteLog(name_ + " ERROR: record " + std::to_string(header.id) + " of " + std::to_string(header.length) +
             " bytes runs past the end");
    return false;
}

std::size_t TaggedReader::CopyPayload(const TaggedHeader& header, void* field, std::size_t fieldSize) {
    std::size_t n = std::min<std::size_t>(header.length, fieldSize);
    ReadExact(stream_, field, static_cast<std::int64_t>(n));
    if (n < header.length) {
        WriteLog(name_ + " long record :" + std::to_string(header.id) + " " + std::to_string(header.length) +
                 " (field " + std::to_string(fieldSize) + ")");
        StreamSkip(stream_, header.length - static_cast<std::int64_t>(n));
    }
    return n;
}

void TaggedReader::SkipPayload(const TaggedHeader& header) { StreamSkip(stream_, header.length); }

void TaggedReader::SkipExtra(const TaggedHeader& header) {
    TailFromStream(stream_, header.length,
                   name_ + " extra :" + std::to_string(header.id) + " " + std::to_string(header.length));
}

}  // namespace kvd
