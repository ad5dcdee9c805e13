// Tab "Lapide": the tombstone composer (kind 4): slab size, background and
// part buttons, the marking with its position, and Panel1 with the controls
// of the current item.
#include "templates/form_layout.h"
#include "templates/form_tabs.h"

namespace kvd::templates {
namespace {
using namespace layout;
constexpr std::string_view P = "TabSheet9";
constexpr std::string_view I = "Panel1";
constexpr int kB = 66;  // width of the small buttons

constexpr ControlSpec kTable[] = {
    Lbl("LabelE118", P, "Larghezza", 0),
    Num("Edit118", P, 0, "Larghezza"),
    Lbl("LabelE119", P, "Altezza", 1),
    Num("Edit119", P, 1, "Altezza"),
    Check("CheckBox14", P, "Somma lavorazioni", 2),
    Button("BitBtn2", P, "Sfondo", 3, kLabelX, kB, "Load background image"),
    Button("BitBtn9", P, "Nuovo", 3, kLabelX + (kB + 4), kB, "New"),
    Button("BitBtn10", P, "Salva", 3, kLabelX + 2 * (kB + 4), kB, "Save as tumbstone part"),
    Button("BitBtnWithColor5", P, "+", 3, kLabelX + 3 * (kB + 4), 40, "Add a new item"),
    Button("BitBtnWithColor6", P, "-", 3, kLabelX + 3 * (kB + 4) + 44, 40, "Delete the selected item"),
    Button("BitBtnWithColor3", P, "2D", 3, kLabelX + 3 * (kB + 4) + 88, 40, "Vista dall'alto"),
    Button("BitBtn20", P, "Salva immagine", 2, kEditX, 150, "Save as picture"),
    // marking of the kind
    {"Label103", ControlClass::Label, P, "Marcatura", kLabelX, RowY(4) + 3, kLabelW, 16},
    Text("Edit111", P, 4, "Marcatura", 30),
    {"Label164", ControlClass::Label, P, "Posizione orizzontale", kLabelX, RowY(5) + 3, kLabelW, 16},
    Num("Edit155", P, 5, "Posizione orizzontale"),
    {"Label165", ControlClass::Label, P, "Posizione verticale", kLabelX, RowY(6) + 3, kLabelW, 16},
    Num("Edit156", P, 6, "Posizione verticale"),
    // the current item
    {"Panel1", ControlClass::Panel, P, "", 4, RowY(7), kPageW - 8, 18 * kRowH + 8},
    {"Label166", ControlClass::Label, I, "[ ]", kLabelX, RowY(0) + 3, 30, 16},
    Radio("RadioGroup18", I, "Elemento", 0, 2, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16", 8, 40,
          kPageW - 56),
    Button("BitBtnWithColor7", I, "Immagine", 2, kLabelX, 80, "Scelta immagine"),
    Button("BitBtnWithColor8", I, "Bassorilievo", 2, kLabelX + 84, 80, "Scelta bassorilievo"),
    Button("BitBtnWithColor9", I, "Incisione", 2, kLabelX + 168, 80, "Scelta incisione"),
    Button("BitBtnWithColor10", I, "Testo", 2, kLabelX + 252, 80, "Scelta immagine"),
    Button("BitBtnWithColor11", I, "Contorno", 3, kLabelX, 80, "Scelta bassorilievo"),
    {"Label98", ControlClass::Label, I, "", kLabelX + 88, RowY(3) + 3, kPageW - 110, 16},
    {"Label92", ControlClass::Label, I, "Posizione orizzontale", kLabelX, RowY(4) + 3, kLabelW, 16},
    Num("Edit91", I, 4, "Posizione orizzontale"),
    {"Label93", ControlClass::Label, I, "Posizione verticale", kLabelX, RowY(5) + 3, kLabelW, 16},
    Num("Edit92", I, 5, "Posizione verticale"),
    {"Label91", ControlClass::Label, I, "Dimensione X", kLabelX, RowY(6) + 3, kLabelW, 16},
    {"Label94", ControlClass::Label, I, "Altezza caratteri", kLabelX, RowY(6) + 3, kLabelW, 16},
    Num("Edit93", I, 6, "Dimensione X"),
    {"Label167", ControlClass::Label, I, "Dimensione Y", kLabelX, RowY(7) + 3, kLabelW, 16},
    {"Label95", ControlClass::Label, I, "Distanza righe", kLabelX, RowY(7) + 3, kLabelW, 16},
    Num("Edit94", I, 7, "Dimensione Y"),
    {"Label96", ControlClass::Label, I, "Distanza parole", kLabelX, RowY(8) + 3, kLabelW, 16},
    Num("Edit95", I, 8, "Distanza parole"),
    {"Label97", ControlClass::Label, I, "Distanza caratteri", kLabelX, RowY(9) + 3, kLabelW, 16},
    Num("Edit96", I, 9, "Distanza caratteri"),
    Check("CheckBox4", I, "Proporzionale", 10),
    Check("CheckBox17", I, "Da adattare alla superficie", 10, 1, 170),
    Check("CheckBox15", I, "Acquisisce colore dello sfondo", 11, 0, kPageW - 30),
    Check("CheckBox16", I, "Trasparenza rispetto al colore bianco", 12, 0, kPageW - 30),
    Check("CheckBox1", I, "Capovolgi orizzontale", 13),
    Check("CheckBox3", I, "Capovolgi verticale", 13, 1, 170),
    Radio("RadioGroup19", I, "Giustificazione", 14, 2, "Destra\nSinistra\nCentro", 3),
    {"MemoScrittura", ControlClass::Memo, I, "", kLabelX, RowY(16), kPageW - 30, 2 * kRowH - 4, "Scrittura", {},
     254},
};

}  // namespace

std::span<const ui::ControlSpec> TabLapideTable() { return kTable; }

}  // namespace kvd::templates
