// Parameter editing of the templates form: moving values between controls
// and TemplateParameters slot by slot, the change handlers, and the
// enabling rules.
#include <QString>

#include <cfloat>
#include <cmath>
#include <cstring>

#include "base/cp1252.h"
#include "base/geometry.h"
#include "base/host_settings.h"
#include "base/number_format.h"
#include "base/precision.h"
#include "templates/app_link.h"
#include "templates/dimension_marks.h"
#include "templates/form_poligono.h"
#include "templates/generators/irregular_polygon.h"
#include "templates/parameter_editing_text.h"
#include "templates/regeneration.h"
#include "templates/template_output.h"
#include "templates/template_parameters.h"

namespace kvd {

using templates::SlotDef;
using templates::SlotMask;
using templates::SlotType;
using templates::Slots;
using templates::SlotRange;

namespace {


template <typename V>
V Load(const std::uint8_t* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <typename V>
void Store(std::uint8_t* p, V v) {
    std::memcpy(p, &v, sizeof v);
}

// Whether the "Irregolare" slot is read and shown for the kind.
bool QuadSlotInUse(int quadSlot, int kind) {
    if (quadSlot == 7) return kind != 2;                 // "Lato sotto"
    if (quadSlot == 2 || quadSlot == 3) return kind == 0 || kind == 5;  // "Diagonale", "Allineamento"
    return true;
}

// Slots whose change marks the direction of a kind as typed.
int DirectionKindOfSlot(int slot) {
    switch (slot) {
        case 113: return 6;
        case 140: return 5;
        case 141: return 7;
        case 142: return 8;
        case 143: return 0;
        case 144: return 1;
        case 145: return 2;
        case 146: return 3;
        case 147: return 9;
        default: return -1;
    }
}

const SlotDef* SlotOfControl(std::string_view name) {
    for (const SlotDef& d : templates::SlotTable())
        if (d.control.size() == name.size() && QString::fromUtf8(d.control.data(), static_cast<int>(d.control.size()))
                                                       .compare(QString::fromUtf8(name.data(), static_cast<int>(name.size())),
                                                                Qt::CaseInsensitive) == 0 &&
            d.tick < 0)
            return &d;
    return nullptr;
}

std::uint8_t* Record() { return reinterpret_cast<std::uint8_t*>(&TemplateParams); }

// The radio group of an item page and the mask of the slots it shows.
struct ItemPage {
    const char* group;
    SlotMask mask;
};

const ItemPage* ItemPageOf(const std::string& group) {
    static const ItemPage pages[] = {
        {"RadioGroup3", SlotRange(30, 33) | Slots({209})},
        {"RadioGroup4", SlotRange(34, 36)},
        {"RadioGroup5", SlotRange(37, 39)},
        {"RadioGroup6", SlotRange(40, 42)},
        {"RadioGroup7", SlotRange(43, 45)},
        {"RadioGroup8", SlotRange(46, 48)},
        {"RadioGroup11", SlotRange(76, 79)},
        {"RadioGroup12", SlotRange(80, 82)},
        {"RadioGroup13", SlotRange(83, 85)},
        {"RadioGroup18", SlotRange(91, 99)},
        {"RadioGroup21", SlotRange(129, 131)},
    };
    for (const auto& p : pages)
        if (group == p.group) return &p;
    return nullptr;
}

}  // namespace

// ---- transfer -------------------------------------------------------------

std::uint8_t* TPoligono::SlotField(const SlotDef& def) const {
    if (def.group.empty()) return Record() + def.offset;
    if (def.group == templates::kTombstoneItem) {
        if (CurrentTombstoneItem < 0 || CurrentTombstoneItem >= 16) return nullptr;
        return Record() + def.offset + def.stride * CurrentTombstoneItem;
    }
    if (def.type == SlotType::Count) return Record() + def.offset;
    auto& g = Get<ui::RadioGroup>(def.group);
    const int i = g.ItemIndex();
    if (g.ItemCount() <= 0 || i < 0 || i >= g.ItemCount()) return nullptr;
    return Record() + def.offset + def.stride * i;
}

void TPoligono::ReadSlot(const SlotDef& def, int kind) {
    Component* c = FindComponent(def.control);
    if (!c) return;
    auto text = [&]() -> std::string {
        auto* e = dynamic_cast<ui::Edit*>(c);
        return e ? e->Text() : std::string();
    };
    if (def.type == SlotType::Quad) {
        if (kind < 0 || kind >= kQuadrilateralKinds || !QuadSlotInUse(def.offset, kind)) return;
        if (auto v = templates::ReadDecimal(text()); v && std::fabs(*v) <= DBL_MAX)
            WorkingQuadSets[kind].Slot[def.offset] = static_cast<double>(*v);
        return;
    }
    if (def.type == SlotType::LinkedHole) return;
    std::uint8_t* f = SlotField(def);
    if (!f) return;
    switch (def.type) {
        case SlotType::R6:
            if (auto v = templates::ReadDecimal(text()); v && std::fabs(*v) <= kReal48Max) Store(f, Real48(*v));
            break;
        case SlotType::D8:
            if (auto v = templates::ReadDecimal(text()); v && std::fabs(*v) <= DBL_MAX)
                Store(f, static_cast<double>(*v));
            break;
        case SlotType::F4:
            if (auto v = templates::ReadDecimal(text()); v && std::fabs(*v) <= FLT_MAX) Store(f, static_cast<float>(*v));
            break;
        case SlotType::I4:
            if (auto v = templates::ReadInteger(text())) Store(f, *v);
            break;
        case SlotType::U2:
            if (auto v = templates::ReadInteger(text()); v && *v >= 0 && *v <= 0xFFFF)
                Store(f, static_cast<std::uint16_t>(*v));
            break;
        case SlotType::Count:
            if (auto v = templates::ReadInteger(text())) Store(f, std::clamp<std::int32_t>(*v, 0, def.max));
            break;
        case SlotType::Marking: {
            std::string bytes = Utf8ToCp1252(text());
            if (bytes.size() > 30) bytes.resize(30);
            reinterpret_cast<ShortString<30>*>(f)->assign(bytes);
            break;
        }
        case SlotType::Color:
            if (auto* box = dynamic_cast<ui::ColorBox*>(c)) Store(f, static_cast<std::int32_t>(box->Selected()));
            break;
        case SlotType::ByteBit: {
            bool on = false;
            if (auto* b = dynamic_cast<ui::CheckBox*>(c)) on = b->Checked();
            if (auto* l = dynamic_cast<ui::CheckListBox*>(c)) on = l->Checked(def.tick);
            *f = static_cast<std::uint8_t>(on ? (*f | (1u << def.bit)) : (*f & ~(1u << def.bit)));
            break;
        }
        case SlotType::ItemBit:
            if (auto* b = dynamic_cast<ui::CheckBox*>(c)) {
                std::int32_t flags = Load<std::int32_t>(f);
                flags = b->Checked() ? (flags | (1 << def.bit)) : (flags & ~(1 << def.bit));
                Store(f, flags);
            }
            break;
        case SlotType::ItemJustify:
            if (auto* r = dynamic_cast<ui::RadioGroup*>(c); r && r->ItemIndex() >= 0) {
                std::int32_t flags = Load<std::int32_t>(f);
                flags = (flags & ~0x300) | ((r->ItemIndex() & 3) << 8);
                Store(f, flags);
            }
            break;
        case SlotType::ItemText:
            if (auto* m = dynamic_cast<ui::Memo*>(c)) {
                std::u16string t = QString::fromStdString(m->Text()).toStdU16String();
                if (t.size() > 254) t.resize(254);
                std::memset(f, 0, 512);
                std::memcpy(f, t.data(), t.size() * 2);
            }
            break;
        case SlotType::RadioI4:
            if (auto* r = dynamic_cast<ui::RadioGroup*>(c)) Store(f, static_cast<std::int32_t>(r->ItemIndex()));
            break;
        default:
            break;
    }
}

void TPoligono::ReadAlwaysReadChoices() {
    if (int j = Get<ui::RadioGroup>("RadioGroup14").ItemIndex(); j >= 0) TemplateParams.CornerJoint = j;
    auto direction = [this](const char* selector, const char* choice, std::uint8_t* flags, int stride, int count) {
        const int i = Get<ui::RadioGroup>(selector).ItemIndex();
        const int d = Get<ui::RadioGroup>(choice).ItemIndex();
        if (i < 0 || i >= count || Get<ui::RadioGroup>(selector).ItemCount() == 0 || d < 0) return;
        std::uint8_t& b = flags[stride * i];
        b = static_cast<std::uint8_t>(d == 1 ? (b | 1) : (b & ~1));
    };
    direction("RadioGroup11", "RadioGroup15", &TemplateParams.CornerHoles[0].Flags, 48, 3);
    direction("RadioGroup12", "RadioGroup16", &TemplateParams.CornerHorizontalBars[0].Flags, 32, 6);
    direction("RadioGroup13", "RadioGroup17", &TemplateParams.CornerVerticalBars[0].Flags, 32, 8);
}

void TPoligono::ControlsToParameters(const SlotMask& mask, int kind) {
    for (const SlotDef& d : templates::SlotTable())
        if (mask.test(static_cast<std::size_t>(d.slot))) ReadSlot(d, kind);
    ReadAlwaysReadChoices();
    ScheduleRegeneration();
}

void TPoligono::RefillItems(const SlotDef& def, bool maxCaption, bool activatePage) {
    std::uint8_t* f = Record() + def.offset;
    const std::int32_t count = std::clamp<std::int32_t>(Load<std::int32_t>(f), 0, def.max);
    Store(f, count);
    auto& g = Get<ui::RadioGroup>(def.group);
    std::vector<std::string> items;
    for (int i = 1; i <= count; ++i) items.push_back(std::to_string(i));
    const bool forcing = ForcingItemIndex;
    ForcingItemIndex = true;
    if (g.Items() != items) g.SetItems(items);
    if (maxCaption) g.SetCaption("Max " + std::to_string(def.max));
    g.SetColumns(std::max(1, count));
    if (count > 0 && g.ItemIndex() < 0) g.SetItemIndex(0);
    ForcingItemIndex = forcing;
    auto& page = Get<ui::TabSheet>(def.page);
    page.SetTabVisible(count > 0);
    // A page control whose every page is hidden would show an empty frame.
    ui::PageControl& pages = page.Pages();
    bool any = false;
    for (int i = 0; i < pages.PageCount(); ++i) any = any || pages.Page(i)->TabVisible();
    pages.SetVisible(any);
    if (activatePage && count > 0) pages.SetActivePage(&page);
}

void TPoligono::ShowSlot(const SlotDef& def, int kind) {
    Component* c = FindComponent(def.control);
    if (!c) return;
    auto* edit = dynamic_cast<ui::Edit*>(c);
    auto setText = [&](const std::string& t) {
        if (edit->Text() != t) edit->SetText(t);
        if (DimensionBox* b = FindDimensionBoxOfEdit(edit); b && b->overlay && b->overlay->Text() != t)
            b->overlay->SetText(t);
    };
    auto showReal = [&](long double v) {
        const float f = static_cast<float>(v);
        const std::string current = edit->Text();
        auto read = templates::ReadDecimal(current);
        const bool blank = current.find_first_not_of(" \t") == std::string::npos;
        if (!blank && read && static_cast<float>(*read) == f) {
            setText(current);  // keeps the text as typed; the overlay follows it
            return;
        }
        setText(FormatRealDefault(static_cast<long double>(f)));
    };
    if (def.type == SlotType::Quad) {
        if (edit && kind >= 0 && kind < kQuadrilateralKinds && QuadSlotInUse(def.offset, kind))
            showReal(WorkingQuadSets[kind].Slot[def.offset]);
        return;
    }
    if (def.type == SlotType::LinkedHole) {
        UpdateLinkedHole();
        return;
    }
    if (def.type == SlotType::Count) {
        if (edit) setText(std::to_string(std::clamp<std::int32_t>(Load<std::int32_t>(Record() + def.offset), 0, def.max)));
        RefillItems(def, true, false);
        return;
    }
    std::uint8_t* f = SlotField(def);
    if (!f) return;
    switch (def.type) {
        case SlotType::R6:
            if (edit) showReal(Load<Real48>(f).ToLongDouble());
            break;
        case SlotType::D8:
            if (edit) showReal(Load<double>(f));
            break;
        case SlotType::F4:
            if (edit) showReal(Load<float>(f));
            break;
        case SlotType::I4:
            if (edit) setText(std::to_string(Load<std::int32_t>(f)));
            break;
        case SlotType::U2:
            if (edit) setText(std::to_string(Load<std::uint16_t>(f)));
            break;
        case SlotType::Marking:
            if (edit) setText(Cp1252ToUtf8(reinterpret_cast<const ShortString<30>*>(f)->view()));
            break;
        case SlotType::Color:
            if (auto* box = dynamic_cast<ui::ColorBox*>(c))
                box->SetSelected(static_cast<ui::Color>(Load<std::int32_t>(f)) & 0xFFFFFF);
            break;
        case SlotType::ByteBit: {
            const bool on = (*f >> def.bit) & 1;
            if (auto* b = dynamic_cast<ui::CheckBox*>(c)) b->SetChecked(on);
            if (auto* l = dynamic_cast<ui::CheckListBox*>(c)) l->SetChecked(def.tick, on);
            break;
        }
        case SlotType::ItemBit:
            if (auto* b = dynamic_cast<ui::CheckBox*>(c)) b->SetChecked((Load<std::int32_t>(f) >> def.bit) & 1);
            break;
        case SlotType::ItemJustify:
            if (auto* r = dynamic_cast<ui::RadioGroup*>(c)) {
                const int j = (Load<std::int32_t>(f) >> 8) & 3;
                r->SetItemIndex(j < r->ItemCount() ? j : -1);
            }
            break;
        case SlotType::ItemText:
            if (auto* m = dynamic_cast<ui::Memo*>(c)) {
                char16_t t[256] = {};
                std::memcpy(t, f, 510);
                const std::string text = QString::fromUtf16(t).toStdString();
                if (m->Text() != text) m->SetText(text);
            }
            break;
        case SlotType::RadioI4:
            if (auto* r = dynamic_cast<ui::RadioGroup*>(c)) r->SetItemIndex(Load<std::int32_t>(f));
            break;
        default:
            break;
    }
}

void TPoligono::ParametersToControls(const SlotMask& mask, int kind) {
    if (Putting) return;
    Putting = true;
    // The radii of the regular polygon always follow from its side.
    const int n = TemplateParams.PolygonSides;
    if (n >= 3) {
        const long double side = TemplateParams.PolygonSide.ToLongDouble();
        const long double rc = side / 2.0L / std::sin(kPi / n);
        TemplateParams.PolygonCircumradius = rc;
        TemplateParams.PolygonInradius = rc * std::cos(kPi / n);
    }
    for (const SlotDef& d : templates::SlotTable())
        if (mask.test(static_cast<std::size_t>(d.slot))) ShowSlot(d, kind);
    Putting = false;
}

// ---- the linked hole position -------------------------------------------

void TPoligono::UpdateLinkedHole() {
    if (linkedHoleGuard_) return;
    linkedHoleGuard_ = true;
    const bool wasPutting = Putting;
    Putting = true;
    const long double L = templates::DecimalOrZero(Get<ui::Edit>("Edit22").Text());
    const long double w = Get<ui::CheckBox>("CheckBox22").Checked()
                              ? 0.0L
                              : templates::DecimalOrZero(Get<ui::Edit>("Edit32").Text());
    const long double x = templates::DecimalOrZero(Get<ui::Edit>("Edit30").Text());
    Get<ui::Edit>("Edit182").SetText(FormatRealDefault(L - w - x));
    Putting = wasPutting;
    linkedHoleGuard_ = false;
}

void TPoligono::LinkedHoleEdited() {
    if (linkedHoleGuard_) return;
    linkedHoleGuard_ = true;
    const long double L = templates::DecimalOrZero(Get<ui::Edit>("Edit22").Text());
    const long double w = Get<ui::CheckBox>("CheckBox22").Checked()
                              ? 0.0L
                              : templates::DecimalOrZero(Get<ui::Edit>("Edit32").Text());
    const long double fromRight = templates::DecimalOrZero(Get<ui::Edit>("Edit182").Text());
    // Edit30's own change handler reads it through slot 30.
    Get<ui::Edit>("Edit30").SetText(FormatRealDefault(L - w - fromRight));
    linkedHoleGuard_ = false;
}

// ---- change handlers ------------------------------------------------------

void TPoligono::KeepTombstoneProportion(int slot, SlotMask& mask) {
    if (CurrentTombstoneItem < 0) return;
    const TombstoneItem& item = TemplateParams.TombstoneItems[CurrentTombstoneItem];
    const int k = item.Kind();
    if (k > 2 || !(item.Flags & kItemProportional)) return;
    const float X = k == kItemRelief ? item.RefX : item.SizeX;
    const float Y = k == kItemRelief ? item.RefY : item.SizeY;
    if (RoundToPrecision(X) <= 0 || RoundToPrecision(Y) <= 0) return;
    Putting = true;
    if (slot == 93) {
        const long double v = templates::DecimalOrZero(Get<ui::Edit>("Edit93").Text());
        Get<ui::Edit>("Edit94").SetText(FormatRealDefault(v * (Y / X)));
        mask.set(94);
    } else {
        const long double v = templates::DecimalOrZero(Get<ui::Edit>("Edit94").Text());
        Get<ui::Edit>("Edit93").SetText(FormatRealDefault(v * (X / Y)));
        mask.set(93);
    }
    Putting = false;
}

void TPoligono::Edit7Change(ui::Edit& edit) {
    if (Putting) return;
    ui::Edit* dialogEdit = &edit;
    if (DimensionBox* b = FindDimensionBoxOfEdit(&edit)) {
        ui::Edit* other = b->mirrored == &edit ? b->overlay : b->mirrored;
        dialogEdit = b->mirrored;
        if (other && other->Text() != edit.Text()) {
            Putting = true;
            other->SetText(edit.Text());
            Putting = false;
        }
    }
    const int slot = templates::SlotOfEdit(dialogEdit->Name());
    if (slot == 0) return;
    // The irregular polygon derives the other of "Diagonale" / "Allineamento"
    // from the one just typed.
    if (dialogEdit->Name() == "Edit13") IrregularPolygon.trigger = IrregularTrigger::kDiagonalEdit;
    else if (dialogEdit->Name() == "Edit120") IrregularPolygon.trigger = IrregularTrigger::kAlignmentEdit;
    SlotMask mask = Slots({slot});
    if (slot == 93 || slot == 94) KeepTombstoneProportion(slot, mask);
    if (slot == 209) {
        LinkedHoleEdited();
    } else {
        ControlsToParameters(mask, LastItemIndex);
    }

    const int n = TemplateParams.PolygonSides;
    auto sideFrom = [n](long double r, bool inscribed) -> long double {
        if (n < 3 || r <= 0) return 0.0L;
        long double s = 2.0L * r * std::sin(kPi / n);
        return inscribed ? s / std::cos(kPi / n) : s;
    };
    switch (slot) {
        case 2:
            ParametersToControls(Slots({3, 4}), LastItemIndex);
            break;
        case 3:
            TemplateParams.PolygonSide = sideFrom(TemplateParams.PolygonCircumradius.ToLongDouble(), false);
            ParametersToControls(Slots({2, 4}), LastItemIndex);
            break;
        case 4:
            TemplateParams.PolygonSide = sideFrom(TemplateParams.PolygonInradius.ToLongDouble(), true);
            ParametersToControls(Slots({2, 3}), LastItemIndex);
            break;
        case 30:
            UpdateLinkedHole();
            break;
        default:
            break;
    }
    for (const SlotDef& d : templates::SlotTable())
        if (d.slot == slot && d.type == SlotType::Count) RefillItems(d, false, true);
    if ((slot >= 24 && slot <= 29) || slot == 90 || (slot >= 175 && slot <= 181) || (slot >= 203 && slot <= 229))
        if (slot != 209) ParametersToControls(Slots({slot}), LastItemIndex);
    if (int kind = DirectionKindOfSlot(slot); kind >= 0) MarkDirectionTyped(kind);
    TemplateModified = true;
    ScheduleRegeneration();
}

void TPoligono::CheckBox1Click(ui::CheckBox& box) {
    if (Putting) return;
    const std::string& name = box.Name();
    auto option = [&](std::uint16_t bit) {
        TemplateParams.OptionBits = box.Checked() ? static_cast<std::uint16_t>(TemplateParams.OptionBits | bit)
                                                  : static_cast<std::uint16_t>(TemplateParams.OptionBits & ~bit);
    };
    auto itemBit = [&](int bit) {
        if (CurrentTombstoneItem < 0) return;
        std::int32_t& f = TemplateParams.TombstoneItems[CurrentTombstoneItem].Flags;
        f = box.Checked() ? (f | (1 << bit)) : (f & ~(1 << bit));
    };
    bool schedule = true;
    if (name == "CheckBox2") option(kOptionChamfer);
    else if (name == "CheckBox5") option(kOptionCutThickness);
    else if (name == "CheckBox11") option(kOptionMatrixRectangle);
    else if (name == "CheckBox12") option(kOptionMatrixRegular);
    else if (name == "CheckBox13") option(kOptionMatrixIrregular);
    else if (name == "CheckBox14") option(kOptionSumMachinings);
    else if (name == "CheckBox18") option(kOptionSideWalls);
    else if (name == "CheckBox19") {
        option(kOptionSingleGroup);
        SendKitchenGroupCommand();
        schedule = false;
    } else if (name == "CheckBox20") {
        option(kOptionGeneralHeight);
        if (auto v = templates::ReadDecimal(Get<ui::Edit>("Edit177").Text()))
            TemplateParams.SideWallGeneralHeight = static_cast<float>(*v);
        for (auto& side : TemplateParams.SideWalls) side.Height = TemplateParams.SideWallGeneralHeight;
        ParametersToControls(SlotRange(205, 208), LastItemIndex);
        schedule = false;
    } else if (name == "CheckBox22") option(kOptionCentredHorizontal);
    else if (name == "CheckBox6") {
        std::uint32_t bits = Host.OptionBits869();
        bits = box.Checked() ? (bits | (1u << 8)) : (bits & ~(1u << 8));
        Host.SetU32(869, bits);
        schedule = false;
    } else if (name == "CheckBox1") itemBit(12);
    else if (name == "CheckBox3") itemBit(13);
    else if (name == "CheckBox4") itemBit(10);
    else if (const SlotDef* d = SlotOfControl(name)) {
        ControlsToParameters(Slots({d->slot}), LastItemIndex);
        return;
    }
    TemplateModified = true;
    if (schedule) ScheduleRegeneration();
}

void TPoligono::RadioGroup1Click() {
    if (Putting) return;
    const SlotMask all = templates::AllSlots();
    ParametersToControls(all, LastItemIndex);
    ControlsToParameters(all, LastItemIndex);
    int k = Get<ui::RadioGroup>("RadioGroup1").ItemIndex();
    LastItemIndex = std::clamp(k, 0, kQuadrilateralKinds - 1);
    EnabDisab();
    ParametersToControls(all, LastItemIndex);
}

void TPoligono::RadioGroup2Click(ui::RadioGroup& group) {
    if (Putting) return;
    const std::string& name = group.Name();
    const int v = group.ItemIndex();
    auto selected = [this](const char* selector, int count) {
        auto& g = Get<ui::RadioGroup>(selector);
        int i = g.ItemIndex();
        return (g.ItemCount() > 0 && i >= 0 && i < count) ? i : -1;
    };
    if (v >= 0) {
        if (name == "RadioGroup2") {
            if (int i = selected("RadioGroup3", 3); i >= 0) TemplateParams.KitchenHoles[i].Special = static_cast<std::uint8_t>(v);
        } else if (name == "RadioGroup9") {
            if (int i = selected("RadioGroup11", 3); i >= 0) TemplateParams.CornerHoles[i].Special = static_cast<std::uint8_t>(v);
        } else if (name == "RadioGroup14") {
            TemplateParams.CornerJoint = v;
            EnabDisab();
        } else if (name == "RadioGroup15" || name == "RadioGroup16" || name == "RadioGroup17") {
            ReadAlwaysReadChoices();
        } else if (name == "RadioGroup19") {
            if (CurrentTombstoneItem >= 0) {
                std::int32_t& f = TemplateParams.TombstoneItems[CurrentTombstoneItem].Flags;
                f = (f & ~0x300) | ((v & 3) << 8);
            }
        } else if (name == "RadioGroup20") {
            TemplateParams.StepSideExit = v;
        } else if (name == "RadioGroup22") {
            if (int i = selected("RadioGroup21", 8); i >= 0) TemplateParams.CircularHoles[i].Corner = v;
        }
    }
    TemplateModified = true;
    ScheduleRegeneration();
}

void TPoligono::RadioGroup3Click(ui::RadioGroup& group) {
    if (Putting || ForcingItemIndex) return;
    const ItemPage* page = ItemPageOf(group.Name());
    if (!page) return;
    if (group.Name() == "RadioGroup18") {
        // The tombstone item selector picks an item in use.
        const int i = group.ItemIndex();
        if (i >= 0 && i < 16 && (TemplateParams.TombstoneItems[i].Flags & kItemInUse)) CurrentTombstoneItem = i;
        EnabDisab();
    }
    ParametersToControls(page->mask, LastItemIndex);
    // The item's own choices come with it; left alone, the "Direzione"
    // groups (read with every transfer) would copy the previous item's
    // choice into this one.
    ShowItemChoices();
    Putting = false;
    ScheduleRegeneration();
}

void TPoligono::RadioGroup10Click() {
    if (Putting || ForcingItemIndex) return;
    ParametersToControls(Slots({59, 60}), LastItemIndex);
}

void TPoligono::CheckListBox1Click() {
    if (Putting) return;
    auto& ticks = Get<ui::CheckListBox>("CheckListBox1");
    const int k = ticks.ItemIndex();
    if (k < 0 || k > 3) return;
    std::uint8_t& f = TemplateParams.SideWalls[k].Flags;
    f = static_cast<std::uint8_t>(ticks.Checked(k) ? (f | 1) : (f & ~1));
    ParametersToControls(Slots({180 + k}), LastItemIndex);
    TemplateModified = true;
    ScheduleRegeneration();
}

void TPoligono::ColorBox1Select(ui::ColorBox& box) {
    if (Putting) return;
    if (const SlotDef* d = SlotOfControl(box.Name()))
        Store(Record() + d->offset, static_cast<std::int32_t>(box.Selected()));
    TemplateModified = true;
    ScheduleRegeneration();
}

void TPoligono::MemoScritturaChange() {
    if (Putting) return;
    if (CurrentTombstoneItem >= 0) {
        for (const SlotDef& d : templates::SlotTable())
            if (d.slot == 99) ReadSlot(d, LastItemIndex);
    }
    TemplateModified = true;
    ScheduleRegeneration();
}

void TPoligono::PageControl1Change() {
    if (Putting) return;
    TemplateModified = true;
    if (ActiveTab() == TemplateTab::PianoCucina) SendKitchenGroupCommand();
    ScheduleRegeneration();
}

void TPoligono::PageControl2Change() {
    if (Putting) return;
    ScheduleRegeneration();
}

void TPoligono::BitBtn3Click() {
    if (Putting) return;
    long double pitch = TemplateParams.CutsVerticalPitch.ToLongDouble();
    if (TemplateParams.OptionBits & kOptionCutThickness) pitch += TemplateParams.CutWidth.ToLongDouble();
    Get<ui::Edit>("Edit17").SetText(FormatRealDefault(pitch * (TemplateParams.CutsVerticalCount - 1)));
}

void TPoligono::BitBtn4Click() {
    if (Putting) return;
    long double pitch = TemplateParams.CutsHorizontalPitch.ToLongDouble();
    if (TemplateParams.OptionBits & kOptionCutThickness) pitch += TemplateParams.CutWidth.ToLongDouble();
    Get<ui::Edit>("Edit20").SetText(FormatRealDefault(pitch * (TemplateParams.CutsHorizontalCount - 1)));
}

// ---- enabling and visibility ------------------------------------------------

void TPoligono::EnabDisab() {
    const bool chamfer = Get<ui::RadioGroup>("RadioGroup14").ItemIndex() == 1;
    for (const char* g : {"RadioGroup15", "RadioGroup16", "RadioGroup17"}) Get<ui::RadioGroup>(g).SetEnabled(chamfer);
    Get<ui::Panel>("Panel1").SetVisible(CurrentTombstoneItem >= 0);

    const int k = LastItemIndex;
    const bool top = k >= 0 && k <= 3;
    const bool bottom = k != 2;
    const bool diagonal = k == 0 || k == 5;
    Get<ui::Edit>("Edit9").SetEnabled(top);
    Get<ui::Label>("LabelE9").SetEnabled(top);
    Get<ui::Edit>("Edit12").SetEnabled(bottom);
    Get<ui::Label>("LabelE12").SetEnabled(bottom);
    Get<ui::Edit>("Edit13").SetEnabled(diagonal);
    Get<ui::Label>("LabelE13").SetEnabled(diagonal);
    Get<ui::Edit>("Edit120").SetEnabled(diagonal);
    Get<ui::Label>("LabelE120").SetEnabled(diagonal);
    Get<ui::Label>("LabelE13").SetVisible(k <= 4);
    Get<ui::Label>("LabelE120").SetVisible(k <= 4);
    auto& right = Get<ui::Label>("LabelOffsetDestra");
    auto& left = Get<ui::Label>("LabelOffsetSinistra");
    right.SetVisible(k == 5);
    left.SetVisible(k == 5);
    auto& d = Get<ui::Label>("LabelE13");
    auto& a = Get<ui::Label>("LabelE120");
    right.SetBounds(d.Left(), d.Top(), d.Width(), d.Height());
    left.SetBounds(a.Left(), a.Top(), a.Width(), a.Height());
}

}  // namespace kvd
