// The frame of the templates form: the tab column with its eleven tabs, the
// measurement label and the preview, the buttons under the tab column, the
// markers of the rectangle's circular holes, the timers and the pop-up menu.
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
using ui::BitKind;

constexpr int kButtonsY = kTop + kTabH + 8;

constexpr ControlSpec kFrame[] = {
    {"PageControl1", ControlClass::PageControl, "", "", 4, 4, kTabW, kTabH},
    Sheet("TabSheet1", "PageControl1", "Regolare"),
    Sheet("TabSheet2", "PageControl1", "Rettangolo"),
    Sheet("TabSheet3", "PageControl1", "Irregolare"),
    Sheet("TabSheet4", "PageControl1", "Ellisse"),
    Sheet("TabSheet5", "PageControl1", "Tagli rettilinei"),
    Sheet("TabSheet6", "PageControl1", "Piano cucina"),
    Sheet("TabSheet7", "PageControl1", "Top bagno"),
    Sheet("TabSheet8", "PageControl1", "Top ad angolo"),
    Sheet("TabSheet9", "PageControl1", "Lapide"),
    Sheet("TabSheet10", "PageControl1", "Scalino"),
    Sheet("TabSheet11", "PageControl1", "Copertina"),
    // Buttons under the tab column: send, OK (caption from its kind), close.
    {"BitBtnSendLintra", ControlClass::BitButton, "", "Lintra", 8, kButtonsY, 110, 30, "to Lintra"},
    {"BitBtn8", ControlClass::BitButton, "", "", kTabW - 200, kButtonsY, 96, 30, {}, {}, 0, 1, 1000, true, true,
     BitKind::Ok, ui::mrOk},
    {"BitBtn7", ControlClass::BitButton, "", "Chiudi", kTabW - 96, kButtonsY, 96, 30, {}, {}, 0, 1, 1000, true,
     true, BitKind::Cancel, ui::mrCancel},
    // The preview fills the rest of the form (sized on show).
    {"Label14", ControlClass::Label, "", "", kTabW + 12, 6, 700, 16},
    {"Image1", ControlClass::Image, "", "", kTabW + 10, 26, 640, 640},
    {"PanelGL", ControlClass::Panel, "", "", kTabW + 10, 26, 640, 640, {}, {}, 0, 1, 1000, true, false},
    {"Shape1", ControlClass::Shape, "", "", 0, 0, 10, 10, {}, {}, 0, 1, 1000, true, false},
    {"Shape2", ControlClass::Shape, "", "", 0, 0, 10, 10, {}, {}, 0, 1, 1000, true, false},
    {"TimerRitraccia", ControlClass::Timer, "", "", 0, 0, 0, 0, {}, {}, 0, 1, 500, false},
    {"TimerDrawScene", ControlClass::Timer, "", "", 0, 0, 0, 0, {}, {}, 0, 1, 100, false},
    {"PopupMenuScrittura", ControlClass::PopupMenu, "", ""},
};

}  // namespace

std::span<const ui::ControlSpec> FormFrameTable() { return kFrame; }

}  // namespace kvd::templates
