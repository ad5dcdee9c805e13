#include "templates/template_settings_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <vector>

#include "base/log.h"
#include "base/streams.h"
#include "base/tagged_records.h"
#include "kvd/error.h"
#include "platform/host_folder.h"

namespace kvd {

namespace {

using P = TemplateParameters;
using R = TemplateFileRecord;

constexpr std::uint16_t kMaxRecordId = 782;

class RecordList {
public:
    void Field(int id, std::size_t offset, std::size_t size) { Add(id, offset, size, R::Field); }
    void Text(int id, std::size_t offset, std::size_t size) { Add(id, offset, size, R::Text); }
    void Filler(int id) { Add(id, 0, 2, R::Filler); }

    // Slots 0, 1, 2, then 4..7 of a set from `firstId`; slot 3 has its own id.
    void QuadSet(int firstId, std::size_t offset) {
        for (int slot : {0, 1, 2, 4, 5, 6, 7}) Field(firstId++, offset + 8 * slot, 8);
    }
    // Five doubles and two bytes per hole item: ids base + 7k ... base + 7k + 6.
    void Holes(int baseId, std::size_t offset, int count) {
        for (int k = 0; k < count; ++k) {
            std::size_t at = offset + sizeof(HoleItem) * k;
            int id = baseId + 7 * k;
            for (int i = 0; i < 5; ++i) Field(id++, at + 8 * i, 8);
            Field(id++, at + offsetof(HoleItem, Special), 1);
            Field(id, at + offsetof(HoleItem, Flags), 1);
        }
    }
    // Three doubles and a byte per bar item: ids base + 4k ... base + 4k + 3.
    void Bars(int baseId, std::size_t offset, int count) {
        for (int k = 0; k < count; ++k) {
            std::size_t at = offset + sizeof(BarItem) * k;
            int id = baseId + 4 * k;
            for (int i = 0; i < 3; ++i) Field(id++, at + 8 * i, 8);
            Field(id, at + offsetof(BarItem, Flags), 1);
        }
    }

