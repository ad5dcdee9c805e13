// Tab "Piano cucina": kitchen top (kind 1) with its item pages (holes,
// reinforcements, joint and through cuts), the edge inclinations and the
// side walls ("Alzatine", one page per side).
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet6";
constexpr std::string_view K = "PageControl2";
constexpr std::string_view S = "PageControl6";
constexpr int kSideX = 136;  // right of the side ticks

#define KVD_BAR_PAGE(sheet, caption, group, max, ex, ey, el)                      \
    Sheet(sheet, K, caption), Radio(group, sheet, "Max " max, 0, 2, "", 1),       \
        Lbl("LabelE" ex, sheet, "Orizzontale", 2), Num("Edit" ex, sheet, 2, "Orizzontale"), \
        Lbl("LabelE" ey, sheet, "Verticale", 3), Num("Edit" ey, sheet, 3, "Verticale"),     \
        Lbl("LabelE" el, sheet, "Lunghezza", 4), Num("Edit" el, sheet, 4, "Lunghezza")

#define KVD_SIDE_PAGE(sheet, caption, eh, ea, ed, eb, es)                                        \
    Sheet(sheet, S, caption), Lbl("LabelE" eh, sheet, "Altezza", 0), Num("Edit" eh, sheet, 0, "Altezza"), \
        Lbl("LabelE" ea, sheet, "Inclinazione alto", 1), Num("Edit" ea, sheet, 1, "Inclinazione alto"),    \
        Lbl("LabelE" ed, sheet, "Inclinazione destra", 2), Num("Edit" ed, sheet, 2, "Inclinazione destra"), \
        Lbl("LabelE" eb, sheet, "Inclinazione basso", 3), Num("Edit" eb, sheet, 3, "Inclinazione basso"),   \
        Lbl("LabelE" es, sheet, "Inclinazione sinistra", 4), Num("Edit" es, sheet, 4, "Inclinazione sinistra")

