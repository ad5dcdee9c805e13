// Tab "Tagli rettilinei": a grid of straight cuts (kind 0). Its "Marcatura"
// label is the one every other tab's marking label copies on show.
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet5";
constexpr int kAutoX = kEditX + kEditW + 6;

constexpr ControlSpec kTable[] = {
    Lbl("LabelE16", P, "Numero orizzontali", 0),
    Num("Edit16", P, 0, "Numero orizzontali"),
    Lbl("LabelE17", P, "Lunghezza", 1),
    Num("Edit17", P, 1, "Lunghezza"),
    Button("BitBtn3", P, "Auto", 1, kAutoX, 60),
    Lbl("LabelE18", P, "Distanza tagli", 2),
    Num("Edit18", P, 2, "Distanza tagli"),
    Lbl("LabelE19", P, "Numero verticali", 4),
    Num("Edit19", P, 4, "Numero verticali"),
    Lbl("LabelE20", P, "Lunghezza", 5),
    Num("Edit20", P, 5, "Lunghezza"),
    Button("BitBtn4", P, "Auto", 5, kAutoX, 60),
    Lbl("LabelE21", P, "Distanza tagli", 6),
    Num("Edit21", P, 6, "Distanza tagli"),
    Check("CheckBox5", P, "Spessore del taglio", 8),
    Num("Edit97", P, 8, "Spessore del taglio"),
    Check("CheckBox6", P, "Assegna la lavorazione dalla sequenza", 9, 0, kPageW - 20),
    // marking of the kind
    Lbl("LabelE107", P, "Marcatura", 11),
    Text("Edit107", P, 11, "Marcatura", 30),
    Lbl("LabelC5", P, "Colore", 12),
    Colour("ColorBox5", P, 12),
    Lbl("LabelE128", P, "Quantità", 13),
    Num("Edit128", P, 13, "Quantità"),
    Lbl("LabelE136", P, "Direzione", 14),
    Num("Edit136", P, 14, "Direzione"),
};

}  // namespace

std::span<const ui::ControlSpec> TabTagliTable() { return kTable; }

}  // namespace kvd::templates
