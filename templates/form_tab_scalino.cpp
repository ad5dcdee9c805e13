// Tab "Scalino": stair step (kind 9) with its outer and inner machinings.
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet10";

constexpr ControlSpec kTable[] = {
    Lbl("LabelE115", P, "Profondità sinistra", 0),
    Num("Edit115", P, 0, "Profondità sinistra"),
    Lbl("LabelE116", P, "Incremento profondità", 1),
    Num("Edit116", P, 1, "Incremento profondità"),
    Lbl("LabelE117", P, "Spessore", 2),
    Num("Edit117", P, 2, "Spessore"),
    Lbl("LabelE100", P, "Larghezza", 3),
    Num("Edit100", P, 3, "Larghezza"),
    Lbl("LabelE101", P, "Altezza", 4),
    Num("Edit101", P, 4, "Altezza"),
    Lbl("LabelE112", P, "Spalla sopra", 5),
    Num("Edit112", P, 5, "Spalla sopra"),
    Lbl("LabelE113", P, "Spalla sotto", 6),
    Num("Edit113", P, 6, "Spalla sotto"),
    Lbl("LabelE114", P, "Larghezza fondo", 7),
    Num("Edit114", P, 7, "Larghezza fondo"),
    Button("BitBtnWithColor1", P, "Lavorazione esterna", 8, kLabelX, kPageW - 28),
    Button("BitBtnWithColor2", P, "Lavorazione interna", 9, kLabelX, kPageW - 28),
    Radio("RadioGroup20", P, "Uscita laterale interna", 10, 2, "nessuna\nraggio\ndiametro", 3),
    // marking of the kind
    Lbl("LabelE102", P, "Marcatura", 12),
    Text("Edit102", P, 12, "Marcatura", 30),
    Lbl("LabelC9", P, "Colore", 13),
    Colour("ColorBox9", P, 13),
    Lbl("LabelE132", P, "Quantità", 14),
    Num("Edit132", P, 14, "Quantità"),
    Lbl("LabelE140", P, "Direzione", 15),
    Num("Edit140", P, 15, "Direzione"),
};

}  // namespace

std::span<const ui::ControlSpec> TabScalinoTable() { return kTable; }

}  // namespace kvd::templates
