#include "templates/template_output.h"

#include <cstring>

#include "base/containers.h"
#include "base/host_settings.h"
#include "base/number_format.h"
#include "templates/app_link.h"
#include "templates/duplication_matrix.h"
#include "templates/regeneration.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

namespace {

constexpr std::size_t kTextChunk = 44;
constexpr std::uint8_t kSlotMarking = 0, kSlotOuterMachining = 1, kSlotInnerMachining = 2, kSlotHoleMachining = 3,
                       kSlotFirstItem = 4;

bool ValidKind(int kind) { return kind >= 0 && kind < 16; }

void AppendRecord(const TTempElement& r) {
    CurrentElement = r;
    AppendToCurrentContainer();
}

std::string ItemText(const TombstoneItem& it) {
    return "X" + FormatRealDefault(it.X) + " Y" + FormatRealDefault(it.Y) + " W" + FormatRealDefault(it.SizeX) +
           " H" + FormatRealDefault(it.SizeY) + " Z" + FormatRealDefault(it.SizeY) + " " + it.FirstFileName.str();
}

std::string Fixed(long double v) { return FormatRealFixed(6, v); }

}  // namespace

void AppendTextRecords(std::string_view text, std::uint16_t firstKind, std::uint16_t moreKind, std::uint8_t slot) {
    if (text.empty()) return;
    std::string bytes(text);
    bytes.push_back('\0');
    for (std::size_t at = 0; at < bytes.size(); at += kTextChunk) {
        char chunk[kTextChunk] = {};
        std::memcpy(chunk, bytes.data() + at, std::min(kTextChunk, bytes.size() - at));
        TTempElement r{};
        r.Kind = at == 0 ? firstKind : moreKind;
        r.Slot = slot;
        auto* raw = reinterpret_cast<unsigned char*>(&r);
        std::memcpy(raw + 2, chunk, 2);        // Param
        std::memcpy(raw + 8, chunk + 2, 42);   // X .. Aux
        AppendRecord(r);
    }
}

std::string TextOfRecords(const TTempElement* first) {
    std::string s;
    for (const TTempElement* e = first; e; e = e->Next) {
        if (e != first && e->Kind == first->Kind) break;  // the next text begins
        const auto* raw = reinterpret_cast<const char*>(e);
        char chunk[kTextChunk];
        std::memcpy(chunk, raw + 2, 2);
        std::memcpy(chunk + 2, raw + 8, 42);
        for (char c : chunk) {
            if (c == '\0') return s;
            s.push_back(c);
        }
    }
    return s;
}

bool QuantityForced(int kind, std::uint16_t optionBits) {
    switch (kind) {
        case kKindRectangle: return (optionBits & kOptionMatrixRectangle) != 0;
        case kKindRegular: return (optionBits & kOptionMatrixRegular) != 0;
        case kKindIrregular: return (optionBits & kOptionMatrixIrregular) != 0;
        case kKindKitchen: return (optionBits & kOptionCentredHorizontal) != 0;
        default: return false;
    }
}

TTempElement AttributeRecord(int kind, const TemplateParameters& p) {
    TTempElement r{};
    r.Kind = rkMarking;
    if (!ValidKind(kind)) return r;
    const bool forced = QuantityForced(kind, p.OptionBits);
    r.Param = forced ? 1 : static_cast<std::uint16_t>(p.MarkingQuantity[kind] & 0xFFFF);
    const auto colour = static_cast<std::uint32_t>(p.MarkingColor[kind]);
    r.ColorR = colour & 0xFF;
    r.ColorG = (colour >> 8) & 0xFF;
    r.ColorB = (colour >> 16) & 0xFF;
    r.Y = p.MarkingDirection[kind];
    r.Correction = static_cast<float>(p.StepLeftDepth.ToLongDouble());
    r.Inclination = static_cast<float>(p.StepDepthIncrement.ToLongDouble());
    r.Aux = static_cast<float>(p.StepThickness.ToLongDouble());
    r.Flags = ((p.DirectionTypedFlags >> kind) & 1u) | (forced ? 2u : 0u);
    return r;
}

