// Output of the confirmed template to the host (StringheToTemp in list mode)
// and sending it to the sibling cutting program over the app link (send
// mode, BitBtnSendLintraClick).
//
// Dialog side: after the confirmed modal run call StringheToTemp(false); wire
// BitBtnSendLintra's click and F10 (key 121 in FormKeyUp) to
// SendToLintra(scheduleRegeneration), passing the dialog's
// ScheduleRegeneration. A "Direzione" edit's change calls
// MarkDirectionTyped(kind).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "kvd/element.h"
#include "templates/template_parameters.h"

namespace kvd {

// Text records: the bytes of `text` and one zero byte, 44 per record (bytes
// 1-2 in Param, 3-44 at offsets 8..49); the first record has `firstKind`,
// the others `moreKind`; all carry `slot`. Nothing for an empty text.
void AppendTextRecords(std::string_view text, std::uint16_t firstKind, std::uint16_t moreKind, std::uint8_t slot);
// The text that a chain of text records holds (up to the zero byte).
std::string TextOfRecords(const TTempElement* first);

// The quantity is forced to 1: Rettangolo/Regolare/Irregolare with their
// "Matrice" bit, "Piano cucina" with option bit 9.
bool QuantityForced(int kind, std::uint16_t optionBits);
// The attribute record (Kind 10) of a kind.
TTempElement AttributeRecord(int kind, const TemplateParameters& p);
// The send-mode text of the attribute record ("R..G..B..I..D..X..Y..Z..T..[M1]").
std::string AttributeCommandText(int kind, const TemplateParameters& p);

// Sets the direction-typed bit of a kind (TemplateParameters::DirectionTypedFlags).
void MarkDirectionTyped(int kind);

// List mode appends to the current container; send mode posts the same over
// the app link. Reads TemplateParams, MarkingIndex and Host.
void StringheToTemp(bool sendMode);

// Code 15: prefix + "M" kind + "D1"/"D0" + "S33173" + "H" + form handle.
std::string TemplateCommandText(std::string_view prefix);
void SendTemplateCommand(std::string_view prefix);

// The send to Lintra: nothing unless the first container has elements and
// the app link is active. Clears TemplateModified and calls
// scheduleRegeneration at the end. True when it sent.
bool SendToLintra(const std::function<void()>& scheduleRegeneration);

}  // namespace kvd
