#include "templates/form_matrice.h"

#include "base/number_format.h"
#include "templates/host_language.h"
#include "templates/parameter_editing_text.h"
#include "ui/controls.h"

namespace kvd {

namespace {

using ui::BitKind;
using ui::ControlClass;
using ui::ControlSpec;

constexpr int kLabelW = 190, kEditX = 204, kEditW = 80, kCutX = 290, kCheckX = 322;

constexpr ControlSpec kMatrixTable[] = {
    {"Label1", ControlClass::Label, "", "Numero elementi orizzontali", 12, 15, kLabelW, 16},
    {"Edit3", ControlClass::Edit, "", "", kEditX, 12, kEditW, 21},
    {"Label2", ControlClass::Label, "", "Numero elementi verticali", 12, 43, kLabelW, 16},
    {"Edit4", ControlClass::Edit, "", "", kEditX, 40, kEditW, 21},
    {"Label3", ControlClass::Label, "", "Incremento orizzontale", 12, 79, kLabelW, 16},
    {"Edit5", ControlClass::Edit, "", "", kEditX, 76, kEditW, 21},
    {"BitBtn1", ControlClass::BitButton, "", "T", kCutX, 75, 26, 23, "Spessore del taglio"},
    {"CheckBox2", ControlClass::CheckBox, "", "Dal contatto", kCheckX, 77, 110, 20},
    {"Label4", ControlClass::Label, "", "Incremento verticale", 12, 107, kLabelW, 16},
    {"Edit6", ControlClass::Edit, "", "", kEditX, 104, kEditW, 21},
    {"BitBtn2", ControlClass::BitButton, "", "T", kCutX, 103, 26, 23, "Spessore del taglio"},
    {"CheckBox3", ControlClass::CheckBox, "", "Dal contatto", kCheckX, 105, 110, 20},
    {"BitBtnCancel", ControlClass::BitButton, "", "Cancel", 242, 146, 90, 30, {}, {}, 0, 1, 1000, true, true,
     BitKind::Cancel, ui::mrCancel},
    {"BitBtnOK", ControlClass::BitButton, "", "OK", 342, 146, 90, 30, {}, {}, 0, 1, 1000, true, true, BitKind::Ok,
     ui::mrOk},
};

std::int32_t CountOf(const std::string& text) { return templates::ReadInteger(text).value_or(0); }

}  // namespace

TMatriceForm::TMatriceForm() : Form("MatriceForm") {
    SetCaption("Matrice di duplicazione");
    SetClientSize(444, 188);
    SetBorderStyle(ui::BorderStyle::Dialog);
    SetPosition(ui::FormPosition::ScreenCenter);
    Build(kMatrixTable);
    Get<ui::BitButton>("BitBtn1").OnClick = [this] { PutCutWidth("Edit5"); };
    Get<ui::BitButton>("BitBtn2").OnClick = [this] { PutCutWidth("Edit6"); };
    OnShow = [this] { FormShow(); };
}

void TMatriceForm::FormShow() {
    LocaliseFromHost(*this, "MatriceForm");
    ShowSettings(WorkingMatrix);
}

void TMatriceForm::ShowSettings(const MatrixSettings& m) {
    Get<ui::Edit>("Edit3").SetText(std::to_string(m.Columns));
    Get<ui::Edit>("Edit4").SetText(std::to_string(m.Rows));
    Get<ui::Edit>("Edit5").SetText(FormatRealDefault(m.HorizontalIncrement.ToLongDouble()));
    Get<ui::Edit>("Edit6").SetText(FormatRealDefault(m.VerticalIncrement.ToLongDouble()));
    Get<ui::CheckBox>("CheckBox2").SetChecked(m.HorizontalFromContact != 0);
    Get<ui::CheckBox>("CheckBox3").SetChecked(m.VerticalFromContact != 0);
    // The rows, and both contact boxes, go with the label of the rows.
    const bool rows = Get<ui::Label>("Label2").Enabled();
    for (const char* c : {"Edit4", "CheckBox2", "CheckBox3"}) Get<ui::Control>(c).SetEnabled(rows);
}

MatrixSettings TMatriceForm::ReadSettings() const {
    MatrixSettings m;
    m.Columns = CountOf(Get<ui::Edit>("Edit3").Text());
    m.Rows = CountOf(Get<ui::Edit>("Edit4").Text());
    m.HorizontalIncrement = templates::DecimalOrZero(Get<ui::Edit>("Edit5").Text());
    m.VerticalIncrement = templates::DecimalOrZero(Get<ui::Edit>("Edit6").Text());
    m.HorizontalFromContact = Get<ui::CheckBox>("CheckBox2").Checked() ? 1 : 0;
    m.VerticalFromContact = Get<ui::CheckBox>("CheckBox3").Checked() ? 1 : 0;
    return m;
}

void TMatriceForm::PutCutWidth(const char* edit) {
    Get<ui::Edit>(edit).SetText(FormatRealDefault(TemplateParams.CutWidth.ToLongDouble()));
}

}  // namespace kvd