    std::vector<R> records;

private:
    void Add(int id, std::size_t offset, std::size_t size, R::Kind kind) {
        records.push_back({static_cast<std::uint16_t>(id), static_cast<std::uint16_t>(offset),
                           static_cast<std::uint16_t>(size), kind});
    }
};

std::size_t Item(int k) { return offsetof(P, TombstoneItems) + sizeof(TombstoneItem) * k; }
std::size_t Side(int k) { return offsetof(P, SideWalls) + sizeof(SideWallItem) * k; }

// The writing order of the file.
std::vector<R> BuildRecords() {
    RecordList l;
    l.Field(18, offsetof(P, SlabWidth), 4);
    l.Field(19, offsetof(P, SlabHeight), 4);
    l.Field(20, offsetof(P, PolygonSides), 2);
    const std::size_t reals21[] = {offsetof(P, PolygonSide),     offsetof(P, PolygonCircumradius),
                                   offsetof(P, PolygonInradius), offsetof(P, PolygonFillet),
                                   offsetof(P, PolygonRotation), offsetof(P, RectWidth),
                                   offsetof(P, RectHeight),      offsetof(P, RectFillet)};
    for (int i = 0; i < 8; ++i) l.Field(21 + i, reals21[i], 6);
    for (int k = 0; k < 4; ++k) l.QuadSet(29 + 7 * k, offsetof(P, QuadSets) + 64 * k);
    for (int k = 0; k < 4; ++k) l.Field(582 + k, offsetof(P, QuadSets) + 64 * k + 24, 8);
    for (int b = 0; b < 2; ++b) {
        std::size_t at = offsetof(P, SpareQuadSets) + 64 * b;
        l.QuadSet(586 + 8 * b, at);
        l.Field(593 + 8 * b, at + 24, 8);
    }
    l.Field(57, offsetof(P, EllipseWidth), 6);
    l.Field(58, offsetof(P, EllipseHeight), 6);
    l.Field(59, offsetof(P, EllipseFillet), 6);
    l.Field(60, offsetof(P, CutsHorizontalCount), 4);
    l.Field(61, offsetof(P, CutsHorizontalLength), 6);
    l.Field(62, offsetof(P, CutsHorizontalPitch), 6);
    l.Field(63, offsetof(P, CutsVerticalCount), 4);
    l.Field(64, offsetof(P, CutsVerticalLength), 6);
    l.Field(65, offsetof(P, CutsVerticalPitch), 6);
    l.Field(66, offsetof(P, KitchenWidth), 8);
    l.Field(67, offsetof(P, KitchenHeight), 8);
    for (int i = 0; i < 6; ++i) l.Field(68 + i, offsetof(P, KitchenHoleCount) + 4 * i, 4);
    l.Field(74, offsetof(P, KitchenUnused568), sizeof(P::KitchenUnused568));
    l.Holes(75, offsetof(P, KitchenHoles), 3);
    l.Bars(96, offsetof(P, KitchenHorizontalBars), 6);
    l.Bars(120, offsetof(P, KitchenVerticalBars), 8);
    l.Bars(152, offsetof(P, KitchenJointCuts), 2);
    l.Bars(160, offsetof(P, KitchenHorizontalThrough), 2);
    l.Bars(168, offsetof(P, KitchenVerticalThrough), 2);
    l.Field(176, offsetof(P, BathTapCount), 4);
    for (int i = 0; i < 19; ++i) l.Field(177 + i, offsetof(P, BathWidth) + 8 * i, 8);
    for (int k = 0; k < 3; ++k) {
        l.Field(196 + 2 * k, offsetof(P, BathTaps) + 16 * k, 8);
        l.Field(197 + 2 * k, offsetof(P, BathTaps) + 16 * k + 8, 8);
    }
    for (int i = 0; i < 4; ++i) l.Field(202 + i, offsetof(P, CornerWidth) + 8 * i, 8);
    for (int i = 0; i < 4; ++i) l.Field(206 + i, offsetof(P, CornerHoleCount) + 4 * i, 4);
    l.Holes(210, offsetof(P, CornerHoles), 3);
    l.Bars(231, offsetof(P, CornerHorizontalBars), 6);
    l.Bars(255, offsetof(P, CornerVerticalBars), 8);
    l.Filler(287);
    l.Field(288, offsetof(P, TextOption1), 1);
    l.Field(289, offsetof(P, TextOption2), 1);
    for (int id = 290; id <= 399; ++id) l.Filler(id);
    for (int slot : {0, 1, 2}) l.Field(400 + slot, offsetof(P, QuadSet4) + 8 * slot, 8);
    for (int slot : {4, 5, 6, 7}) l.Field(399 + slot, offsetof(P, QuadSet4) + 8 * slot, 8);
    l.Field(407, offsetof(P, CutWidth), 6);
    l.Field(408, offsetof(P, OptionBits), 2);
    l.Field(409, offsetof(P, ActiveTab), 4);
    for (int k = 0; k < 16; ++k) l.Text(410 + k, offsetof(P, MarkingText) + 31 * k, 31);
    for (int k = 0; k < 16; ++k) l.Field(426 + k, offsetof(P, MarkingColor) + 4 * k, 4);
    for (int k = 0; k < 16; ++k) l.Field(442 + k, offsetof(P, MarkingQuantity) + 4 * k, 4);
    for (int k = 0; k < 16; ++k) l.Field(458 + k, offsetof(P, MarkingDirection) + 4 * k, 4);
    for (int i = 0; i < 8; ++i) l.Field(474 + i, offsetof(P, StepLeftDepth) + 8 * i, 6);
    l.Text(482, offsetof(P, StepOuterMachining), 129);
    l.Text(483, offsetof(P, StepInnerMachining), 129);
    l.Field(484, offsetof(P, StepSideExit), 4);
    l.Text(485, offsetof(P, BackgroundImage), 129);
    for (int k = 0; k < 16; ++k) {
        l.Field(486 + 6 * k, Item(k) + offsetof(TombstoneItem, X), 4);
        l.Field(487 + 6 * k, Item(k) + offsetof(TombstoneItem, Y), 4);
        l.Field(488 + 6 * k, Item(k) + offsetof(TombstoneItem, SizeX), 4);
        l.Field(489 + 6 * k, Item(k) + offsetof(TombstoneItem, SizeY), 4);
        l.Text(490 + 6 * k, Item(k) + offsetof(TombstoneItem, FirstFileName), 129);
        l.Field(491 + 6 * k, Item(k) + offsetof(TombstoneItem, Flags), 4);
    }
    l.Field(602, offsetof(P, CircularHoleCount), 4);
    l.Field(603, offsetof(P, CircularHoleDiameter), 6);
    l.Text(604, offsetof(P, CircularHoleMachining), 129);
    for (int k = 0; k < 8; ++k) {
        std::size_t at = offsetof(P, CircularHoles) + sizeof(CircularHoleItem) * k;
        l.Field(605 + 3 * k, at + offsetof(CircularHoleItem, Corner), 4);
        l.Field(606 + 3 * k, at + offsetof(CircularHoleItem, X), 6);
        l.Field(607 + 3 * k, at + offsetof(CircularHoleItem, Y), 6);
    }
    l.Field(629, offsetof(P, CopingLeftWidth), 6);
    l.Field(630, offsetof(P, CopingRightWidth), 6);
    l.Field(631, offsetof(P, CopingUpperRadius), 6);
    l.Field(632, offsetof(P, CopingLowerRadius), 6);
    l.Field(633, offsetof(P, CopingAxialRadius), 6);
    l.Field(634, offsetof(P, CopingTopReinforcement), 6);
    l.Field(635, offsetof(P, CopingBottomReinforcement), 6);
    l.Field(636, offsetof(P, CopingRightReinforcement), 6);
    l.Field(637, offsetof(P, CopingLeftReinforcement), 6);
    l.Field(638, offsetof(P, CopingReinforcementBits), 1);
    l.Field(639, offsetof(P, CopingAxialSag), 6);
    l.Field(640, offsetof(P, CopingAxialWidth), 6);
    l.Field(641, offsetof(P, MatrixColumns), 4);
    l.Field(642, offsetof(P, MatrixRows), 4);
    l.Field(643, offsetof(P, MatrixHorizontalIncrement), 4);
    l.Field(644, offsetof(P, MatrixVerticalIncrement), 4);
    l.Field(645, offsetof(P, MatrixHorizontalFromContact), 1);
    l.Field(646, offsetof(P, MatrixVerticalFromContact), 1);
    l.Field(647, offsetof(P, MarkingX), 4);
    l.Field(648, offsetof(P, MarkingY), 4);
    for (int k = 0; k < 16; ++k) {
        l.Text(649 + 2 * k, Item(k) + offsetof(TombstoneItem, SecondFileName), 129);
        l.Field(650 + 2 * k, Item(k) + offsetof(TombstoneItem, Text), sizeof(TombstoneItem::Text));
    }
    for (int k = 0; k < 16; ++k) l.Field(681 + k, Item(k) + offsetof(TombstoneItem, RefX), 4);
    for (int k = 0; k < 16; ++k) l.Field(697 + k, Item(k) + offsetof(TombstoneItem, RefY), 4);
    for (int k = 0; k < 4; ++k) l.Field(749 + k, Side(k) + offsetof(SideWallItem, Flags), 1);
    for (int k = 0; k < 4; ++k) l.Field(753 + k, Side(k) + offsetof(SideWallItem, Value4), 4);
    for (int k = 0; k < 4; ++k) l.Field(757 + k, Side(k) + offsetof(SideWallItem, Height), 4);
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k) l.Field(761 + 4 * i + k, Side(k) + offsetof(SideWallItem, Inclination) + 4 * i, 4);
    for (int i = 0; i < 4; ++i) l.Field(777 + i, offsetof(P, KitchenInclination) + 4 * i, 4);
    l.Field(781, offsetof(P, SideWallDistance), 4);
    l.Field(782, offsetof(P, SideWallGeneralHeight), 4);
    return std::move(l.records);
}

struct RecordTable {
    std::vector<R> records;
    std::array<std::int16_t, kMaxRecordId + 1> index;
};

const RecordTable& Table() {
    static const RecordTable table = [] {
        RecordTable t{BuildRecords(), {}};
        t.index.fill(-1);
        for (std::size_t i = 0; i < t.records.size(); ++i)
            if (t.records[i].kind != R::Filler) t.index[t.records[i].id] = static_cast<std::int16_t>(i);
        return t;
    }();
    return table;
}

}  // namespace

