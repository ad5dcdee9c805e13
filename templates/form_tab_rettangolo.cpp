// Tab "Rettangolo": rectangle (kind 6) with its circular holes.
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet2";
constexpr std::string_view H = "TabSheet31";

constexpr ControlSpec kTable[] = {
    Lbl("LabelE7", P, "Larghezza", 0),
    Num("Edit7", P, 0, "Larghezza"),
    Lbl("LabelE8", P, "Altezza", 1),
    Num("Edit8", P, 1, "Altezza"),
    Lbl("LabelE50", P, "Raggio raccordo", 2),
    Num("Edit50", P, 2, "Raggio raccordo"),
    Check("CheckBox2", P, "Smusso", 3),
    Check("CheckBox11", P, "Matrice", 4),
    Button("BitBtnMatrice", P, "0x0", 4, kEditX, kEditW, "Matrice di duplicazione"),
    Lbl("LabelE121", P, "Quantità cerchiature", 5),
    Num("Edit121", P, 5, "Quantità cerchiature"),
    // marking of the kind
    Lbl("LabelE103", P, "Marcatura", 6),
    Text("Edit103", P, 6, "Marcatura", 30),
    Lbl("LabelC1", P, "Colore", 7),
    Colour("ColorBox1", P, 7),
    Lbl("LabelE98", P, "Quantità", 8),
    Num("Edit98", P, 8, "Quantità"),
    Lbl("LabelE99", P, "Direzione", 9),
    Num("Edit99", P, 9, "Direzione"),
    // the circular holes, one at a time
    Pages("PageControl5", P, 10, 10),
    Sheet(H, "PageControl5", "Cerchiature"),
    Radio("RadioGroup21", H, "Max 8", 0, 2, "", 1),
    Lbl("LabelE122", H, "Diametro", 2),
    Num("Edit122", H, 2, "Diametro"),
    Radio("RadioGroup22", H, "Riferimento", 3, 2, "btm-lf\nbtm-rt\ntop-lf\ntop-rt", 4),
    Lbl("LabelE123", H, "Orizzontale", 5),
    Num("Edit123", H, 5, "Orizzontale"),
    Lbl("LabelE124", H, "Verticale", 6),
    Num("Edit124", H, 6, "Verticale"),
    Button("BitBtnWithColor4", H, "Lavorazione", 7, kLabelX, kPageW - 28),
};

}  // namespace

std::span<const ui::ControlSpec> TabRettangoloTable() { return kTable; }

}  // namespace kvd::templates