constexpr ControlSpec kTable[] = {
    Lbl("LabelE22", P, "Larghezza", 0),
    Num("Edit22", P, 0, "Larghezza"),
    Lbl("LabelE23", P, "Altezza", 1),
    Num("Edit23", P, 1, "Altezza"),
    Lbl("LabelE24", P, "Numero fori", 2),
    Num("Edit24", P, 2, "Numero fori"),
    Lbl("LabelE25", P, "Numero rinforzi orizzontali", 3),
    Num("Edit25", P, 3, "Numero rinforzi orizzontali"),
    Lbl("LabelE26", P, "Numero rinforzi verticali", 4),
    Num("Edit26", P, 4, "Numero rinforzi verticali"),
    Lbl("LabelE27", P, "Numero tagli incastro", 5),
    Num("Edit27", P, 5, "Numero tagli incastro"),
    Lbl("LabelE28", P, "Numero passanti orizz.", 6),
    Num("Edit28", P, 6, "Numero passanti orizz."),
    Lbl("LabelE29", P, "Numero passanti vert.", 7),
    Num("Edit29", P, 7, "Numero passanti vert."),
    Check("CheckBox18", P, "Alzatine", 8, 0, 120),
    Check("CheckBox19", P, "Esporta in un solo gruppo", 8, 1, 180),
    // marking of the kind
    Lbl("LabelE108", P, "Marcatura", 9),
    Text("Edit108", P, 9, "Marcatura", 30),
    Lbl("LabelC6", P, "Colore", 10),
    Colour("ColorBox6", P, 10),
    Lbl("LabelE129", P, "Quantità", 11),
    Num("Edit129", P, 11, "Quantità"),
    Lbl("LabelE137", P, "Direzione", 12),
    Num("Edit137", P, 12, "Direzione"),
    // item pages
    Pages("PageControl2", P, 13, 11),
    Sheet("TabSheet12", K, "Foro"),
    Radio("RadioGroup3", "TabSheet12", "Max 3", 0, 2, "", 1),
    Lbl("LabelE30", "TabSheet12", "Orizzontale", 2),
    Num("Edit30", "TabSheet12", 2, "Orizzontale"),
    Lbl("LabelE182", "TabSheet12", "Distanza da destra", 3),
    Num("Edit182", "TabSheet12", 3, "Distanza da destra"),
    Lbl("LabelE31", "TabSheet12", "Verticale", 4),
    Num("Edit31", "TabSheet12", 4, "Verticale"),
    Lbl("LabelE32", "TabSheet12", "Larghezza", 5),
    Num("Edit32", "TabSheet12", 5, "Larghezza"),
    Lbl("LabelE33", "TabSheet12", "Altezza", 6),
    Num("Edit33", "TabSheet12", 6, "Altezza"),
    Radio("RadioGroup2", "TabSheet12", "Speciali", 7, 2, "Nessuno\nSinistra\nDestra\nEntrambi", 4),
    Check("CheckBox22", "TabSheet12", "posizione orizzontale dal centro", 9, 0, kPageW - 30),
    KVD_BAR_PAGE("TabSheet13", "Rinforzo orizz.", "RadioGroup4", "6", "34", "35", "36"),
    KVD_BAR_PAGE("TabSheet14", "Rinforzo vert.", "RadioGroup5", "8", "37", "38", "39"),
    KVD_BAR_PAGE("TabSheet15", "Incastro", "RadioGroup6", "2", "40", "41", "42"),
    KVD_BAR_PAGE("TabSheet16", "Passante orizz.", "RadioGroup7", "2", "43", "44", "45"),
    KVD_BAR_PAGE("TabSheet17", "Passante vert.", "RadioGroup8", "2", "46", "47", "48"),
    Sheet("TabSheet18", K, "Inclinazione"),
    Lbl("LabelE90", "TabSheet18", "Inclinazione alto", 0),
    Num("Edit90", "TabSheet18", 0, "Inclinazione alto"),
    Lbl("LabelE161", "TabSheet18", "Inclinazione destra", 1),
    Num("Edit161", "TabSheet18", 1, "Inclinazione destra"),
    Lbl("LabelE162", "TabSheet18", "Inclinazione basso", 2),
    Num("Edit162", "TabSheet18", 2, "Inclinazione basso"),
    Lbl("LabelE163", "TabSheet18", "Inclinazione sinistra", 3),
    Num("Edit163", "TabSheet18", 3, "Inclinazione sinistra"),
    // side walls
    Sheet("TabSheet19", K, "Alzatine"),
    {"CheckListBox1", ControlClass::CheckListBox, "TabSheet19", "", kLabelX, RowY(0), 120, 3 * kRowH + 16, {},
     "Alto\nDestra\nBasso\nSinistra"},
    {"LabelE176", ControlClass::Label, "TabSheet19", "Distanza", kSideX, RowY(0) + 3, 120, 16},
    {"Edit176", ControlClass::Edit, "TabSheet19", "", kSideX + 124, RowY(0), 72, 21, "Distanza"},
    {"CheckBox20", ControlClass::CheckBox, "TabSheet19", "Altezza generale", kSideX, RowY(1), 122, 20},
    {"Edit177", ControlClass::Edit, "TabSheet19", "", kSideX + 124, RowY(1), 72, 21, "Altezza generale"},
    {"PageControl6", ControlClass::PageControl, "TabSheet19", "", 4, RowY(4) - 8, kPageW - 24, 5 * kRowH + 32},
    KVD_SIDE_PAGE("TabSheet20", "Alto", "178", "157", "158", "159", "160"),
    KVD_SIDE_PAGE("TabSheet21", "Destra", "179", "164", "165", "166", "167"),
    KVD_SIDE_PAGE("TabSheet22", "Basso", "180", "168", "169", "170", "171"),
    KVD_SIDE_PAGE("TabSheet23", "Sinistra", "181", "172", "173", "174", "175"),
};

#undef KVD_BAR_PAGE
#undef KVD_SIDE_PAGE

}  // namespace

std::span<const ui::ControlSpec> TabCucinaTable() { return kTable; }

}  // namespace kvd::templates
