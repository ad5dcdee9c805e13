#include "templates/form_poligono.h"

#include <cmath>
#include <filesystem>

#include "base/containers.h"
#include "base/host_settings.h"
#include "base/log.h"
#include "base/number_format.h"
#include "base/version_text.h"
#include "base/work_record.h"
#include "platform/host_folder.h"
#include "templates/app_link.h"
#include "templates/dialog_run.h"
#include "templates/dimension_marks.h"
#include "templates/duplication_matrix.h"
#include "templates/form_matrice.h"
#include "templates/form_tabs.h"
#include "templates/generators/irregular_polygon.h"
#include "templates/generators/step.h"
#include "templates/host_language.h"
#include "templates/parameter_editing_text.h"
#include "templates/preview_painter.h"
#include "templates/regeneration.h"
#include "templates/template_output.h"
#include "templates/template_parameters.h"
#include "templates/template_settings_file.h"
#include "templates/tombstone_list.h"
#include "ui/application.h"
#include "ui/canvas.h"

namespace kvd {

const char* const kOverlayEditNames[kOverlayEditCount] = {
    "Edit120", "Edit13",  "Edit141", "Edit142", "Edit143", "Edit144", "Edit149", "Edit150", "Edit151", "Edit90",
    "Edit161", "Edit162", "Edit163", "Edit157", "Edit158", "Edit159", "Edit160", "Edit164", "Edit165", "Edit166",
    "Edit167", "Edit168", "Edit169", "Edit170", "Edit171", "Edit172", "Edit173", "Edit174", "Edit175"};

namespace {

constexpr int kFormWidth = 1100;
constexpr int kFormHeight = 720;

// The side walls of the kitchen: the host offers them unless its records
// 1503 and 1504 say otherwise.
constexpr const char* kSideWallPage = "TabSheet19";

// Machine types (low three bits of the host's byte 37) that have the
// kitchen, bathroom, corner and tombstone tabs.
bool MachineHasTopTabs(std::uint8_t optionByte37) {
    int t = optionByte37 & 7;
    return t == 0 || t == 3 || t == 4;
}

int EditNumber(const std::string& name) {
    // "Edit120" -> 120
    return std::atoi(name.c_str() + 4);
}

}  // namespace

TPoligono::TPoligono() : Form("Poligono") {
    SetCaption("Forme parametrizzate");
    SetClientSize(kFormWidth, kFormHeight);
    SetPosition(ui::FormPosition::ScreenCenter);
    BuildControls();
    OnCreate = [this] { FormCreate(); };
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    OnDestroy = [this] { FormDestroy(); };
    OnKeyUp = [this](int key, ui::ShiftState s) { FormKeyUp(key, s); };
    OnResize = [this] { LayoutPreview(); };
}

TPoligono::~TPoligono() {
    // A form freed without its destroy event (the process ending) must not
    // leave dangling edits in the box registry.
    if (!overlays_.empty()) DisposeDimensionBoxes();
}

void TPoligono::BuildControls() {
    using namespace templates;
    Build(FormFrameTable());
    for (auto table : {TabRegolareTable(), TabRettangoloTable(), TabIrregolareTable(), TabEllisseTable(),
                       TabTagliTable(), TabCucinaTable(), TabBagnoTable(), TabAngoloTable(), TabLapideTable(),
                       TabScalinoTable(), TabCopertinaTable()})
        Build(table);

    auto& s1 = Get<ui::Shape>("Shape1");
    s1.SetType(ui::ShapeType::Circle);
    s1.SetBrush({ui::clYellow, ui::BrushStyle::Solid});
    auto& s2 = Get<ui::Shape>("Shape2");
    s2.SetType(ui::ShapeType::Circle);
    s2.SetBrush({ui::clYellow, ui::BrushStyle::DiagCross});
    Get<ui::Label>("Label14").SetColor(ui::clSilver);
    Get<ui::Label>("LabelOffsetDestra").SetVisible(false);
    Get<ui::Label>("LabelOffsetSinistra").SetVisible(false);
    Get<ui::BitButton>("BitBtn20").SetVisible(false);
    Get<ui::Panel>("Panel1").SetVisible(false);
    WireHandlers();
}

void TPoligono::WireHandlers() {
    for (const auto& c : Components()) {
        Component* comp = c.get();
        if (auto* e = dynamic_cast<ui::Edit*>(comp)) {
            e->OnChange = [this, e] { Edit7Change(*e); };
        } else if (auto* b = dynamic_cast<ui::CheckBox*>(comp)) {
            b->OnClick = [this, b] { CheckBox1Click(*b); };
        } else if (auto* cb = dynamic_cast<ui::ColorBox*>(comp)) {
            cb->OnSelect = [this, cb] { ColorBox1Select(*cb); };
        }
    }
    for (const char* g : {"RadioGroup2", "RadioGroup9", "RadioGroup14", "RadioGroup15", "RadioGroup16",
                          "RadioGroup17", "RadioGroup19", "RadioGroup20", "RadioGroup22"}) {
        auto& r = Get<ui::RadioGroup>(g);
        r.OnClick = [this, &r] { RadioGroup2Click(r); };
    }
    for (const char* g : {"RadioGroup3", "RadioGroup4", "RadioGroup5", "RadioGroup6", "RadioGroup7", "RadioGroup8",
                          "RadioGroup11", "RadioGroup12", "RadioGroup13", "RadioGroup18", "RadioGroup21"}) {
        auto& r = Get<ui::RadioGroup>(g);
        r.OnClick = [this, &r] { RadioGroup3Click(r); };
    }
    Get<ui::RadioGroup>("RadioGroup1").OnClick = [this] { RadioGroup1Click(); };
    Get<ui::RadioGroup>("RadioGroup10").OnClick = [this] { RadioGroup10Click(); };
    Get<ui::CheckListBox>("CheckListBox1").OnClickCheck = [this] { CheckListBox1Click(); };
    Get<ui::Memo>("MemoScrittura").OnChange = [this] { MemoScritturaChange(); };
    Get<ui::PageControl>("PageControl1").OnChange = [this] { PageControl1Change(); };
    Get<ui::PageControl>("PageControl6").OnChange = [this] { PageControl1Change(); };
    for (const char* p : {"PageControl2", "PageControl3", "PageControl4", "PageControl5"})
        Get<ui::PageControl>(p).OnChange = [this] { PageControl2Change(); };
    Get<ui::BitButton>("BitBtn3").OnClick = [this] { BitBtn3Click(); };
    Get<ui::BitButton>("BitBtn4").OnClick = [this] { BitBtn4Click(); };
    Get<ui::BitButton>("BitBtn8").OnClick = [this] { BitBtn8Click(); };
    Get<ui::BitButton>("BitBtnSendLintra").OnClick = [this] { BitBtnSendLintraClick(); };
    for (const char* m : {"BitBtnMatrice", "BitBtn5", "BitBtn6"}) {
        auto& b = Get<ui::BitButton>(m);
        b.OnClick = [this, &b] { BitBtnMatriceClick(b); };
    }
    Get<ui::Timer>("TimerRitraccia").OnTimer = [this] { TimerRitracciaTimer(); };
}

void TPoligono::CreateOverlayEdits() {
    const int w = ui::App().ScreenWidth() / 40;
    const int h = ui::App().ScreenHeight() / 40;
    auto make = [&](const char* name) {
        auto& mirrored = Get<ui::Edit>(name);
        auto& box = Add<ui::Edit>(std::string("Box") + name);
        box.SetVisible(false);
        box.SetBounds(0, 0, w, h);
        ui::Font f;
        f.name = "Arial";
        f.size = static_cast<int>(std::lround(h * 0.5));
        box.SetFont(f);
        box.SetHint(mirrored.Hint());
        box.SetCursor(ui::Cursor::HandPoint);
        box.OnChange = [this, &box] { Edit7Change(box); };
        AddDimensionBox(&mirrored, &box, EditNumber(name));
        overlays_.push_back(&box);
    };
    for (const char* name : kOverlayEditNames) make(name);
}

TemplateTab TPoligono::ActiveTab() const {
    TemplateTab tab = TemplateTab::Regolare;
    TabFromIndex(Get<ui::PageControl>("PageControl1").ActivePageIndex(), tab);
    return tab;
}

void TPoligono::ScheduleRegeneration() {
    auto& t = Get<ui::Timer>("TimerRitraccia");
    t.SetEnabled(false);
    t.SetEnabled(true);
}

// ---- creation -----------------------------------------------------------

void TPoligono::FormCreate() {
    Putting = true;
    for (const char* p : {"PageControl2", "PageControl3", "PageControl4", "PageControl5", "PageControl6"})
        Get<ui::PageControl>(p).SetActivePageIndex(0);
    CreateOverlayEdits();
    LoadTemplateSettings();
    ApplyEditingSetup();
}

void TPoligono::ApplyEditingSetup() {
    Putting = true;
    Get<ui::RadioGroup>("RadioGroup1").SetItemIndex(0);
    LastItemIndex = 0;
    CurrentTombstoneItem = -1;
    if (!Host.OffersSideWalls()) {
        TemplateParams.OptionBits &= static_cast<std::uint16_t>(~kOptionSideWalls);
        Get<ui::CheckBox>("CheckBox18").SetVisible(false);
        Get<ui::TabSheet>(kSideWallPage).SetTabVisible(false);
    }
    const std::uint16_t bits = TemplateParams.OptionBits;
    // CheckBox5 and CheckBox14 are set here too: left unticked they would hide
    // a stored option that the generators still apply.
    const std::pair<const char*, std::uint16_t> boxes[] = {
        {"CheckBox5", kOptionCutThickness},     {"CheckBox2", kOptionChamfer},
        {"CheckBox11", kOptionMatrixRectangle}, {"CheckBox12", kOptionMatrixRegular},
        {"CheckBox13", kOptionMatrixIrregular}, {"CheckBox14", kOptionSumMachinings},
        {"CheckBox18", kOptionSideWalls},       {"CheckBox19", kOptionSingleGroup},
        {"CheckBox20", kOptionGeneralHeight},   {"CheckBox22", kOptionCentredHorizontal}};
    for (const auto& [name, bit] : boxes) Get<ui::CheckBox>(name).SetChecked((bits & bit) != 0);
    Get<ui::CheckBox>("CheckBox6").SetChecked((Host.OptionBits869() & (1u << 8)) != 0);
    Get<ui::BitButton>("BitBtnWithColor1").SetHint(TemplateParams.StepOuterMachining.str());
    Get<ui::BitButton>("BitBtnWithColor2").SetHint(TemplateParams.StepInnerMachining.str());
}

// ---- show ---------------------------------------------------------------

void TPoligono::LoadMachinings() {
    // The host's current machining: its file when its name names one, else
    // the record the host handed over.
    WorkRecord work = CurrentWork;
    const std::string current = CurrentWork.Name.str();
    if (!current.empty() && std::filesystem::is_regular_file(current)) LoadMachiningFile(current, work);
    TemplateParams.CutWidth = static_cast<long double>(work.CutWidth());
    WorkRecord inner;
    inner.Clear();
    const std::string innerName = TemplateParams.StepInnerMachining.str();
    if (!innerName.empty()) LoadMachiningFile(innerName, inner);
    StepInnerToolDiameter = inner.ToolDiameter();
}

void TPoligono::LocaliseAndCopyCaptions() {
    LocaliseFromHost(*this, "Poligono");
    // Every "Marcatura" label says what the cuts tab's says.
    const std::string marking = Get<ui::Label>("LabelE107").Caption();
    for (const char* l : {"LabelE106", "LabelE103", "LabelE104", "LabelE105", "LabelE108", "LabelE109",
                          "LabelE110", "LabelE102", "LabelE152", "Label103"})
        Get<ui::Label>(l).SetCaption(marking);
    // The side pages' inclination labels say what the kitchen's say.
    const std::string top = Get<ui::Label>("LabelE90").Caption(), right = Get<ui::Label>("LabelE161").Caption(),
                      bottom = Get<ui::Label>("LabelE162").Caption(), left = Get<ui::Label>("LabelE163").Caption();
    const char* sides[4][4] = {{"LabelE157", "LabelE158", "LabelE159", "LabelE160"},
                               {"LabelE164", "LabelE165", "LabelE166", "LabelE167"},
                               {"LabelE168", "LabelE169", "LabelE170", "LabelE171"},
                               {"LabelE172", "LabelE173", "LabelE174", "LabelE175"}};
    for (auto& s : sides) {
        Get<ui::Label>(s[0]).SetCaption(top);
        Get<ui::Label>(s[1]).SetCaption(right);
        Get<ui::Label>(s[2]).SetCaption(bottom);
        Get<ui::Label>(s[3]).SetCaption(left);
    }
    auto& ticks = Get<ui::CheckListBox>("CheckListBox1");
    const char* pages[4] = {"TabSheet20", "TabSheet21", "TabSheet22", "TabSheet23"};
    for (int k = 0; k < 4 && k < ticks.ItemCount(); ++k) Get<ui::TabSheet>(pages[k]).SetCaption(ticks.Items()[k]);
}

void TPoligono::LayoutPreview() {
    // The preview fills the form right of the tab column.
    auto& pages = Get<ui::PageControl>("PageControl1");
    auto& image = Get<ui::Image>("Image1");
    const int left = pages.Left() + pages.Width() + 6;
    const int width = std::max(100, ClientWidth() - left - 8);
    const int height = std::max(100, ClientHeight() - image.Top() - 8);
    if (image.Left() != left || image.Width() != width || image.Height() != height)
        image.SetBounds(left, image.Top(), width, height);
    Get<ui::Panel>("PanelGL").SetBounds(left, image.Top(), std::min(width, height), height);
    Get<ui::Label>("Label14").SetBounds(left, 6, width, 16);
}

void TPoligono::ShowItemChoices() {
    Putting = true;
    auto choose = [this](const char* selector, const char* choice, auto value) {
        int i = Get<ui::RadioGroup>(selector).ItemIndex();
        if (i >= 0) Get<ui::RadioGroup>(choice).SetItemIndex(value(i));
    };
    choose("RadioGroup3", "RadioGroup2", [](int i) { return TemplateParams.KitchenHoles[i].Special; });
    choose("RadioGroup11", "RadioGroup9", [](int i) { return TemplateParams.CornerHoles[i].Special; });
    choose("RadioGroup11", "RadioGroup15", [](int i) { return TemplateParams.CornerHoles[i].Flags & 1; });
    choose("RadioGroup12", "RadioGroup16", [](int i) { return TemplateParams.CornerHorizontalBars[i].Flags & 1; });
    choose("RadioGroup13", "RadioGroup17", [](int i) { return TemplateParams.CornerVerticalBars[i].Flags & 1; });
    choose("RadioGroup21", "RadioGroup22", [](int i) { return TemplateParams.CircularHoles[i].Corner; });
    Get<ui::RadioGroup>("RadioGroup14").SetItemIndex(TemplateParams.CornerJoint);
}

void TPoligono::FormShow() {
    ConfirmFlag = 0;
    Putting = true;
    AppLink().formHandle = Handle();
    SetMessageHandler(kAppLinkAnswerMessage, AppLinkAnswerHandler);
    Get<ui::BitButton>("BitBtnSendLintra").SetEnabled(AppLink().endpoint.Active());

    LoadMachinings();
    const bool tops = MachineHasTopTabs(Host.OptionByte37());
    for (int t : {static_cast<int>(TemplateTab::TopBagno), static_cast<int>(TemplateTab::TopAdAngolo),
                  static_cast<int>(TemplateTab::Lapide), static_cast<int>(TemplateTab::PianoCucina)})
        Get<ui::TabSheet>(templates::kTabSheetNames[t]).SetTabVisible(tops);
    LocaliseAndCopyCaptions();
    LayoutPreview();

    Putting = false;
    ForcingItemIndex = false;
    ParametersToControls(templates::AllSlots(), LastItemIndex);
    ShowItemChoices();
    Putting = false;
    ScheduleRegeneration();
    SetLibraryVersion("KvdTemplates");
    SetCaption(Caption() + " " + GetLibraryVersion().text);

    auto& pages = Get<ui::PageControl>("PageControl1");
    int tab = TemplateParams.ActiveTab;
    if (tab < 0 || tab >= kTemplateTabs || !pages.Page(tab)->TabVisible()) tab = 0;
    pages.SetActivePageIndex(tab);
    EnabDisab();
    if (ActiveTab() == TemplateTab::PianoCucina) SendKitchenGroupCommand();
}

void TPoligono::SendKitchenGroupCommand() {
    if (!AppLink().endpoint.Active()) return;
    const bool single = (TemplateParams.OptionBits & kOptionSingleGroup) != 0;
    SendAppLinkWaitingAnswers(108, std::string("C") + (single ? "1" : "0") + "S" +
                                       std::to_string(kAppLinkAnswerMessage) + "H" + std::to_string(Handle()));
}

// ---- close and destroy ----------------------------------------------------

void TPoligono::FormClose(ui::CloseAction& action) {
    // The host settings name no tombstone model file or output folder yet, so
    // the list is skipped (as for a missing model file).
    TombstoneListOnClose(ConfirmFlag != 0, ActiveTab(), std::string(), std::string());
    DisposeDimensionMarks();
    ClearAppLinkAnswer();
    action = ui::CloseAction::Hide;  // the dialog run frees the form
}

void TPoligono::FormDestroy() {
    Get<ui::Timer>("TimerRitraccia").SetEnabled(false);
    SaveTemplateSettings(Get<ui::PageControl>("PageControl1").ActivePageIndex());
    DisposeDimensionBoxes();
    for (ui::Edit* e : overlays_) RemoveComponent(e);
    overlays_.clear();
    if (AppLink().formHandle == Handle()) AppLink().formHandle = 0;
}

void TPoligono::FormKeyUp(int key, ui::ShiftState) {
    if (key == 121) BitBtnSendLintraClick();  // F10
}

// ---- buttons --------------------------------------------------------------

void TPoligono::BitBtn8Click() { ConfirmFlag = 1; }

void TPoligono::BitBtnSendLintraClick() {
    SendToLintra([this] { ScheduleRegeneration(); });
}

void TPoligono::BitBtnMatriceClick(ui::BitButton& button) {
    auto& form = ui::App().CreateForm<TMatriceForm>();
    int result;
    try {
        result = form.ShowModal();
    } catch (...) {
        form.Free();
        throw;
    }
    const bool confirmed = result == ui::mrOk;
    if (confirmed) WorkingMatrix = form.ReadSettings();
    form.Free();
    if (confirmed && (WorkingMatrix.Columns > 1 || WorkingMatrix.Rows > 1)) {
        // The tab's "Matrice" goes on with its option bit; a 1 x 1 grid
        // leaves it as it is.
        struct Tick {
            const char* button;
            const char* box;
            std::uint16_t bit;
        };
        for (const Tick& t : {Tick{"BitBtnMatrice", "CheckBox11", kOptionMatrixRectangle},
                              Tick{"BitBtn5", "CheckBox12", kOptionMatrixRegular},
                              Tick{"BitBtn6", "CheckBox13", kOptionMatrixIrregular}}) {
            if (button.Name() != t.button) continue;
            const bool wasPutting = Putting;
            Putting = true;
            Get<ui::CheckBox>(t.box).SetChecked(true);
            Putting = wasPutting;
            TemplateParams.OptionBits = static_cast<std::uint16_t>(TemplateParams.OptionBits | t.bit);
        }
    }
    if (confirmed) TemplateModified = true;
    // The regeneration writes the grid on the captions of the three buttons.
    ScheduleRegeneration();
}

// ---- regeneration ---------------------------------------------------------

void TPoligono::UpdatePreviewControls() {
    // What the painting step shows besides the picture: the hole markers of
    // "Rettangolo", the side-wall page of the kitchen, the machining buttons.
    const bool sideWalls = (TemplateParams.OptionBits & kOptionSideWalls) != 0 && Host.OffersSideWalls();
    Get<ui::TabSheet>(kSideWallPage).SetTabVisible(sideWalls);
    if (sideWalls) {
        auto& ticks = Get<ui::CheckListBox>("CheckListBox1");
        const bool general = (TemplateParams.OptionBits & kOptionGeneralHeight) != 0;
        for (int k = 0; k < 4; ++k) {
            ticks.SetChecked(k, (TemplateParams.SideWalls[k].Flags & 1) != 0);
            const std::string n = std::to_string(178 + k);
            Get<ui::Edit>("Edit" + n).SetVisible(!general);
            Get<ui::Label>("LabelE" + n).SetVisible(!general);
        }
    }
    auto machining = [this](const char* name, const ShortString<128>& s) {
        auto& b = Get<ui::BitButton>(name);
        b.SetHint(s.str());
        b.SetColor(s.empty() ? ui::clBtnFace : ui::clRed);
    };
    machining("BitBtnWithColor1", TemplateParams.StepOuterMachining);
    machining("BitBtnWithColor2", TemplateParams.StepInnerMachining);
}

// The values the irregular polygon derived (diagonal, alignment, top side),
// shown through the slots so that text that already reads as the value stays
// as typed and the preview's boxes follow. The edit whose typing started the
// regeneration is left alone while it is blank or not yet a number ("-",
// "12e"): the person is still typing there.
void TPoligono::ShowIrregularDerivedValues(IrregularTrigger trigger) {
    const IrregularShownValues& v = IrregularPolygon.shown;
    templates::SlotMask mask;
    auto show = [&](bool derived, const char* edit, IrregularTrigger typedHere) {
        if (!derived) return;
        if (trigger == typedHere) {
            const std::string text = Get<ui::Edit>(edit).Text();
            const bool blank = text.find_first_not_of(" \t") == std::string::npos;
            if (blank || !templates::ReadDecimal(text)) return;
        }
        mask.set(static_cast<std::size_t>(templates::SlotOfEdit(edit)));
    };
    show(v.diagonal, "Edit13", IrregularTrigger::kDiagonalEdit);
    show(v.alignment, "Edit120", IrregularTrigger::kAlignmentEdit);
    show(v.top, "Edit9", IrregularTrigger::kOtherChange);
    if (mask.any()) ParametersToControls(mask, LastItemIndex);
}

void TPoligono::TimerRitracciaTimer() {
    auto& timer = Get<ui::Timer>("TimerRitraccia");
    timer.SetEnabled(false);
    ++RegenerationCount;
    const std::string caption = MatrixButtonCaption();
    for (const char* b : {"BitBtnMatrice", "BitBtn5", "BitBtn6"}) Get<ui::BitButton>(b).SetCaption(caption);

    const TemplateTab tab = ActiveTab();
    IrregularPolygon.kind = LastItemIndex;
    const IrregularTrigger trigger = IrregularPolygon.trigger;  // the generator resets it
    RegenerateDrawing(tab);
    if (tab == TemplateTab::Irregolare) ShowIrregularDerivedValues(trigger);
    SetPopupMenu(tab == TemplateTab::Lapide ? &Get<ui::PopupMenu>("PopupMenuScrittura") : nullptr);
    Get<ui::BitButton>("BitBtn8").SetEnabled(TemplateModified);

    UpdatePreviewControls();
    auto& image = Get<ui::Image>("Image1");
    auto& label = Get<ui::Label>("Label14");
    label.SetColor(ui::clSilver);
    PreviewRequest request;
    request.tab = tab;
    request.image = {image.Left(), image.Top(), image.Left() + image.Width(), image.Top() + image.Height()};
    request.screenWidth = ui::App().ScreenWidth();
    request.irregularKind = LastItemIndex;
    request.sideWallsVisible = Get<ui::TabSheet>(kSideWallPage).TabVisible();
    for (int k = 0; k < 4; ++k) request.sideTicked[k] = (TemplateParams.SideWalls[k].Flags & 1) != 0;
    PreviewResult r = MeasureAndPaintPreview(image.GetCanvas(), request);
    if (!r.caption.empty()) label.SetCaption(r.caption);

    // Markers of the selected circular hole of "Rettangolo".
    auto& s1 = Get<ui::Shape>("Shape1");
    auto& s2 = Get<ui::Shape>("Shape2");
    const int selected = Get<ui::RadioGroup>("RadioGroup21").ItemIndex();
    HoleMarkers m;
    if (tab == TemplateTab::Rettangolo && TemplateParams.CircularHoleCount >= 1 && selected >= 0 && r.geometry.valid)
        m = ComputeHoleMarkers(r.geometry, image.Width(), selected);
    if (m.visible) {
        Get<ui::PageControl>("PageControl5").SetActivePageIndex(0);
        s1.SetBounds(image.Left() + m.corner.left, image.Top() + m.corner.top, m.corner.Width(), m.corner.Height());
        s2.SetBounds(image.Left() + m.centre.left, image.Top() + m.centre.top, m.centre.Width(), m.centre.Height());
        s1.BringToFront();
        s2.BringToFront();
    }
    s1.SetVisible(m.visible);
    s2.SetVisible(m.visible);
}

}  // namespace kvd