std::string AttributeCommandText(int kind, const TemplateParameters& p) {
    const TTempElement r = AttributeRecord(kind, p);
    std::string t = "R" + std::to_string(r.ColorR) + "G" + std::to_string(r.ColorG) + "B" + std::to_string(r.ColorB) +
                    "I" + std::to_string(r.Param) + "D" + Fixed(r.Y) + "X" + Fixed(r.Correction) + "Y" +
                    Fixed(r.Inclination) + "Z" + Fixed(r.Aux) + "T" + std::to_string(r.Flags);
    if (r.Flags & 2u) t += "M1";
    return t;
}

void MarkDirectionTyped(int kind) {
    // Every kind with a "Direzione" edit but the coping (the tombstone has none).
    if (kind < 0 || kind > kKindStep || kind == kKindTombstone) return;
    TemplateParams.DirectionTypedFlags = static_cast<std::uint16_t>(TemplateParams.DirectionTypedFlags | (1u << kind));
}

void StringheToTemp(bool sendMode) {
    const TemplateParameters& p = TemplateParams;
    const int kind = MarkingIndex;
    auto text = [&](int code, std::string_view s, const char* waitName, std::uint8_t slot, std::uint16_t first,
                     std::uint16_t more) {
        if (sendMode)
            SendCommandWaiting(code, kAppLinkTimeoutMs, s, waitName);
        else
            AppendTextRecords(s, first, more, slot);
    };

    if (kind >= 0 && ValidKind(kind) && Host.MarkingRecordsEnabled()) {
        if (sendMode) SendCommandWaiting(63, kAppLinkTimeoutMs, " ", "StringheToTemp");
        text(101, p.MarkingText[kind].view(), "StringheToTemp", kSlotMarking, rkMarkingName, rkMarkingNameMore);
        if (sendMode)
            SendCommandWaiting(102, kAppLinkTimeoutMs, AttributeCommandText(kind, p), "StringheToTemp");
        else
            AppendRecord(AttributeRecord(kind, p));
        if (kind == kKindRectangle) {
            const std::string name = p.CircularHoleMachining.empty() ? " " : p.CircularHoleMachining.str();
            text(105, name, "StringheToTemp/SeqLav", kSlotHoleMachining, rkText, rkTextMore);
        }
        if (kind == kKindStep) {
            text(103, p.StepOuterMachining.view(), "StringheToTemp/SeqLav1", kSlotOuterMachining, rkText, rkTextMore);
            text(104, p.StepInnerMachining.view(), "StringheToTemp/SeqLav2", kSlotInnerMachining, rkText, rkTextMore);
        }
    }

    if (kind == kKindTombstone) {
        // The bas-relief item texts go to the list in both modes.
        for (int k = 0; k < 16; ++k) {
            const TombstoneItem& it = p.TombstoneItems[k];
            if (it.Kind() != kItemRelief) continue;
            AppendTextRecords(ItemText(it), rkText, rkTextMore, static_cast<std::uint8_t>(kSlotFirstItem + k));
        }
    }

    if (sendMode) {
        SendCommandWaiting(106, kAppLinkTimeoutMs, "M" + std::to_string(kind), "StringheToTemp/LastMarca");
    } else {
        TTempElement r{};
        r.Kind = rkClosing;
        r.Param = static_cast<std::uint16_t>(kind & 0xFFFF);
        AppendRecord(r);
    }
}

std::string TemplateCommandText(std::string_view prefix) {
    return std::string(prefix) + "M" + std::to_string(MarkingIndex) + (MatrixApplied ? "D1" : "D0") + "S" +
           std::to_string(kAppLinkAnswerMessage) + "H" + std::to_string(AppLink().formHandle);
}

void SendTemplateCommand(std::string_view prefix) { SendAppLinkWaitingAnswers(15, TemplateCommandText(prefix)); }

bool SendToLintra(const std::function<void()>& scheduleRegeneration) {
    if (!FirstContainerElements() || !AppLink().endpoint.Active()) return false;
    SendTemplateCommand("N2");
    SendAppLinkWaitingAnswers(47, "A6");
    StringheToTemp(true);
    // The list is taken again: the waits above run the dialog's handlers.
    SendDrawingWaitingAnswers(FirstContainerElements(), 48, 92, true, false, 6, 0, 0);
    TemplateModified = false;
    if (scheduleRegeneration) scheduleRegeneration();
    return true;
}

}  // namespace kvd
