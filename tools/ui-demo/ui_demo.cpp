// Demo of the toolkit layer: a small parametric-rectangle dialog built from a
// table, with a live preview regenerated 500 ms after the last change. The
// automation script types values, waits for the regeneration, saves a
// screenshot and closes the dialog with OK.
//
//   kvd-ui-demo [screenshot.png]      (default docs/ui-demo.png)
//
// Under Xvfb this shows the real X11 rendering:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/default/bin/kvd-ui-demo docs/ui-demo.png
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/automation.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/picture.h"

using namespace kvd::ui;

namespace {

constexpr ControlSpec kDemo[] = {
    {"PageControl1", ControlClass::PageControl, "", "", 8, 8, 250, 330},
    {"TabRettangolo", ControlClass::TabSheet, "PageControl1", "Rettangolo"},
    {"TabEllisse", ControlClass::TabSheet, "PageControl1", "Ellisse"},
    {"Label1", ControlClass::Label, "TabRettangolo", "Larghezza", 10, 14, 90, 16},
    {"Edit1", ControlClass::Edit, "TabRettangolo", "500", 120, 10, 110, 22, "Larghezza del pezzo in mm"},
    {"Label2", ControlClass::Label, "TabRettangolo", "Altezza", 10, 44, 90, 16},
    {"Edit2", ControlClass::Edit, "TabRettangolo", "300", 120, 40, 110, 22, "Altezza del pezzo in mm"},
    {"Label3", ControlClass::Label, "TabRettangolo", "Raggio raccordo", 10, 74, 105, 16},
    {"Edit3", ControlClass::Edit, "TabRettangolo", "40", 120, 70, 110, 22},
    {"CheckBox11", ControlClass::CheckBox, "TabRettangolo", "Matrice", 10, 102, 120, 20},
    {"CheckBox2", ControlClass::CheckBox, "TabRettangolo", "Smusso", 130, 102, 100, 20},
    {"RadioGroup21", ControlClass::RadioGroup, "TabRettangolo", "Riferimento", 10, 128, 222, 70, {},
     "btm-lf\nbtm-rt\ntop-lf\ntop-rt", 0, 2},
    {"Label4", ControlClass::Label, "TabRettangolo", "Colore", 10, 212, 90, 16},
    {"ColorBox1", ControlClass::ColorBox, "TabRettangolo", "", 120, 208, 110, 24},
    {"BitBtnWithColor1", ControlClass::BitButton, "TabRettangolo", "Lavorazione esterna", 10, 244, 222, 28,
     "Nessuna lavorazione"},
    {"Label5", ControlClass::Label, "TabEllisse", "Asse maggiore", 10, 14, 100, 16},
    {"Edit4", ControlClass::Edit, "TabEllisse", "600", 120, 10, 110, 22},
    {"Panel1", ControlClass::Panel, "", "", 268, 8, 444, 330},
    {"Image1", ControlClass::Image, "Panel1", "", 2, 2, 440, 300},
    {"Shape1", ControlClass::Shape, "Panel1", "", 4, 4, 14, 14},
    {"Label14", ControlClass::Label, "Panel1", "", 6, 308, 430, 18},
    {"TimerRitraccia", ControlClass::Timer, "", "", 0, 0, 0, 0, {}, {}, 0, 1, 500, false},
    {"BitBtn8", ControlClass::BitButton, "", "OK", 528, 350, 88, 30, {}, {}, 0, 1, 1000, true, true, BitKind::Ok},
    {"BitBtn7", ControlClass::BitButton, "", "Chiudi", 624, 350, 88, 30, {}, {}, 0, 1, 1000, true, true,
     BitKind::Cancel},
};

double Number(const Edit& e) {
    try {
        return std::stod(e.Text());
    } catch (...) {
        return 0;
    }
}

class DemoForm : public Form {
public:
    DemoForm() : Form("Poligono") {
        SetCaption("Forme parametrizzate");
        SetClientSize(720, 388);
        SetPosition(FormPosition::ScreenCenter);
        Build(kDemo);
        for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4"})
            Get<Edit>(name).OnChange = [this] { ScheduleRegeneration(); };
        Get<CheckBox>("CheckBox11").OnClick = [this] { ScheduleRegeneration(); };
        Get<RadioGroup>("RadioGroup21").OnClick = [this] { ScheduleRegeneration(); };
        Get<ColorBox>("ColorBox1").OnSelect = [this] { ScheduleRegeneration(); };
        Get<Timer>("TimerRitraccia").OnTimer = [this] { Regenerate(); };
        Get<ColorBox>("ColorBox1").SetSelected(0x808080);
        auto& shape = Get<Shape>("Shape1");
        shape.SetType(ShapeType::Circle);
        shape.SetBrush({clYellow, BrushStyle::DiagCross});
        shape.SetVisible(false);
        Get<Label>("Label14").SetColor(clSilver);
        OnShow = [this] {
            Get<RadioGroup>("RadioGroup21").SetItemIndex(0);
            Regenerate();
        };
    }

private:
    void ScheduleRegeneration() {
        auto& t = Get<Timer>("TimerRitraccia");
        t.SetEnabled(false);
        t.SetEnabled(true);
    }

