// Tab "Ellisse": ellipse, oval and circle (kind 8).
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet4";

constexpr ControlSpec kTable[] = {
    Lbl("LabelE14", P, "Larghezza", 0),
    Num("Edit14", P, 0, "Larghezza"),
    Lbl("LabelE15", P, "Altezza", 1),
    Num("Edit15", P, 1, "Altezza"),
    Lbl("LabelE49", P, "Raggio raccordo", 2),
    Num("Edit49", P, 2, "Raggio raccordo"),
    // marking of the kind
    Lbl("LabelE105", P, "Marcatura", 4),
    Text("Edit105", P, 4, "Marcatura", 30),
    Lbl("LabelC4", P, "Colore", 5),
    Colour("ColorBox4", P, 5),
    Lbl("LabelE127", P, "Quantità", 6),
    Num("Edit127", P, 6, "Quantità"),
    Lbl("LabelE135", P, "Direzione", 7),
    Num("Edit135", P, 7, "Direzione"),
};

}  // namespace

std::span<const ui::ControlSpec> TabEllisseTable() { return kTable; }

}  // namespace kvd::templates