std::span<const TemplateFileRecord> TemplateFileRecords() { return Table().records; }

const TemplateFileRecord* FindTemplateFileRecord(std::uint16_t id) {
    if (id > kMaxRecordId) return nullptr;
    std::int16_t i = Table().index[id];
    return i < 0 ? nullptr : &Table().records[static_cast<std::size_t>(i)];
}

// ---- reading ---------------------------------------------------------------------

void LoadConfigByVars(KvdStream* stream, TemplateParameters& p) {
    ClearTemplateParameters(p);
    auto* bytes = reinterpret_cast<std::uint8_t*>(&p);
    try {
        TaggedReader reader(stream, "LoadConfigByVars");
        TaggedHeader h;
        int lastId = -1;
        while (lastId != kConfigEndId && reader.Next(h)) {
            lastId = h.id;
            if (h.length == 0) continue;
            if (!reader.PayloadFits(h)) continue;
            if (h.id == 0 || h.id == kTaggedLengthId || h.id == kConfigEndId) {
                reader.SkipPayload(h);
            } else if (const TemplateFileRecord* r = FindTemplateFileRecord(h.id)) {
                reader.CopyPayload(h, bytes + r->offset, r->size);
            } else {
                reader.SkipExtra(h);
            }
        }
    } catch (const std::exception& e) {
        WriteLog(std::string("LoadConfigByVars ERROR: ") + e.what());
    }
    CleanTombstoneItems(p);
}