    void Regenerate() {
        Get<Timer>("TimerRitraccia").SetEnabled(false);
        auto& image = Get<Image>("Image1");
        Canvas& c = image.GetCanvas();
        const int w = c.Width(), h = c.Height();
        c.brush = {0xF0CAA6, BrushStyle::Solid};
        c.pen = {clBlack, 1, PenStyle::Solid};
        c.Rectangle(0, 0, w, h);

        const double W = Number(Get<Edit>("Edit1")), H = Number(Get<Edit>("Edit2"));
        const double R = std::min(Number(Get<Edit>("Edit3")), std::min(W, H) / 2);
        if (W <= 0 || H <= 0) return;
        double s = (w - 15) / W;
        if (std::lround(s * H) > h - 15) s = (h - 10) / H;
        const int offX = (w - static_cast<int>(std::lround(s * W))) / 2;
        const int offY = (h - static_cast<int>(std::lround(s * H))) / 2;
        auto px = [&](double x, double y) {
            return Point{offX + static_cast<int>(std::lround(x * s)), offY + static_cast<int>(std::lround(y * s))};
        };
        // A rectangle with round corners, corner arcs as short chords.
        std::vector<Point> contour;
        const double cx[] = {R, W - R, W - R, R}, cy[] = {R, R, H - R, H - R};  // clockwise on the screen
        for (int k = 0; k < 4; ++k)
            for (int i = 0; i <= 8; ++i) {
                double a = M_PI + M_PI / 2 * (k + i / 8.0);
                contour.push_back(px(cx[k] + R * std::cos(a), cy[k] + R * std::sin(a)));
            }
        contour.push_back(contour.front());
        // The stone, tiled, clipped to the contour.
        Picture stone(24, 24, clWhite);
        Canvas& sc = stone.GetCanvas();
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                int v = 150 + ((x * 7 + y * 13 + (x * y) % 11) % 40);
                sc.SetPixel(x, y, RGB(v, v - 8, v - 20));
            }
        c.SetClipPolygon(contour);
        c.TileDraw({0, 0, w, h}, stone, 48, 48, true);
        c.ClearClip();
        c.pen = {Get<ColorBox>("ColorBox1").Selected(), 2, PenStyle::Solid};
        c.Polyline(contour);
        // The offset of the machining, dashed.
        c.pen = {clYellow, 1, PenStyle::Dash};
        const Point inner[] = {px(R, R), px(W - R, R), px(W - R, H - R), px(R, H - R), px(R, R)};
        c.Polyline(inner);
        // The reference corner of the holes.
        auto& rg = Get<RadioGroup>("RadioGroup21");
        const Point corners[] = {px(0, H), px(W, H), px(0, 0), px(W, 0)};
        auto& shape = Get<Shape>("Shape1");
        if (rg.ItemIndex() >= 0) {
            Point p = corners[rg.ItemIndex()];
            shape.SetBounds(p.x + 2 - 7, p.y + 2 - 7, 14, 14);
            shape.SetVisible(true);
        }
        char text[160];
        std::snprintf(text, sizeof text, "A%.0fmm\xC2\xB2 = %.3fm\xC2\xB2   L%.0fmm = %.3fm    [%.0f X %.0f]",
                      W * H - (4 - M_PI) * R * R, (W * H - (4 - M_PI) * R * R) * 1e-6,
                      2 * (W + H) - (8 - 2 * M_PI) * R, (2 * (W + H) - (8 - 2 * M_PI) * R) * 1e-3, W, H);
        std::string caption = text;
        if (Get<CheckBox>("CheckBox11").Checked()) caption = "{6 pcs} x {" + caption + "}";
        Get<Label>("Label14").SetCaption(caption);
        auto& machining = Get<BitButton>("BitBtnWithColor1");
        machining.SetColor(Get<CheckBox>("CheckBox2").Checked() ? clRed : clBtnFace);
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::string shot = argc > 1 ? argv[1] : "docs/ui-demo.png";
    Application& app = Application::Instance();
    SetScript(
        {
            "set Edit1 800",
            "set Edit2",
            "type Edit2 450",
            "set Edit3 60",
            "check CheckBox2 on",
            "choose RadioGroup21 1",
            "color ColorBox1 0x000080",
            "advance 600",
            "screenshot form " + shot,
            "click BitBtn8",
        },
        "ui-demo");
    auto& form = app.CreateForm<DemoForm>();
    int result = form.ShowModal();
    std::printf("modal result %d%s%s\n", result, ScriptFailed() ? ", script error: " : "", ScriptError().c_str());
    form.Free();
    return result == mrOk ? 0 : 1;
}
