// Tab "Copertina": coping (kind 10) with its optional reinforcements.
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet11";

constexpr ControlSpec kTable[] = {
    Lbl("LabelE142", P, "Larghezza sinistra", 0),
    Num("Edit142", P, 0, "Larghezza sinistra"),
    Lbl("LabelE143", P, "Larghezza destra", 1),
    Num("Edit143", P, 1, "Larghezza destra"),
    Lbl("LabelE141", P, "Larghezza assiale", 2),
    Num("Edit141", P, 2, "Larghezza assiale"),
    Lbl("LabelE149", P, "Raggio superiore", 3),
    Num("Edit149", P, 3, "Raggio superiore"),
    Lbl("LabelE150", P, "Raggio inferiore", 4),
    Num("Edit150", P, 4, "Raggio inferiore"),
    Lbl("LabelE144", P, "Raggio assiale", 5),
    Num("Edit144", P, 5, "Raggio assiale"),
    Lbl("LabelE151", P, "Freccia assiale", 6),
    Num("Edit151", P, 6, "Freccia assiale"),
    Check("CheckBox7", P, "rinforzo sopra", 7),
    Num("Edit145", P, 7, "rinforzo sopra"),
    Check("CheckBox8", P, "rinforzo sotto", 8),
    Num("Edit146", P, 8, "rinforzo sotto"),
    Check("CheckBox9", P, "rinforzo destra", 9),
    Num("Edit147", P, 9, "rinforzo destra"),
    Check("CheckBox10", P, "rinforzo sinistra", 10),
    Num("Edit148", P, 10, "rinforzo sinistra"),
    // marking of the kind
    Lbl("LabelE152", P, "Marcatura", 12),
    Text("Edit152", P, 12, "Marcatura", 30),
    Lbl("LabelC10", P, "Colore", 13),
    Colour("ColorBox10", P, 13),
    Lbl("LabelE153", P, "Quantità", 14),
    Num("Edit153", P, 14, "Quantità"),
    Lbl("LabelE154", P, "Direzione", 15),
    Num("Edit154", P, 15, "Direzione"),
};

}  // namespace

std::span<const ui::ControlSpec> TabCopertinaTable() { return kTable; }

}  // namespace kvd::templates
