// Tab "Regolare": regular polygon (kind 5).
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet1";

constexpr ControlSpec kTable[] = {
    Lbl("LabelE1", P, "Numero Lati", 0),
    Num("Edit1", P, 0, "Numero Lati"),
    Lbl("LabelE2", P, "Lunghezza Lato", 1),
    Num("Edit2", P, 1, "Lunghezza Lato"),
    Lbl("LabelE3", P, "Raggio Circoscritto", 2),
    Num("Edit3", P, 2, "Raggio Circoscritto"),
    Lbl("LabelE4", P, "Raggio Inscritto", 3),
    Num("Edit4", P, 3, "Raggio Inscritto"),
    Lbl("LabelE5", P, "Raggio Raccordo", 4),
    Num("Edit5", P, 4, "Raggio Raccordo"),
    Lbl("LabelE6", P, "Angolo Rotazione", 5),
    Num("Edit6", P, 5, "Angolo Rotazione"),
    Check("CheckBox12", P, "Matrice", 6),
    Button("BitBtn5", P, "0x0", 6, kEditX, kEditW, "Matrice di duplicazione"),
    // marking of the kind
    Lbl("LabelE106", P, "Marcatura", 8),
    Text("Edit106", P, 8, "Marcatura", 30),
    Lbl("LabelC2", P, "Colore", 9),
    Colour("ColorBox2", P, 9),
    Lbl("LabelE125", P, "Quantità", 10),
    Num("Edit125", P, 10, "Quantità"),
    Lbl("LabelE133", P, "Direzione", 11),
    Num("Edit133", P, 11, "Direzione"),
};

}  // namespace

std::span<const ui::ControlSpec> TabRegolareTable() { return kTable; }

}  // namespace kvd::templates
