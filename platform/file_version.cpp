#include "platform/file_version.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/module_path.h"

namespace kvd::platform {

namespace {

// A note area or header table larger than these is not one we wrote; the
// caps keep a garbage header from making us allocate the whole file.
constexpr std::uint64_t kMaxNoteArea = 1u << 20;
constexpr std::uint64_t kMaxHeaderTable = 16u << 20;

constexpr std::uint32_t kShtNote = 7;
constexpr std::uint32_t kPtNote = 4;
constexpr std::uint32_t kPnXnum = 0xFFFF;

// Random access to the bytes of an image; a read that would leave the image
// fails as a whole.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    virtual bool read(std::uint64_t offset, void* out, std::size_t count) const = 0;

    bool contains(std::uint64_t offset, std::uint64_t count) const {
        return offset <= size() && count <= size() - offset;
    }
};

class MemorySource final : public ByteSource {
public:
    MemorySource(const void* data, std::size_t size) : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, void* out, std::size_t count) const override {
        if (!contains(offset, count)) return false;
        if (count) std::memcpy(out, data_ + offset, count);
        return true;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::string& path) {
        // O_NONBLOCK: opening a FIFO must not wait for a writer.
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        struct stat st{};
        if (fd_ >= 0 && ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0)
            size_ = static_cast<std::uint64_t>(st.st_size);
        else
            close();
    }
    ~FileSource() override { close(); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool ok() const { return fd_ >= 0; }
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, void* out, std::size_t count) const override {
        if (fd_ < 0 || !contains(offset, count)) return false;
        auto* p = static_cast<std::uint8_t*>(out);
        while (count > 0) {
            ssize_t n = ::pread(fd_, p, count, static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;  // error, or the file shrank under us
            p += n;
            offset += static_cast<std::uint64_t>(n);
            count -= static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        size_ = 0;
    }
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// Integers in the image's byte order.
struct Decoder {
    bool bigEndian = false;
    std::uint64_t get(const std::uint8_t* p, int bytes) const {
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) {
            int shift = bigEndian ? 8 * (bytes - 1 - i) : 8 * i;
            v |= static_cast<std::uint64_t>(p[i]) << shift;
        }
        return v;
    }
    std::uint32_t u16(const std::uint8_t* p) const { return static_cast<std::uint32_t>(get(p, 2)); }
    std::uint32_t u32(const std::uint8_t* p) const { return static_cast<std::uint32_t>(get(p, 4)); }
    std::uint64_t u64(const std::uint8_t* p) const { return get(p, 8); }
};

// Field offsets and sizes that differ between the two ELF classes.
struct Layout {
    int wordSize;  // 4 or 8: size of addresses, offsets and sizes
    std::uint32_t headerSize, phoff, shoff, phentsize, phnum, shentsize, shnum;
    std::uint32_t shdrSize, shType, shOffset, shSize, shInfo, shAlign;
    std::uint32_t phdrSize, phType, phOffset, phFilesz, phAlign;
};
constexpr Layout kElf32{4, 52, 28, 32, 42, 44, 46, 48, 40, 4, 16, 20, 28, 32, 32, 0, 4, 16, 28};
constexpr Layout kElf64{8, 64, 32, 40, 54, 56, 58, 60, 64, 4, 24, 32, 44, 48, 56, 0, 8, 32, 48};

struct Area {
    std::uint64_t offset = 0, size = 0, align = 0;
};

class ElfImage {
public:
    explicit ElfImage(const ByteSource& src) : src_(src) {}

    std::optional<FileVersion> findVersion() {
        if (!readHeader()) return std::nullopt;
        for (const Area& a : noteAreas(true))
            if (auto v = scanNotes(a)) return v;
        // Stripped or truncated section headers: the loadable note segments still tell.
        for (const Area& a : noteAreas(false))
            if (auto v = scanNotes(a)) return v;
        return std::nullopt;
    }

private:
    std::uint64_t word(const std::uint8_t* p) const { return L_->wordSize == 8 ? d_.u64(p) : d_.u32(p); }

    bool readHeader() {
        std::uint8_t h[64] = {};
        if (!src_.read(0, h, 16)) return false;
        if (h[0] != 0x7F || h[1] != 'E' || h[2] != 'L' || h[3] != 'F') return false;
        if (h[4] == 1)
            L_ = &kElf32;
        else if (h[4] == 2)
            L_ = &kElf64;
        else
            return false;
        if (h[5] != 1 && h[5] != 2) return false;
        d_.bigEndian = h[5] == 2;
        if (!src_.read(0, h, L_->headerSize)) return false;
        phoff_ = word(h + L_->phoff);
        shoff_ = word(h + L_->shoff);
        phentsize_ = d_.u16(h + L_->phentsize);
        phnum_ = d_.u16(h + L_->phnum);
        shentsize_ = d_.u16(h + L_->shentsize);
        shnum_ = d_.u16(h + L_->shnum);
        // Extended numbering: the real counts live in section header 0.
        if ((shnum_ == 0 || phnum_ == kPnXnum) && shoff_ != 0 && shentsize_ >= L_->shdrSize) {
            std::vector<std::uint8_t> s0(L_->shdrSize);
            if (src_.read(shoff_, s0.data(), s0.size())) {
                if (shnum_ == 0) shnum_ = word(s0.data() + L_->shSize);
                if (phnum_ == kPnXnum) phnum_ = d_.u32(s0.data() + L_->shInfo);
            }
        }
        return true;
    }

    // The note sections (fromSections) or the note segments of the image.
    std::vector<Area> noteAreas(bool fromSections) const {
        std::vector<Area> areas;
        std::uint64_t offset = fromSections ? shoff_ : phoff_;
        std::uint64_t count = fromSections ? shnum_ : phnum_;
        std::uint64_t entsize = fromSections ? shentsize_ : phentsize_;
        std::uint64_t minEntry = fromSections ? L_->shdrSize : L_->phdrSize;
        if (offset == 0 || count == 0 || entsize < minEntry) return areas;
        if (count > kMaxHeaderTable / entsize) return areas;
        std::vector<std::uint8_t> table(count * entsize);
        if (!src_.read(offset, table.data(), table.size())) return areas;
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint8_t* e = table.data() + i * entsize;
            if (fromSections) {
                if (d_.u32(e + L_->shType) != kShtNote) continue;
                areas.push_back({word(e + L_->shOffset), word(e + L_->shSize), word(e + L_->shAlign)});
            } else {
                if (d_.u32(e + L_->phType) != kPtNote) continue;
                areas.push_back({word(e + L_->phOffset), word(e + L_->phFilesz), word(e + L_->phAlign)});
            }
        }
        return areas;
    }

    std::optional<FileVersion> scanNotes(const Area& area) const {
        if (area.size < 12 || area.size > kMaxNoteArea || !src_.contains(area.offset, area.size)) return std::nullopt;
        std::vector<std::uint8_t> buf(area.size);
        if (!src_.read(area.offset, buf.data(), buf.size())) return std::nullopt;
        const std::uint64_t align = area.align == 8 ? 8 : 4;
        auto alignUp = [align](std::uint64_t v) { return (v + align - 1) & ~(align - 1); };
        const std::uint64_t size = buf.size();
        std::uint64_t pos = 0;
        while (size - pos >= 12) {
            const std::uint8_t* n = buf.data() + pos;
            std::uint64_t namesz = d_.u32(n), descsz = d_.u32(n + 4);
            std::uint32_t type = d_.u32(n + 8);
            std::uint64_t nameAt = pos + 12;
            if (namesz > size - nameAt) break;
            std::uint64_t descAt = alignUp(nameAt + namesz);
            if (descAt > size || descsz > size - descAt) break;
            if (type == kVersionNoteType && namesz == sizeof kVersionNoteOwner &&
                std::memcmp(buf.data() + nameAt, kVersionNoteOwner, sizeof kVersionNoteOwner) == 0 &&
                descsz >= kVersionNoteDescSize) {
                const std::uint8_t* v = buf.data() + descAt;
                return FileVersion{d_.u32(v), d_.u32(v + 4), d_.u32(v + 8), d_.u32(v + 12), d_.u32(v + 16)};
            }
            std::uint64_t next = alignUp(descAt + descsz);
            if (next <= pos) break;
            pos = next;
            if (pos > size) break;
        }
        return std::nullopt;
    }

    const ByteSource& src_;
    const Layout* L_ = nullptr;
    Decoder d_;
    std::uint64_t phoff_ = 0, shoff_ = 0, phnum_ = 0, shnum_ = 0;
    std::uint32_t phentsize_ = 0, shentsize_ = 0;
};

}  // namespace

std::optional<FileVersion> ParseVersionNote(const void* image, std::size_t size) {
    if (image == nullptr) return std::nullopt;
    MemorySource src(image, size);
    return ElfImage(src).findVersion();
}

std::optional<FileVersion> ReadVersionNote(const std::string& path) {
    FileSource src(path);
    if (!src.ok()) return std::nullopt;
    return ElfImage(src).findVersion();
}

std::string FormatFileVersion(const FileVersion& v) {
    std::string text = std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.release) +
                       "." + std::to_string(v.build);
    if (v.flags & kVersionFlagDebug) text += " debug";
    if (v.flags & kVersionFlagPreRelease) text += " beta";
    if (v.flags & kVersionFlagPrivateBuild) text += " private";
    if (v.flags & kVersionFlagSpecialBuild) text += " special";
    return text;
}

std::string GetFileVersionText(const std::string& fileName) {
    if (fileName.empty()) return kNoVersionInfo;
    int savedErrno = errno;  // looking up a version is not a file operation of the caller's
    auto version = ReadVersionNote(ResolveModuleFile(fileName));
    errno = savedErrno;
    return version ? FormatFileVersion(*version) : std::string(kNoVersionInfo);
}

}  // namespace kvd::platform