bool LoadConfigByVars(const std::string& path, TemplateParameters& p) {
    StreamPtr s;
    try {
        s.reset(OpenFileStream(path, FileMode::Read));
    } catch (const Error& e) {
        WriteLog(std::string("LoadConfigByVars ERROR: ") + e.what());
        return false;
    }
    LoadConfigByVars(s.get(), p);
    return true;
}

void CleanTombstoneItems(TemplateParameters& p, int decimals) {
    const double scale = std::pow(10.0, decimals);
    // Rounded to the working precision (ties to even); NaN counts as not positive.
    auto positive = [scale](float v) { return std::nearbyint(static_cast<double>(v) * scale) > 0.0; };
    for (TombstoneItem& item : p.TombstoneItems) {
        const int kind = item.Kind();
        bool drop = !positive(item.SizeX);
        if ((kind == 1 || kind == 2 || kind == 4) && !positive(item.SizeY)) drop = true;
        if (kind == kItemText && item.Text[0] == 0) drop = true;
        if (drop) std::memset(static_cast<void*>(&item), 0, sizeof item);
    }
}

// ---- writing ---------------------------------------------------------------------

void SaveConfigByVars(KvdStream* stream, const TemplateParameters& p) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&p);
    const std::int64_t start = StreamPosition(stream);
    WriteTaggedU16(stream, 0, kTaggedMagic);
    const std::int64_t lengthAt = StreamPosition(stream);
    WriteTaggedLength(stream, 0);
    std::uint8_t text[256];
    for (const TemplateFileRecord& r : TemplateFileRecords()) {
        const std::uint8_t* field = bytes + r.offset;
        switch (r.kind) {
            case R::Field:
                WriteTaggedRecord(stream, r.id, r.size, field);
                break;
            case R::Text: {
                // Current length + 1; a length byte beyond the field is clamped.
                std::size_t n = std::min<std::size_t>(field[0], r.size - 1u);
                text[0] = static_cast<std::uint8_t>(n);
                std::memcpy(text + 1, field + 1, n);
                WriteTaggedRecord(stream, r.id, static_cast<std::uint16_t>(n + 1), text);
                break;
            }
            case R::Filler:
                WriteTaggedU16(stream, r.id, r.id);
                break;
        }
    }
    WriteTaggedU16(stream, kConfigEndId, kTaggedEndMagic);
    const std::int64_t end = StreamPosition(stream);
    StreamSeek(stream, lengthAt);
    WriteTaggedLength(stream, end - start);
    StreamSeek(stream, end);
}

