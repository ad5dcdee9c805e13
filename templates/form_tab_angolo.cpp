// Tab "Top ad angolo": L-shaped corner top (kind 3) with its holes and
// reinforcements; the "Direzione" choices apply when the inner corner is
// cut ("Smusso").
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet8";
constexpr std::string_view K = "PageControl4";
constexpr std::string_view F = "TabSheet28";
constexpr std::string_view H = "TabSheet29";
constexpr std::string_view V = "TabSheet30";
constexpr std::string_view kDirections = "Normale\nAllineato";

constexpr ControlSpec kTable[] = {
    Lbl("LabelE70", P, "Larghezza", 0),
    Num("Edit70", P, 0, "Larghezza"),
    Lbl("LabelE71", P, "Altezza", 1),
    Num("Edit71", P, 1, "Altezza"),
    Lbl("LabelE86", P, "Larghezza sporgenza", 2),
    Num("Edit86", P, 2, "Larghezza sporgenza"),
    Lbl("LabelE87", P, "Altezza sporgenza", 3),
    Num("Edit87", P, 3, "Altezza sporgenza"),
    Lbl("LabelE75", P, "Numero fori", 4),
    Num("Edit75", P, 4, "Numero fori"),
    Lbl("LabelE88", P, "Numero rinforzi orizzontali", 5),
    Num("Edit88", P, 5, "Numero rinforzi orizzontali"),
    Lbl("LabelE89", P, "Numero rinforzi verticali", 6),
    Num("Edit89", P, 6, "Numero rinforzi verticali"),
    Radio("RadioGroup14", P, "Raccordo", 7, 2, "Angolo\nSmusso", 2),
    // marking of the kind
    Lbl("LabelE110", P, "Marcatura", 9),
    Text("Edit110", P, 9, "Marcatura", 30),
    Lbl("LabelC8", P, "Colore", 10),
    Colour("ColorBox8", P, 10),
    Lbl("LabelE131", P, "Quantità", 11),
    Num("Edit131", P, 11, "Quantità"),
    Lbl("LabelE139", P, "Direzione", 12),
    Num("Edit139", P, 12, "Direzione"),
    Pages("PageControl4", P, 13, 11),
    Sheet(F, K, "Foro"),
    Radio("RadioGroup11", F, "Max 3", 0, 2, "", 1),
    Lbl("LabelE76", F, "Orizzontale", 2),
    Num("Edit76", F, 2, "Orizzontale"),
    Lbl("LabelE77", F, "Verticale", 3),
    Num("Edit77", F, 3, "Verticale"),
    Lbl("LabelE78", F, "Lunghezza", 4),
    Num("Edit78", F, 4, "Lunghezza"),
    Lbl("LabelE79", F, "Altezza", 5),
    Num("Edit79", F, 5, "Altezza"),
    Radio("RadioGroup9", F, "Speciali", 6, 3, "Nessuno\nSinistra\nDestra\n2 lati\n4 lati", 3),
    Radio("RadioGroup15", F, "Direzione", 9, 2, kDirections, 2),
    Sheet(H, K, "Rinforzo orizz."),
    Radio("RadioGroup12", H, "Max 6", 0, 2, "", 1),
    Lbl("LabelE80", H, "Orizzontale", 2),
    Num("Edit80", H, 2, "Orizzontale"),
    Lbl("LabelE81", H, "Verticale", 3),
    Num("Edit81", H, 3, "Verticale"),
    Lbl("LabelE82", H, "Lunghezza", 4),
    Num("Edit82", H, 4, "Lunghezza"),
    Radio("RadioGroup16", H, "Direzione", 5, 2, kDirections, 2),
    Sheet(V, K, "Rinforzo vert."),
    Radio("RadioGroup13", V, "Max 8", 0, 2, "", 1),
    Lbl("LabelE83", V, "Orizzontale", 2),
    Num("Edit83", V, 2, "Orizzontale"),
    Lbl("LabelE84", V, "Verticale", 3),
    Num("Edit84", V, 3, "Verticale"),
    Lbl("LabelE85", V, "Lunghezza", 4),
    Num("Edit85", V, 4, "Lunghezza"),
    Radio("RadioGroup17", V, "Direzione", 5, 2, kDirections, 2),
};

}  // namespace

std::span<const ui::ControlSpec> TabAngoloTable() { return kTable; }

}  // namespace kvd::templates
