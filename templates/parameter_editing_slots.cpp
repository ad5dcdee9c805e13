#include "templates/parameter_editing_slots.h"

#include <charconv>

namespace kvd::templates {
namespace {

using T = SlotType;

constexpr int kMarking = 9324, kColour = 9820, kQuantity = 9884, kDirection = 9948;
constexpr int Marking(int kind) { return kMarking + 31 * kind; }
constexpr int Colour(int kind) { return kColour + 4 * kind; }
constexpr int Quantity(int kind) { return kQuantity + 4 * kind; }
constexpr int Direction(int kind) { return kDirection + 4 * kind; }
constexpr int Side(int side, int field) { return 24576 + 28 * side + field; }
constexpr int kTomb = 10828;

constexpr SlotDef kSlots[] = {
    // "Regolare"
    {1, "Edit1", T::U2, 0},
    {2, "Edit2", T::R6, 8},
    {3, "Edit3", T::R6, 16},
    {4, "Edit4", T::R6, 24},
    {5, "Edit5", T::R6, 32},
    {6, "Edit6", T::R6, 40},
    // "Rettangolo"
    {7, "Edit7", T::R6, 48},
    {8, "Edit8", T::R6, 56},
    // "Irregolare"
    {9, "Edit9", T::Quad, 4},
    {10, "Edit10", T::Quad, 5},
    {11, "Edit11", T::Quad, 6},
    {12, "Edit12", T::Quad, 7},
    {13, "Edit13", T::Quad, 2},
    // "Ellisse"
    {14, "Edit14", T::R6, 456},
    {15, "Edit15", T::R6, 464},
    // "Tagli rettilinei"
    {16, "Edit16", T::I4, 480},
    {17, "Edit17", T::R6, 488},
    {18, "Edit18", T::R6, 496},
    {19, "Edit19", T::I4, 504},
    {20, "Edit20", T::R6, 512},
    {21, "Edit21", T::R6, 520},
    // "Piano cucina"
    {22, "Edit22", T::D8, 528},
    {23, "Edit23", T::D8, 536},
    {24, "Edit24", T::Count, 544, "RadioGroup3", 0, 3, "TabSheet12"},
    {25, "Edit25", T::Count, 548, "RadioGroup4", 0, 6, "TabSheet13"},
    {26, "Edit26", T::Count, 552, "RadioGroup5", 0, 8, "TabSheet14"},
    {27, "Edit27", T::Count, 556, "RadioGroup6", 0, 2, "TabSheet15"},
    {28, "Edit28", T::Count, 560, "RadioGroup7", 0, 2, "TabSheet16"},
    {29, "Edit29", T::Count, 564, "RadioGroup8", 0, 2, "TabSheet17"},
    {30, "Edit30", T::D8, 640, "RadioGroup3", 48},
    {31, "Edit31", T::D8, 648, "RadioGroup3", 48},
    {32, "Edit32", T::D8, 656, "RadioGroup3", 48},
    {33, "Edit33", T::D8, 664, "RadioGroup3", 48},
    {34, "Edit34", T::D8, 784, "RadioGroup4", 32},
    {35, "Edit35", T::D8, 792, "RadioGroup4", 32},
    {36, "Edit36", T::D8, 800, "RadioGroup4", 32},
    {37, "Edit37", T::D8, 976, "RadioGroup5", 32},
    {38, "Edit38", T::D8, 984, "RadioGroup5", 32},
    {39, "Edit39", T::D8, 992, "RadioGroup5", 32},
    {40, "Edit40", T::D8, 1232, "RadioGroup6", 32},
    {41, "Edit41", T::D8, 1240, "RadioGroup6", 32},
    {42, "Edit42", T::D8, 1248, "RadioGroup6", 32},
    {43, "Edit43", T::D8, 1296, "RadioGroup7", 32},
    {44, "Edit44", T::D8, 1304, "RadioGroup7", 32},
    {45, "Edit45", T::D8, 1312, "RadioGroup7", 32},
    {46, "Edit46", T::D8, 1360, "RadioGroup8", 32},
    {47, "Edit47", T::D8, 1368, "RadioGroup8", 32},
    {48, "Edit48", T::D8, 1376, "RadioGroup8", 32},
    {49, "Edit49", T::R6, 472},
    {50, "Edit50", T::R6, 64},
    // "Top bagno"
    {51, "Edit51", T::D8, 1432},
    {52, "Edit52", T::D8, 1440},
    {53, "Edit53", T::Count, 1424, "RadioGroup10", 0, 3, "TabSheet27"},
    {54, "Edit54", T::D8, 1544},
    {55, "Edit55", T::D8, 1552},
    {56, "Edit56", T::D8, 1560},
    {57, "Edit57", T::D8, 1568},
    {58, "Edit58", T::D8, 1576},
    {59, "Edit59", T::D8, 1584, "RadioGroup10", 16},
    {60, "Edit60", T::D8, 1592, "RadioGroup10", 16},
    {61, "Edit61", T::D8, 1488},
    {62, "Edit62", T::D8, 1512},
    {63, "Edit63", T::D8, 1520},
    {64, "Edit64", T::D8, 1472},
    {65, "Edit65", T::D8, 1464},
    {66, "Edit66", T::D8, 1496},
    {67, "Edit67", T::D8, 1504},
    {68, "Edit68", T::D8, 1536},
    {69, "Edit69", T::D8, 1528},
    // "Top ad angolo" (and the bathroom's left side)
    {70, "Edit70", T::D8, 1632},
    {71, "Edit71", T::D8, 1640},
    {72, "Edit72", T::D8, 1448},
    {73, "Edit73", T::D8, 1456},
    {74, "Edit74", T::D8, 1480},
    {75, "Edit75", T::Count, 1664, "RadioGroup11", 0, 3, "TabSheet28"},
    {76, "Edit76", T::D8, 1680, "RadioGroup11", 48},
    {77, "Edit77", T::D8, 1688, "RadioGroup11", 48},
    {78, "Edit78", T::D8, 1696, "RadioGroup11", 48},
    {79, "Edit79", T::D8, 1704, "RadioGroup11", 48},
    {80, "Edit80", T::D8, 1824, "RadioGroup12", 32},
    {81, "Edit81", T::D8, 1832, "RadioGroup12", 32},
    {82, "Edit82", T::D8, 1840, "RadioGroup12", 32},
    {83, "Edit83", T::D8, 2016, "RadioGroup13", 32},
    {84, "Edit84", T::D8, 2024, "RadioGroup13", 32},
    {85, "Edit85", T::D8, 2032, "RadioGroup13", 32},
    {86, "Edit86", T::D8, 1648},
    {87, "Edit87", T::D8, 1656},
    {88, "Edit88", T::Count, 1668, "RadioGroup12", 0, 6, "TabSheet29"},
    {89, "Edit89", T::Count, 1672, "RadioGroup13", 0, 8, "TabSheet30"},
    {90, "Edit90", T::F4, 616},
    // "Lapide": the current item
    {91, "Edit91", T::F4, kTomb + 0, kTombstoneItem, 836},
    {92, "Edit92", T::F4, kTomb + 4, kTombstoneItem, 836},
    {93, "Edit93", T::F4, kTomb + 8, kTombstoneItem, 836},
    {94, "Edit94", T::F4, kTomb + 12, kTombstoneItem, 836},
    {95, "Edit95", T::F4, kTomb + 16, kTombstoneItem, 836},
    {96, "Edit96", T::F4, kTomb + 20, kTombstoneItem, 836},
    {97, "RadioGroup19", T::ItemJustify, kTomb + 176, kTombstoneItem, 836},
    {98, "CheckBox4", T::ItemBit, kTomb + 176, kTombstoneItem, 836, 0, {}, 10},
    {99, "MemoScrittura", T::ItemText, kTomb + 322, kTombstoneItem, 836},
    {100, "Edit97", T::R6, 9312},
    // markings by kind
    {103, "Edit103", T::Marking, Marking(6)},
    {104, "Edit104", T::Marking, Marking(7)},
    {105, "Edit105", T::Marking, Marking(8)},
    {106, "Edit106", T::Marking, Marking(5)},
    {107, "Edit107", T::Marking, Marking(0)},
    {108, "Edit108", T::Marking, Marking(1)},
    {109, "Edit109", T::Marking, Marking(2)},
    {110, "Edit110", T::Marking, Marking(3)},
    {111, "Edit111", T::Marking, Marking(4)},
    {112, "Edit98", T::I4, Quantity(6)},
    {113, "Edit99", T::F4, Direction(6)},
    {115, "Edit102", T::Marking, Marking(9)},
    // "Scalino"
    {116, "Edit100", T::R6, 10040},
    {117, "Edit101", T::R6, 10048},
    {118, "Edit112", T::R6, 10056},
    {119, "Edit113", T::R6, 10064},
    {120, "Edit114", T::R6, 10072},
    {121, "Edit115", T::R6, 10016},
    {122, "Edit116", T::R6, 10024},
    {123, "Edit117", T::R6, 10032},
    {124, "RadioGroup20", T::RadioI4, 10336},
    // slab of "Lapide"
    {125, "Edit118", T::F4, 2272},
    {126, "Edit119", T::F4, 2276},
    {127, "Edit120", T::Quad, 3},
    // circular holes of "Rettangolo"
    {128, "Edit121", T::Count, 24208, "RadioGroup21", 0, 8, "TabSheet31"},
    {129, "Edit122", T::R6, 24216},
    {130, "Edit123", T::R6, 24352 + 8, "RadioGroup21", 24},
    {131, "Edit124", T::R6, 24352 + 16, "RadioGroup21", 24},
    // quantities and directions by kind
    {132, "Edit125", T::I4, Quantity(5)},
    {133, "Edit126", T::I4, Quantity(7)},
    {134, "Edit127", T::I4, Quantity(8)},
    {135, "Edit128", T::I4, Quantity(0)},
    {136, "Edit129", T::I4, Quantity(1)},
    {137, "Edit130", T::I4, Quantity(2)},
    {138, "Edit131", T::I4, Quantity(3)},
    {139, "Edit132", T::I4, Quantity(9)},
    {140, "Edit133", T::F4, Direction(5)},
    {141, "Edit134", T::F4, Direction(7)},
    {142, "Edit135", T::F4, Direction(8)},
    {143, "Edit136", T::F4, Direction(0)},
    {144, "Edit137", T::F4, Direction(1)},
    {145, "Edit138", T::F4, Direction(2)},
    {146, "Edit139", T::F4, Direction(3)},
    {147, "Edit140", T::F4, Direction(9)},
    // colours by kind
    {147, "ColorBox2", T::Color, Colour(5)},
    {148, "ColorBox1", T::Color, Colour(6)},
    {149, "ColorBox3", T::Color, Colour(7)},
    {150, "ColorBox4", T::Color, Colour(8)},
    {151, "ColorBox5", T::Color, Colour(0)},
    {152, "ColorBox6", T::Color, Colour(1)},
    {153, "ColorBox7", T::Color, Colour(2)},
    {154, "ColorBox8", T::Color, Colour(3)},
    {155, "ColorBox9", T::Color, Colour(9)},
    {156, "Edit152", T::Marking, Marking(10)},
    // "Copertina"
    {157, "Edit141", T::R6, 10360},
    {158, "Edit142", T::R6, 10344},
    {159, "Edit143", T::R6, 10352},
    {160, "Edit144", T::R6, 10384},
    {161, "Edit149", T::R6, 10368},
    {162, "Edit151", T::R6, 10424},
    {163, "Edit145", T::R6, 10392},
    {164, "Edit146", T::R6, 10400},
    {165, "Edit147", T::R6, 10408},
    {166, "Edit148", T::R6, 10416},
    {167, "ColorBox10", T::Color, Colour(10)},
    {168, "Edit154", T::F4, Direction(10)},
    {169, "Edit153", T::I4, Quantity(10)},
    {170, "Edit150", T::R6, 10376},
    {171, "CheckBox7", T::ByteBit, 10688, {}, 0, 0, {}, 0},
    {172, "CheckBox8", T::ByteBit, 10688, {}, 0, 0, {}, 1},
    {173, "CheckBox9", T::ByteBit, 10688, {}, 0, 0, {}, 2},
    {174, "CheckBox10", T::ByteBit, 10688, {}, 0, 0, {}, 3},
    // marking position on "Lapide"
    {175, "Edit155", T::F4, 24568},
    {176, "Edit156", T::F4, 24572},
    // tombstone item options
    {177, "CheckBox15", T::ItemBit, kTomb + 176, kTombstoneItem, 836, 0, {}, 0},
    {178, "CheckBox16", T::ItemBit, kTomb + 176, kTombstoneItem, 836, 0, {}, 1},
    {179, "CheckBox17", T::ItemBit, kTomb + 176, kTombstoneItem, 836, 0, {}, 5},
    // side walls
    {180, "CheckListBox1", T::ByteBit, Side(0, 0), {}, 0, 0, {}, 0, 0},
    {181, "CheckListBox1", T::ByteBit, Side(1, 0), {}, 0, 0, {}, 0, 1},
    {182, "CheckListBox1", T::ByteBit, Side(2, 0), {}, 0, 0, {}, 0, 2},
    {183, "CheckListBox1", T::ByteBit, Side(3, 0), {}, 0, 0, {}, 0, 3},
    {203, "Edit176", T::F4, 632},
    {204, "Edit177", T::F4, 636},
    {205, "Edit178", T::F4, Side(0, 8)},
    {206, "Edit179", T::F4, Side(1, 8)},
    {207, "Edit180", T::F4, Side(2, 8)},
    {208, "Edit181", T::F4, Side(3, 8)},
    {209, "Edit182", T::LinkedHole},
    {211, "Edit157", T::F4, Side(0, 20)},
    {212, "Edit158", T::F4, Side(0, 16)},
    {213, "Edit159", T::F4, Side(0, 12)},
    {214, "Edit160", T::F4, Side(0, 24)},
    {215, "Edit164", T::F4, Side(1, 12)},
    {216, "Edit165", T::F4, Side(1, 16)},
    {217, "Edit166", T::F4, Side(1, 20)},
    {218, "Edit167", T::F4, Side(1, 24)},
    {219, "Edit168", T::F4, Side(2, 12)},
    {220, "Edit169", T::F4, Side(2, 16)},
    {221, "Edit170", T::F4, Side(2, 20)},
    {222, "Edit171", T::F4, Side(2, 24)},
    {223, "Edit172", T::F4, Side(3, 12)},
    {224, "Edit173", T::F4, Side(3, 24)},
    {225, "Edit174", T::F4, Side(3, 20)},
    {226, "Edit175", T::F4, Side(3, 16)},
    {227, "Edit161", T::F4, 620},
    {228, "Edit162", T::F4, 624},
    {229, "Edit163", T::F4, 628},
};

}  // namespace

std::span<const SlotDef> SlotTable() { return kSlots; }

SlotMask MaskFromText(std::string_view text) {
    SlotMask m;
    for (std::size_t i = 0; i < text.size() && i < static_cast<std::size_t>(kSlotCount); ++i)
        if (text[i] == '1') m.set(i + 1);
    return m;
}

std::string MaskToText(const SlotMask& mask) {
    std::string s(kSlotCount, '0');
    for (int i = 1; i <= kSlotCount; ++i)
        if (mask.test(static_cast<std::size_t>(i))) s[static_cast<std::size_t>(i - 1)] = '1';
    return s;
}

SlotMask Slots(std::initializer_list<int> slots) {
    SlotMask m;
    for (int s : slots)
        if (s >= 1 && s <= kSlotCount) m.set(static_cast<std::size_t>(s));
    return m;
}

SlotMask SlotRange(int first, int last) {
    SlotMask m;
    for (int s = std::max(first, 1); s <= last && s <= kSlotCount; ++s) m.set(static_cast<std::size_t>(s));
    return m;
}

SlotMask AllSlots() { return SlotRange(1, kSlotCount); }

int SlotOfEditNumber(int n) {
    if ((n >= 1 && n <= 96) || (n >= 103 && n <= 111)) return n;
    if (n == 97) return 100;
    if (n == 98 || n == 99) return n + 14;
    if (n == 100 || n == 101 || (n >= 141 && n <= 144)) return n + 16;
    if (n == 102) return 115;
    if (n >= 112 && n <= 117) return n + 6;
    if (n >= 118 && n <= 140) return n + 7;
    if (n >= 145 && n <= 148) return n + 18;
    switch (n) {
        case 149: return 161;
        case 150: return 170;
        case 151: return 162;
        case 152: return 156;
        case 153: return 169;
        case 154: return 168;
        case 155: return 175;
        case 156: return 176;
        case 176: return 203;
        case 177: return 204;
        case 182: return 209;
        case 183: return 210;
        default: break;
    }
    if (n >= 157 && n <= 160) return n + 54;
    if (n >= 161 && n <= 163) return n + 66;
    if (n >= 164 && n <= 175) return n + 51;
    if (n >= 178 && n <= 181) return n + 27;
    return 0;
}

int SlotOfEdit(std::string_view name) {
    if (name.size() < 5) return 0;
    auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
    const char* edit = "edit";
    for (int i = 0; i < 4; ++i)
        if (lower(name[static_cast<std::size_t>(i)]) != edit[i]) return 0;
    int n = 0;
    const char* first = name.data() + 4;
    const char* last = name.data() + name.size();
    auto [p, ec] = std::from_chars(first, last, n);
    if (ec != std::errc{} || p != last || *first == '0') return 0;
    return SlotOfEditNumber(n);
}

int KindOfPerKindOffset(int offset) {
    if (offset >= kMarking && offset < kMarking + 31 * 11) return (offset - kMarking) % 31 == 0 ? (offset - kMarking) / 31 : -1;
    for (int base : {kColour, kQuantity, kDirection})
        if (offset >= base && offset < base + 44) return (offset - base) / 4;
    return -1;
}

}  // namespace kvd::templates
