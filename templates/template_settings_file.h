// "KvdTemplates.DEF": the templates dialog's settings between runs, in the
// folder of the host executable. A tagged file (base/tagged_records.h): the
// header, the length record, one record per stored field in a fixed order,
// filler records, and the end record. An older raw copy of the record may
// sit in KOVA/ and is read when the current file is missing.
#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "kvd/stream.h"
#include "templates/template_parameters.h"

namespace kvd {

inline constexpr const char* kTemplateSettingsFile = "KvdTemplates.DEF";
inline constexpr const char* kOlderTemplateSettingsFile = "KOVA/KvdTemplates.DEF";
inline constexpr std::uint16_t kConfigEndId = 32766;  // payload $EEE1

struct TemplateFileRecord {
    enum Kind : std::uint8_t {
        Field,   // the field's full size
        Text,    // a length-prefixed text: its current length + 1
        Filler,  // 2 bytes holding the record's own id; read back as an extra record
    };
    std::uint16_t id;
    std::uint16_t offset;  // in TemplateParameters (0 for fillers)
    std::uint16_t size;    // the field's size (texts: N + 1)
    Kind kind;
};

// The records of the file between the length record and the end record, in
// the order they are written.
std::span<const TemplateFileRecord> TemplateFileRecords();
// The field record of an id (no fillers), or nullptr.
const TemplateFileRecord* FindTemplateFileRecord(std::uint16_t id);

// Zeroes the record, reads the records from the stream's current position
// (a payload longer than its field fills the field, the rest is read past
// and logged), then cleans up the tombstone items. Never throws: an error is
// logged and the fields read so far stay.
void LoadConfigByVars(KvdStream* stream, TemplateParameters& p);
// The same on a file. False (record untouched, a log line) when it cannot be opened.
bool LoadConfigByVars(const std::string& path, TemplateParameters& p);

// Writes the whole file at the stream's current position, then patches the
// length record with the bytes written. Throws kvd::Error on a write error.
void SaveConfigByVars(KvdStream* stream, const TemplateParameters& p);
// Writes the file through a temporary file in the same folder that replaces
// the old one only when complete. False (with a log line) on failure; the
// old file is then left as it was.
bool SaveConfigByVars(const std::string& path, const TemplateParameters& p);

// Zeroes the tombstone items that cannot be drawn: "Dimensione X" (+8),
// rounded to `decimals`, not positive; for kinds 1, 2 and 4 also
// "Dimensione Y" (+12); for a text item also an empty text.
void CleanTombstoneItems(TemplateParameters& p, int decimals = 3);

// Defaults, then "KvdTemplates.DEF" of `folder`, or else the older raw file
// KOVA/KvdTemplates.DEF; then the working quadrilateral sets 0..4 and the
// working matrix settings come from the record, and an active-tab index
// outside 0..10 becomes 0.
void LoadTemplateSettings(const std::string& folder, TemplateParameters& p,
                          QuadrilateralSet (&working)[kQuadrilateralKinds], MatrixSettings& matrix);
void LoadTemplateSettings();  // the library state, in platform::HostFolder()

// Stores the working quadrilateral sets 0..4, the active tab and the matrix
// settings (increments narrowed to singles) in the record, then writes
// "KvdTemplates.DEF" of `folder`. False when the file could not be written.
bool SaveTemplateSettings(const std::string& folder, int activeTab, TemplateParameters& p,
                          const QuadrilateralSet (&working)[kQuadrilateralKinds], const MatrixSettings& matrix);
bool SaveTemplateSettings(int activeTab);  // the library state, in platform::HostFolder()

}  // namespace kvd