bool SaveConfigByVars(const std::string& path, const TemplateParameters& p) {
    try {
        AtomicFileWriter writer(path);
        SaveConfigByVars(writer.stream(), p);
        writer.Commit();
        return true;
    } catch (const Error& e) {
        WriteLog(std::string("SaveConfigByVars ERROR: ") + e.what());
        return false;
    }
}

// ---- the dialog's load and save ----------------------------------------------------

namespace {

bool IsFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// The older settings file: a raw copy of the record. A file shorter than one
// record is not used.
void LoadOlderSettings(const std::string& path, TemplateParameters& p) {
    try {
        StreamPtr s(OpenFileStream(path, FileMode::Read));
        TemplateParameters raw;
        std::int64_t n = StreamRead(s.get(), &raw, sizeof raw);
        if (n != static_cast<std::int64_t>(sizeof raw)) {
            WriteLog("LoadTemplateSettings ERROR: \"" + path + "\" holds " + std::to_string(n) +
                     " bytes, a record needs " + std::to_string(sizeof raw));
            return;
        }
        p = raw;
        // References to run-time data of the process that wrote the file mean nothing here.
        for (TombstoneItem& item : p.TombstoneItems) std::memset(item.RunTime, 0, sizeof item.RunTime);
        p.DirectionTypedFlags = 0;
    } catch (const Error& e) {
        WriteLog(std::string("LoadTemplateSettings ERROR: ") + e.what());
    }
}

}  // namespace

void LoadTemplateSettings(const std::string& folder, TemplateParameters& p,
                          QuadrilateralSet (&working)[kQuadrilateralKinds], MatrixSettings& matrix) {
    SetTemplateDefaults(p, working);
    const std::string current = platform::JoinHostPath(folder, kTemplateSettingsFile);
    const std::string older = platform::JoinHostPath(folder, kOlderTemplateSettingsFile);
    if (IsFile(current)) {
        LoadConfigByVars(current, p);
    } else if (IsFile(older)) {
        LoadOlderSettings(older, p);
    }
    for (int k = 0; k < 4; ++k) working[k] = p.QuadSets[k];
    working[4] = p.QuadSet4;
    if (p.ActiveTab < 0 || p.ActiveTab >= kTemplateTabCount) p.ActiveTab = 0;
    matrix.Columns = p.MatrixColumns;
    matrix.Rows = p.MatrixRows;
    matrix.HorizontalIncrement = p.MatrixHorizontalIncrement;
    matrix.VerticalIncrement = p.MatrixVerticalIncrement;
    matrix.HorizontalFromContact = p.MatrixHorizontalFromContact;
    matrix.VerticalFromContact = p.MatrixVerticalFromContact;
}

void LoadTemplateSettings() {
    LoadTemplateSettings(platform::HostFolder(), TemplateParams, WorkingQuadSets, WorkingMatrix);
}

bool SaveTemplateSettings(const std::string& folder, int activeTab, TemplateParameters& p,
                          const QuadrilateralSet (&working)[kQuadrilateralKinds], const MatrixSettings& matrix) {
    for (int k = 0; k < 4; ++k) p.QuadSets[k] = working[k];
    p.QuadSet4 = working[4];
    p.ActiveTab = activeTab;
    p.MatrixColumns = matrix.Columns;
    p.MatrixRows = matrix.Rows;
    p.MatrixHorizontalIncrement = static_cast<float>(matrix.HorizontalIncrement.ToLongDouble());
    p.MatrixVerticalIncrement = static_cast<float>(matrix.VerticalIncrement.ToLongDouble());
    p.MatrixHorizontalFromContact = matrix.HorizontalFromContact;
    p.MatrixVerticalFromContact = matrix.VerticalFromContact;
    return SaveConfigByVars(platform::JoinHostPath(folder, kTemplateSettingsFile), p);
}

bool SaveTemplateSettings(int activeTab) {
    return SaveTemplateSettings(platform::HostFolder(), activeTab, TemplateParams, WorkingQuadSets, WorkingMatrix);
}

}  // namespace kvd
