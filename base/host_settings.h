// HostSettings: the host's machine and drawing settings as the libraries see
// them. The host hands them over either as a fixed 10834-byte block or as a
// tagged settings stream; one field table (host_settings_table.cpp) gives
// every field's stream id, kind, size and block offset, and drives both
// readers and both writers, so the two encodings cannot drift apart.
//
// Most fields belong to the host and are carried without interpretation;
// the accessors below name the ones this system reads.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/work_record.h"
#include "kvd/stream.h"

namespace kvd {

enum class HostFieldKind : std::uint8_t {
    Byte,    // 1 byte
    U16,     // 16-bit integer
    U32,     // 32-bit integer
    Single,  // 4-byte float
    Real,    // 6-byte real
    String,  // length byte + up to size - 1 characters
    Bytes,   // fixed block of host bytes
};

inline constexpr std::int32_t kStreamOnly = -1;
inline constexpr std::size_t kHostBlockSize = 10834;
inline constexpr std::size_t kHostBlockWorkOffset = 4556;  // a WorkRecord6
inline constexpr std::size_t kHostSettingsSize = 11632;

struct HostField {
    std::uint16_t id;
    HostFieldKind kind;
    std::uint16_t size;        // bytes; a string of at most N characters has N + 1
    std::int32_t blockOffset;  // kStreamOnly when only the stream carries it
    std::uint16_t storeOffset; // place inside HostSettings
};

// Every field, in id order.
std::span<const HostField> HostFields();
// The field of an id, or nullptr when no field has it.
const HostField* FindHostField(std::uint16_t id);

// Stream ids with a meaning of their own.
inline constexpr std::uint16_t kHostFirstId = 0;      // payload ignored; presence bit 1
inline constexpr std::uint16_t kHostLastId = 889;     // payload ignored; presence bit 2, settings end
inline constexpr std::uint16_t kHostRecord952 = 952;  // kept outside HostSettings (HostRecord952)
// Payload read and ignored (128 is a block field the stream does not set).
inline constexpr std::uint16_t kHostIgnoredIds[] = {128, 1299, 32767};

// Presence flags of LoadDfltByVar.
inline constexpr std::uint8_t kHostPresenceStarted = 1;
inline constexpr std::uint8_t kHostPresenceFirst = 2;
inline constexpr std::uint8_t kHostPresenceLast = 4;

class HostSettings {
public:
    void Clear() { bytes.fill(0); }

    // The storage of a field (its `size` bytes), or nullptr for an unknown id.
    std::uint8_t* FieldData(std::uint16_t id);
    const std::uint8_t* FieldData(std::uint16_t id) const;

    // Typed access by id. The field must exist and have that kind: anything
    // else is a programming error and throws kvd::Error.
    std::uint8_t Byte(std::uint16_t id) const;
    std::uint16_t U16(std::uint16_t id) const;
    std::uint32_t U32(std::uint16_t id) const;
    float Single(std::uint16_t id) const;
    long double Real(std::uint16_t id) const;
    std::string_view String(std::uint16_t id) const;  // at most size - 1 characters
    void SetByte(std::uint16_t id, std::uint8_t v);
    void SetU16(std::uint16_t id, std::uint16_t v);
    void SetU32(std::uint16_t id, std::uint32_t v);
    void SetSingle(std::uint16_t id, float v);
    void SetReal(std::uint16_t id, long double v);
    void SetString(std::uint16_t id, std::string_view text);  // truncated to the field

    // ---- fields this system reads ----------------------------------------
    // `HostPalette`: $00BBGGRR of palette index 0..255 (ids 141..396).
    std::uint32_t HostPalette(int index) const;
    // `DefaultColorIndex` (id 71): palette index of the elements the shared builders create.
    std::uint8_t DefaultColorIndex() const { return Byte(71); }
    // `PreviewColors` (ids 88..102): pen colour 0..14 of the preview.
    std::uint32_t PreviewColor(int index) const;
    // `FileTypeIndex` (id 890) and `MachiningFileTypeIndex` (id 648): indexes
    // into HostFileTypeExtension.
    std::uint8_t FileTypeIndex() const { return Byte(890); }
    std::uint8_t MachiningFileTypeIndex() const { return Byte(648); }
    // Option words, named by id.
    std::uint8_t OptionByte37() const { return Byte(37); }    // low three bits: templates dialog
    std::uint8_t OptionByte408() const { return Byte(408); }  // bit 7 marking records; low bits 1: dialog option
    std::uint16_t OptionWord133() const { return U16(133); }  // bit 9: duplication matrix
    std::uint16_t OptionWord138() const { return U16(138); }  // bit 13: language font
    std::uint32_t OptionBits869() const { return U32(869); }  // bits 8 and 17: dialog and matrix
    bool MarkingRecordsEnabled() const { return (OptionByte408() & 0x80) != 0; }
    bool LanguageFontSwitchedOn() const { return (OptionWord138() & 0x2000) != 0; }
    // `LanguageName` (id 403), `LanguageFontName` (id 891), `LanguageFontCharset` (id 892).
    std::string_view LanguageName() const { return String(403); }
    std::string_view LanguageFontName() const { return String(891); }
    std::uint8_t LanguageFontCharset() const { return Byte(892); }
    // Tolerances (6-byte reals): parallel lines (id 11), ellipse semi-axes (id 20).
    long double ParallelTolerance() const { return Real(11); }
    long double EllipseTolerance() const { return Real(20); }
    // Side-wall gates (stream only): the host offers side walls unless id 1503
    // is below 9 and id 1504 is 0.
    std::uint8_t SideWallLevel() const { return Byte(1503); }
    std::uint8_t SideWallGate() const { return Byte(1504); }
    bool OffersSideWalls() const { return !(SideWallLevel() < 9 && SideWallGate() == 0); }

