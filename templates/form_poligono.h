// TPoligono, the templates form "Forme parametrizzate": eleven tabs of
// parameters on the left, the live preview on the right, OK / "Chiudi" and
// the send to the sibling cutting program below the tabs.
//
// Life of the form in one dialog run: creation loads "KvdTemplates.DEF" and
// prepares editing; showing localises the form, puts the parameters into
// the controls and schedules the first regeneration; every change of a
// parameter schedules a regeneration 500 ms after the last change
// (TimerRitraccia); closing writes the tombstone list when confirmed;
// destruction saves "KvdTemplates.DEF" and releases the preview's overlay
// edits. The editing handlers and EnabDisab are in parameter_editing.cpp.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "templates/generators/irregular_polygon.h"
#include "templates/parameter_editing_slots.h"
#include "templates/template_tabs.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace kvd {

// The edits that get an overlay edit on the preview, named "Box" + name.
inline constexpr int kOverlayEditCount = 29;
extern const char* const kOverlayEditNames[kOverlayEditCount];

class TPoligono : public ui::Form {
public:
    TPoligono();
    ~TPoligono() override;

    // ---- state of editing ---------------------------------------------
    bool Putting = true;            // the form writes controls itself: handlers return at once
    bool ForcingItemIndex = false;  // an item selection is being forced
    int LastItemIndex = 0;          // polygon kind of "Irregolare" shown (0..5)
    int CurrentTombstoneItem = -1;  // item of "Lapide" being edited, -1 none
    int RegenerationCount = 0;      // regenerations run by this form (diagnostics, tests)

    TemplateTab ActiveTab() const;
    void ScheduleRegeneration();

    // ---- lifecycle ------------------------------------------------------
    void FormCreate();
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void FormDestroy();
    void FormKeyUp(int key, ui::ShiftState shift);
    void TimerRitracciaTimer();
    void ShowIrregularDerivedValues(IrregularTrigger trigger);
    void BitBtn8Click();
    void BitBtnSendLintraClick();
    void BitBtnMatriceClick(ui::BitButton& button);

    // ---- parameter editing (parameter_editing.cpp) ------------------------
    // Reads the controls of the marked slots into TemplateParameters (the
    // "Irregolare" values into working set `kind`), then schedules a
    // regeneration.
    void ControlsToParameters(const templates::SlotMask& mask, int kind);
    // Shows the fields of the marked slots in their controls, with Putting
    // set (nothing when it is already set).
    void ParametersToControls(const templates::SlotMask& mask, int kind);
    void EnabDisab();

    void Edit7Change(ui::Edit& edit);
    void CheckBox1Click(ui::CheckBox& box);
    void RadioGroup1Click();
    void RadioGroup2Click(ui::RadioGroup& group);
    void RadioGroup3Click(ui::RadioGroup& group);
    void RadioGroup10Click();
    void CheckListBox1Click();
    void ColorBox1Select(ui::ColorBox& box);
    void MemoScritturaChange();
    void PageControl1Change();
    void PageControl2Change();
    void BitBtn3Click();
    void BitBtn4Click();

private:
    void BuildControls();
    void WireHandlers();
    void CreateOverlayEdits();
    void ApplyEditingSetup();
    void LoadMachinings();
    void LocaliseAndCopyCaptions();
    void LayoutPreview();
    void ShowItemChoices();
    void SendKitchenGroupCommand();
    void UpdatePreviewControls();

    // parameter_editing.cpp
    void ShowSlot(const templates::SlotDef& def, int kind);
    void ReadSlot(const templates::SlotDef& def, int kind);
    void RefillItems(const templates::SlotDef& def, bool maxCaption, bool activatePage);
    void UpdateLinkedHole();
    void LinkedHoleEdited();
    void KeepTombstoneProportion(int slot, templates::SlotMask& mask);
    void ReadAlwaysReadChoices();
    std::uint8_t* SlotField(const templates::SlotDef& def) const;

    bool linkedHoleGuard_ = false;
    std::vector<ui::Edit*> overlays_;
};

}  // namespace kvd
