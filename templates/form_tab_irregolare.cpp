// Tab "Irregolare": quadrilaterals (kind 7) in six polygon kinds. For kind 5
// the "Diagonale" and "Allineamento" edits hold the right and left offsets;
// their labels then give way to "Offset a destra" and "Offset a sinistra"
// at the same places.
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet3";

constexpr ControlSpec kTable[] = {
    Radio("RadioGroup1", P, "", 0, 4,
          "4 lati diversi\n1 angolo a 90°\n2 angoli a 90°\n3 angoli a 90°\n3 lati diversi\ntrapezio sghembo", 2),
    Lbl("LabelE9", P, "Lato sopra", 4),
    Num("Edit9", P, 4, "Lato sopra"),
    Lbl("LabelE10", P, "Lato sinistro", 5),
    Num("Edit10", P, 5, "Lato sinistro"),
    Lbl("LabelE11", P, "Lato destro", 6),
    Num("Edit11", P, 6, "Lato destro"),
    Lbl("LabelE12", P, "Lato sotto", 7),
    Num("Edit12", P, 7, "Lato sotto"),
    Lbl("LabelE13", P, "Diagonale", 8),
    Lbl("LabelOffsetDestra", P, "Offset a destra", 8),
    Num("Edit13", P, 8, "Diagonale"),
    Lbl("LabelE120", P, "Allineamento", 9),
    Lbl("LabelOffsetSinistra", P, "Offset a sinistra", 9),
    Num("Edit120", P, 9, "Allineamento"),
    Check("CheckBox13", P, "Matrice", 10),
    Button("BitBtn6", P, "0x0", 10, kEditX, kEditW, "Matrice di duplicazione"),
    // marking of the kind
    Lbl("LabelE104", P, "Marcatura", 12),
    Text("Edit104", P, 12, "Marcatura", 30),
    Lbl("LabelC3", P, "Colore", 13),
    Colour("ColorBox3", P, 13),
    Lbl("LabelE126", P, "Quantità", 14),
    Num("Edit126", P, 14, "Quantità"),
    Lbl("LabelE134", P, "Direzione", 15),
    Num("Edit134", P, 15, "Direzione"),
};

}  // namespace

std::span<const ui::ControlSpec> TabIrregolareTable() { return kTable; }

}  // namespace kvd::templates