    // ---- host fields whose ids are this system's layout (docs/settings-stream.md)
    std::string_view DrawingFolder() const { return String(5); }
    std::string_view MachiningFolder() const { return String(6); }
    std::string_view PictureFolder() const { return String(7); }
    std::string_view FontFolder() const { return String(8); }
    std::string_view DefaultPictureName() const { return String(9); }
    long double DefaultTextHeight() const { return Real(22); }
    std::uint8_t ImportOptionByte38() const { return Byte(38); }         // bit 4: DXF import info offset 6
    std::uint16_t ColourMarkOptions() const { return U16(40); }          // bit 1: colour mark on import
    std::uint8_t ColourMarkIndex() const { return Byte(43); }
    std::uint16_t SecondColourOptions() const { return U16(44); }        // bit 9: second colour on import
    std::uint8_t SecondColourIndex() const { return Byte(46); }
    bool HonourLayerWorkability() const { return Byte(57) != 0; }
    std::string_view NewerFontFolderName() const { return String(404); }
    std::string_view OlderGlyphExtension() const { return String(407); }
    std::string_view NewerGlyphExtension() const { return String(416); }

    std::array<std::uint8_t, kHostSettingsSize> bytes{};

private:
    const std::uint8_t* Typed(std::uint16_t id, HostFieldKind kind) const;
    std::uint8_t* Typed(std::uint16_t id, HostFieldKind kind);
};

// ---- library state ---------------------------------------------------------
extern HostSettings Host;                                     // the working settings
extern WorkRecord CurrentWork;                                // the host's current machining
extern std::array<std::uint8_t, kHostBlockSize> HostBlockCopy; // filled by Template
extern std::vector<std::uint8_t> HostRecord952;               // payload of stream id 952
extern std::uint8_t HostPresenceFlags;                        // of the last LoadDfltByVar

// Clears the settings and applies the defaults of the stream-only fields.
void SetHostDefaults(HostSettings& settings);
void SetHostDefaults();

// Copies every block field into the settings (6-byte reals normalised through
// extended precision, strings with their maximum length) without clearing the
// stream-only fields first, then converts the block's WorkRecord6 at offset
// 4556 into `work`.
void LoadHostBlock(const std::uint8_t* block, HostSettings& settings, WorkRecord& work);
void LoadHostBlock();  // HostBlockCopy into Host and CurrentWork

// Writes every block field and the machining (as a WorkRecord6) into a
// 10834-byte block; the host bytes between the fields are left as they are.
void SaveHostBlock(const HostSettings& settings, const WorkRecord& work, std::uint8_t* block);

// Reads the host's settings stream from its start: defaults, settings records
// up to id 889, then the machining record that follows (into `work`, cleared
// first). Never throws: bad records and stream errors are logged. Returns the
// presence flags.
std::uint8_t LoadDfltByVar(KvdStream* stream, HostSettings& settings, WorkRecord& work,
                           std::vector<std::uint8_t>& record952);
void LoadDfltByVar(KvdStream* stream);  // into Host, CurrentWork, HostRecord952, HostPresenceFlags

// Writes a settings stream that LoadDfltByVar reads back: record 0, every
// field the stream carries in id order (full size), id 952 when `record952`
// is not empty, record 889, then the machining record. Throws kvd::Error
// when the stream does not take the bytes.
void SaveDfltByVar(KvdStream* stream, const HostSettings& settings, const WorkRecord& work,
                   const std::vector<std::uint8_t>& record952 = {});

// The host's table of file types: index to upper-case extension with the dot
// (0 ".ZD5" ... 4 ".ZL5" ... 7 ".ZL6" ... 10 ".ZW7", 11 ".ZL7" ... 19 ".ZVS");
// "" for an index outside the table.
const char* HostFileTypeExtension(int index);
inline constexpr int kHostFileTypeCount = 20;

}  // namespace kvd
