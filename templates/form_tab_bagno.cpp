// Tab "Top bagno": bathroom top (kind 2) with its left and right sides, the
// sink and the taps.
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet7";
constexpr std::string_view K = "PageControl3";
constexpr std::string_view L = "TabSheet24";
constexpr std::string_view R = "TabSheet25";
constexpr std::string_view W = "TabSheet26";
constexpr std::string_view T = "TabSheet27";

constexpr ControlSpec kTable[] = {
    Lbl("LabelE51", P, "Larghezza", 0),
    Num("Edit51", P, 0, "Larghezza"),
    Lbl("LabelE52", P, "Altezza", 1),
    Num("Edit52", P, 1, "Altezza"),
    Lbl("LabelE53", P, "Numero rubinetti", 2),
    Num("Edit53", P, 2, "Numero rubinetti"),
    // marking of the kind
    Lbl("LabelE109", P, "Marcatura", 3),
    Text("Edit109", P, 3, "Marcatura", 30),
    Lbl("LabelC7", P, "Colore", 4),
    Colour("ColorBox7", P, 4),
    Lbl("LabelE130", P, "Quantità", 5),
    Num("Edit130", P, 5, "Quantità"),
    Lbl("LabelE138", P, "Direzione", 6),
    Num("Edit138", P, 6, "Direzione"),
    Pages("PageControl3", P, 7, 8),
    Sheet(L, K, "Lato sinistro"),
    Lbl("LabelE72", L, "Distanza da sinistra", 0),
    Num("Edit72", L, 0, "Distanza da sinistra"),
    Lbl("LabelE73", L, "Larghezza", 1),
    Num("Edit73", L, 1, "Larghezza"),
    Lbl("LabelE74", L, "Distanza da sopra", 2),
    Num("Edit74", L, 2, "Distanza da sopra"),
    Lbl("LabelE61", L, "Ampiezza inclinazione", 3),
    Num("Edit61", L, 3, "Ampiezza inclinazione"),
    Lbl("LabelE62", L, "Raggio sinistro", 4),
    Num("Edit62", L, 4, "Raggio sinistro"),
    Lbl("LabelE63", L, "Raggio interno sinistro", 5),
    Num("Edit63", L, 5, "Raggio interno sinistro"),
    Sheet(R, K, "Lato destro"),
    Lbl("LabelE64", R, "Distanza da destra", 0),
    Num("Edit64", R, 0, "Distanza da destra"),
    Lbl("LabelE65", R, "Larghezza", 1),
    Num("Edit65", R, 1, "Larghezza"),
    Lbl("LabelE66", R, "Distanza da sopra", 2),
    Num("Edit66", R, 2, "Distanza da sopra"),
    Lbl("LabelE67", R, "Ampiezza inclinazione", 3),
    Num("Edit67", R, 3, "Ampiezza inclinazione"),
    Lbl("LabelE68", R, "Raggio destro", 4),
    Num("Edit68", R, 4, "Raggio destro"),
    Lbl("LabelE69", R, "Raggio interno destro", 5),
    Num("Edit69", R, 5, "Raggio interno destro"),
    Sheet(W, K, "Lavello"),
    Lbl("LabelE54", W, "Posizione centro lavello da sx", 0),
    Num("Edit54", W, 0, "Posizione centro lavello da sx"),
    Lbl("LabelE55", W, "Distanza da sotto", 1),
    Num("Edit55", W, 1, "Distanza da sotto"),
    Lbl("LabelE56", W, "Larghezza foro lavello", 2),
    Num("Edit56", W, 2, "Larghezza foro lavello"),
    Lbl("LabelE57", W, "Altezza foro lavello", 3),
    Num("Edit57", W, 3, "Altezza foro lavello"),
    Lbl("LabelE58", W, "Raggio raccordo (ovale)", 4),
    Num("Edit58", W, 4, "Raggio raccordo (ovale)"),
    Sheet(T, K, "Rubinetti"),
    Radio("RadioGroup10", T, "Max 3", 0, 2, "", 1),
    Lbl("LabelE59", T, "Posizione orizzontale", 2),
    Num("Edit59", T, 2, "Posizione orizzontale"),
    Lbl("LabelE60", T, "Distanza da sopra", 3),
    Num("Edit60", T, 3, "Distanza da sopra"),
};

}  // namespace

std::span<const ui::ControlSpec> TabBagnoTable() { return kTable; }

}  // namespace kvd::templates
