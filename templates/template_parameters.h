// TemplateParameters: every value the operator can type or tick on the tabs
// of the templates dialog, in one 24688-byte record (also the layout of the
// older raw settings file), plus the working copies that live beside it.
// Lengths are millimetres, angles degrees. Bytes not named are reserved.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/short_string.h"
#include "kvd/real48.h"

namespace kvd {

#pragma pack(push, 1)

// Eight doubles of one quadrilateral kind. Slots 0 and 1 are not edited;
// 2 "Diagonale" (right offset for kind 5), 3 "Allineamento" (left offset for
// kind 5), 4 "Lato sopra", 5 "Lato sinistro", 6 "Lato destro", 7 "Lato sotto".
struct QuadrilateralSet {
    double Slot[8];
};

// Hole of the kitchen and corner tops (48 bytes).
struct HoleItem {
    double X;          // "Orizzontale"
    double Y;          // "Verticale"
    double Width;      // "Larghezza" (corner top: "Lunghezza")
    double Height;     // "Altezza"
    double Extra;      // no control
    std::uint8_t Special;  // "Speciali" index
    std::uint8_t Flags;    // bit 0: corner top "Direzione" = "Allineato"
    std::uint8_t Reserved42[6];
};

// Reinforcement, joint cut or through cut (32 bytes).
struct BarItem {
    double X;       // "Orizzontale"
    double Y;       // "Verticale"
    double Length;  // "Lunghezza"
    std::uint8_t Flags;  // bit 0: corner top "Direzione" = "Allineato"
    std::uint8_t Reserved25[7];
};

// Tap of the bathroom top (16 bytes).
struct TapItem {
    double X;        // "Posizione orizzontale"
    double FromTop;  // "Distanza da sopra"
};

// Circular hole of the rectangle (24 bytes).
struct CircularHoleItem {
    std::int32_t Corner;  // "Riferimento": 0 btm-lf, 1 btm-rt, 2 top-lf, 3 top-rt
    std::uint8_t Reserved4[4];
    Real48 X;  // "Orizzontale"
    std::uint8_t Reserved14[2];
    Real48 Y;  // "Verticale"
    std::uint8_t Reserved22[2];
};

// Item of the tombstone composer (836 bytes).
struct TombstoneItem {
    float X;           // "Posizione orizzontale" (centre)
    float Y;           // "Posizione verticale"
    float SizeX;       // "Dimensione X", or "Altezza caratteri" of a text
    float SizeY;       // "Dimensione Y", or "Distanza righe" of a text
    float RefX;        // the drawing's own width, or "Distanza parole" of a text
    float RefY;        // the drawing's own height, or "Distanza caratteri" of a text
    float Depth;       // relief depth (not in the settings file)
    float Extents[4];  // xmin, ymin, xmax, ymax as generated (not in the settings file)
    ShortString<128> FirstFileName;  // +44
    std::uint8_t Reserved173[3];
    std::int32_t Flags;              // +176, see kItem* below
    std::uint32_t RunTime[3];        // +180, +184 relief mesh lists, +188 preview picture (run time only)
    ShortString<128> SecondFileName; // +192
    std::uint8_t Reserved321;
    char16_t Text[256];              // +322: up to 254 UTF-16 characters and a terminating zero
    std::uint8_t Reserved834[2];

    int Kind() const { return (Flags >> 2) & 7; }
};

// Side wall ("Alzatine") of the kitchen top, one per side (28 bytes).
struct SideWallItem {
    std::uint8_t Flags;  // bit 0: side ticked
    std::uint8_t Reserved1[3];
    float Value4;          // no control
    float Height;          // "Altezza"
    float Inclination[4];  // at +12, +16, +20, +24
};

struct TemplateParameters {
    // "Regolare"
    std::uint16_t PolygonSides;  // 0 "Numero Lati"
    std::uint8_t Reserved2[6];
    Real48 PolygonSide;          // 8 "Lunghezza Lato"
    std::uint8_t Reserved14[2];
    Real48 PolygonCircumradius;  // 16 "Raggio Circoscritto"
    std::uint8_t Reserved22[2];
    Real48 PolygonInradius;      // 24 "Raggio Inscritto"
    std::uint8_t Reserved30[2];
    Real48 PolygonFillet;        // 32 "Raggio Raccordo"
    std::uint8_t Reserved38[2];
    Real48 PolygonRotation;      // 40 "Angolo Rotazione"
    std::uint8_t Reserved46[2];
    // "Rettangolo"
    Real48 RectWidth;            // 48 "Larghezza"
    std::uint8_t Reserved54[2];
    Real48 RectHeight;           // 56 "Altezza"
    std::uint8_t Reserved62[2];
    Real48 RectFillet;           // 64 "Raggio raccordo"
    std::uint8_t Reserved70[2];
    // "Irregolare": stored quadrilateral sets 0..3 and two blocks carried unused
    QuadrilateralSet QuadSets[4];       // 72
    QuadrilateralSet SpareQuadSets[2];  // 328, 392
    // "Ellisse"
    Real48 EllipseWidth;         // 456 "Larghezza"
    std::uint8_t Reserved462[2];
    Real48 EllipseHeight;        // 464 "Altezza"
    std::uint8_t Reserved470[2];
    Real48 EllipseFillet;        // 472 "Raggio raccordo"
    std::uint8_t Reserved478[2];
    // "Tagli rettilinei"
    std::int32_t CutsHorizontalCount;  // 480 "Numero orizzontali"
    std::uint8_t Reserved484[4];
    Real48 CutsHorizontalLength;       // 488 "Lunghezza"
    std::uint8_t Reserved494[2];
    Real48 CutsHorizontalPitch;        // 496 "Distanza tagli"
    std::uint8_t Reserved502[2];
    std::int32_t CutsVerticalCount;    // 504 "Numero verticali"
    std::uint8_t Reserved508[4];
    Real48 CutsVerticalLength;         // 512
    std::uint8_t Reserved518[2];
    Real48 CutsVerticalPitch;          // 520
    std::uint8_t Reserved526[2];
    // "Piano cucina"
    double KitchenWidth;                     // 528
    double KitchenHeight;                    // 536
    std::int32_t KitchenHoleCount;           // 544 (0 to 3)
    std::int32_t KitchenHorizontalBarCount;  // 548 (0 to 6)
    std::int32_t KitchenVerticalBarCount;    // 552 (0 to 8)
    std::int32_t KitchenJointCutCount;       // 556 (0 to 2)
    std::int32_t KitchenHorizontalThroughCount;  // 560 (0 to 2)
    std::int32_t KitchenVerticalThroughCount;    // 564 (0 to 2)
    std::uint8_t KitchenUnused568[48];       // 568, carried through the file
    float KitchenInclination[4];             // 616 top, right, bottom, left
    float SideWallDistance;                  // 632 "Distanza" (page "Alzatine")
    float SideWallGeneralHeight;             // 636 beside "Altezza generale"
    HoleItem KitchenHoles[3];                // 640
    BarItem KitchenHorizontalBars[6];        // 784
    BarItem KitchenVerticalBars[8];          // 976
    BarItem KitchenJointCuts[2];             // 1232
    BarItem KitchenHorizontalThrough[2];     // 1296
    BarItem KitchenVerticalThrough[2];       // 1360
    // "Top bagno"
    std::int32_t BathTapCount;   // 1424 (0 to 3)
    std::uint8_t Reserved1428[4];
    double BathWidth;            // 1432 "Larghezza"
    double BathHeight;           // 1440 "Altezza"
    double BathLeftFromLeft;     // 1448 "Distanza da sinistra"
    double BathLeftWidth;        // 1456 "Larghezza" (left)
    double BathRightWidth;       // 1464 "Larghezza" (right)
    double BathRightFromRight;   // 1472 "Distanza da destra"
    double BathLeftFromTop;      // 1480 "Distanza da sopra" (left)
    double BathLeftSlope;        // 1488 "Ampiezza inclinazione" (left)
    double BathRightFromTop;     // 1496 "Distanza da sopra" (right)
    double BathRightSlope;       // 1504 "Ampiezza inclinazione" (right)
    double BathLeftRadius;       // 1512 "Raggio sinistro"
    double BathInnerLeftRadius;  // 1520 "Raggio interno sinistro"
    double BathInnerRightRadius; // 1528 "Raggio interno destro"
    double BathRightRadius;      // 1536 "Raggio destro"
    double BathSinkCentreX;      // 1544 "Posizione centro lavello da sx"
    double BathSinkFromBottom;   // 1552 "Distanza da sotto"
    double BathSinkWidth;        // 1560 "Larghezza foro lavello"
    double BathSinkHeight;       // 1568 "Altezza foro lavello"
    double BathSinkFillet;       // 1576 "Raggio raccordo (ovale)"
    TapItem BathTaps[3];         // 1584
    // "Top ad angolo"
    double CornerWidth;          // 1632
    double CornerHeight;         // 1640
    double CornerLedgeWidth;     // 1648 "Larghezza sporgenza"
    double CornerLedgeHeight;    // 1656 "Altezza sporgenza"
    std::int32_t CornerHoleCount;           // 1664 (0 to 3)
    std::int32_t CornerHorizontalBarCount;  // 1668 (0 to 6)
    std::int32_t CornerVerticalBarCount;    // 1672 (0 to 8)
    std::int32_t CornerJoint;               // 1676 "Raccordo": 0 "Angolo", 1 "Smusso"
    HoleItem CornerHoles[3];                // 1680
    BarItem CornerHorizontalBars[6];        // 1824
    BarItem CornerVerticalBars[8];          // 2016
    // "Lapide"
    float SlabWidth;              // 2272
    float SlabHeight;             // 2276
    std::uint8_t TextOption1;     // 2280
    std::uint8_t TextOption2;     // 2281
    std::uint8_t Reserved2282[9248 - 2282];
    // "Irregolare" set 4
    QuadrilateralSet QuadSet4;    // 9248
    // "Tagli rettilinei" cut width
    Real48 CutWidth;              // 9312, overwritten with the host tool's diameter on every show
    // dialog-wide
    std::uint16_t OptionBits;     // 9318, see kOption* below
    std::int32_t ActiveTab;       // 9320
    // per-kind arrays, indexed by MarkingIndex
    ShortString<30> MarkingText[16];  // 9324
    std::int32_t MarkingColor[16];    // 9820, 0x00BBGGRR
    std::int32_t MarkingQuantity[16]; // 9884
    float MarkingDirection[16];       // 9948
    std::uint8_t Reserved10012[4];
    // "Scalino"
    Real48 StepLeftDepth;         // 10016 "Profondità sinistra"
    std::uint8_t Reserved10022[2];
    Real48 StepDepthIncrement;    // 10024 "Incremento profondità"
    std::uint8_t Reserved10030[2];
    Real48 StepThickness;         // 10032 "Spessore"
    std::uint8_t Reserved10038[2];
    Real48 StepWidth;             // 10040 "Larghezza"
    std::uint8_t Reserved10046[2];
    Real48 StepHeight;            // 10048 "Altezza"
    std::uint8_t Reserved10054[2];
    Real48 StepTopShoulder;       // 10056 "Spalla sopra"
    std::uint8_t Reserved10062[2];
    Real48 StepBottomShoulder;    // 10064 "Spalla sotto"
    std::uint8_t Reserved10070[2];
    Real48 StepBottomWidth;       // 10072 "Larghezza fondo"
    ShortString<128> StepOuterMachining;  // 10078 "Lavorazione esterna"
    ShortString<128> StepInnerMachining;  // 10207 "Lavorazione interna"
    std::int32_t StepSideExit;    // 10336 0 "nessuna", 1 "raggio", 2 "diametro"
    std::uint8_t Reserved10340[4];
    // "Copertina"
    Real48 CopingLeftWidth;       // 10344
    std::uint8_t Reserved10350[2];
    Real48 CopingRightWidth;      // 10352
    std::uint8_t Reserved10358[2];
    Real48 CopingAxialWidth;      // 10360
    std::uint8_t Reserved10366[2];
    Real48 CopingUpperRadius;     // 10368
    std::uint8_t Reserved10374[2];
    Real48 CopingLowerRadius;     // 10376
    std::uint8_t Reserved10382[2];
    Real48 CopingAxialRadius;     // 10384
    std::uint8_t Reserved10390[2];
    Real48 CopingTopReinforcement;     // 10392
    std::uint8_t Reserved10398[2];
    Real48 CopingBottomReinforcement;  // 10400
    std::uint8_t Reserved10406[2];
    Real48 CopingRightReinforcement;   // 10408
    std::uint8_t Reserved10414[2];
    Real48 CopingLeftReinforcement;    // 10416
    std::uint8_t Reserved10422[2];
    Real48 CopingAxialSag;        // 10424 "Freccia assiale"
    std::uint8_t Reserved10430[10688 - 10430];
    std::uint8_t CopingReinforcementBits;  // 10688 bits 0-3: top, bottom, right, left
    std::uint8_t Reserved10689[7];
    // "Lapide"
    ShortString<128> BackgroundImage;  // 10696
    std::uint8_t Reserved10825[3];
    TombstoneItem TombstoneItems[16];  // 10828
    std::uint8_t Reserved24204[4];
    // "Rettangolo" circular holes
    std::int32_t CircularHoleCount;    // 24208 (0 to 8)
    std::uint8_t Reserved24212[4];
    Real48 CircularHoleDiameter;       // 24216
    ShortString<128> CircularHoleMachining;  // 24222
    std::uint8_t Reserved24351;
    CircularHoleItem CircularHoles[8]; // 24352
    // output and duplication matrix
    std::uint16_t DirectionTypedFlags; // 24544, run time only
    std::uint8_t Reserved24546[2];
    std::int32_t MatrixColumns;        // 24548
    std::int32_t MatrixRows;           // 24552
    float MatrixHorizontalIncrement;   // 24556
    float MatrixVerticalIncrement;     // 24560
    std::uint8_t MatrixHorizontalFromContact;  // 24564
    std::uint8_t MatrixVerticalFromContact;    // 24565
    std::uint8_t Reserved24566[2];
    float MarkingX;                    // 24568 "Posizione orizzontale" of the marking
    float MarkingY;                    // 24572 "Posizione verticale"
    SideWallItem SideWalls[4];         // 24576 top, right, bottom, left
};

#pragma pack(pop)

static_assert(sizeof(QuadrilateralSet) == 64);
static_assert(sizeof(HoleItem) == 48);
static_assert(offsetof(HoleItem, Extra) == 32);
static_assert(offsetof(HoleItem, Special) == 40);
static_assert(offsetof(HoleItem, Flags) == 41);
static_assert(sizeof(BarItem) == 32);
static_assert(offsetof(BarItem, Flags) == 24);
static_assert(sizeof(TapItem) == 16);
static_assert(sizeof(CircularHoleItem) == 24);
static_assert(offsetof(CircularHoleItem, X) == 8);
static_assert(offsetof(CircularHoleItem, Y) == 16);
static_assert(sizeof(TombstoneItem) == 836);
static_assert(offsetof(TombstoneItem, SizeX) == 8);
static_assert(offsetof(TombstoneItem, SizeY) == 12);
static_assert(offsetof(TombstoneItem, RefX) == 16);
static_assert(offsetof(TombstoneItem, RefY) == 20);
static_assert(offsetof(TombstoneItem, Depth) == 24);
static_assert(offsetof(TombstoneItem, Extents) == 28);
static_assert(offsetof(TombstoneItem, FirstFileName) == 44);
static_assert(offsetof(TombstoneItem, Flags) == 176);
static_assert(offsetof(TombstoneItem, RunTime) == 180);
static_assert(offsetof(TombstoneItem, SecondFileName) == 192);
static_assert(offsetof(TombstoneItem, Text) == 322);
static_assert(sizeof(SideWallItem) == 28);
static_assert(offsetof(SideWallItem, Value4) == 4);
static_assert(offsetof(SideWallItem, Height) == 8);
static_assert(offsetof(SideWallItem, Inclination) == 12);

static_assert(sizeof(TemplateParameters) == 24688);
#define KVD_AT(field, offset) static_assert(offsetof(TemplateParameters, field) == (offset))
KVD_AT(PolygonSides, 0);
KVD_AT(PolygonSide, 8);
KVD_AT(PolygonCircumradius, 16);
KVD_AT(PolygonInradius, 24);
KVD_AT(PolygonFillet, 32);
KVD_AT(PolygonRotation, 40);
KVD_AT(RectWidth, 48);
KVD_AT(RectHeight, 56);
KVD_AT(RectFillet, 64);
KVD_AT(QuadSets, 72);
KVD_AT(SpareQuadSets, 328);
KVD_AT(EllipseWidth, 456);
KVD_AT(EllipseHeight, 464);
KVD_AT(EllipseFillet, 472);
KVD_AT(CutsHorizontalCount, 480);
KVD_AT(CutsHorizontalLength, 488);
KVD_AT(CutsHorizontalPitch, 496);
KVD_AT(CutsVerticalCount, 504);
KVD_AT(CutsVerticalLength, 512);
KVD_AT(CutsVerticalPitch, 520);
KVD_AT(KitchenWidth, 528);
KVD_AT(KitchenHeight, 536);
KVD_AT(KitchenHoleCount, 544);
KVD_AT(KitchenHorizontalBarCount, 548);
KVD_AT(KitchenVerticalBarCount, 552);
KVD_AT(KitchenJointCutCount, 556);
KVD_AT(KitchenHorizontalThroughCount, 560);
KVD_AT(KitchenVerticalThroughCount, 564);
KVD_AT(KitchenUnused568, 568);
KVD_AT(KitchenInclination, 616);
KVD_AT(SideWallDistance, 632);
KVD_AT(SideWallGeneralHeight, 636);
KVD_AT(KitchenHoles, 640);
KVD_AT(KitchenHorizontalBars, 784);
KVD_AT(KitchenVerticalBars, 976);
KVD_AT(KitchenJointCuts, 1232);
KVD_AT(KitchenHorizontalThrough, 1296);
KVD_AT(KitchenVerticalThrough, 1360);
KVD_AT(BathTapCount, 1424);
KVD_AT(BathWidth, 1432);
KVD_AT(BathHeight, 1440);
KVD_AT(BathLeftFromLeft, 1448);
KVD_AT(BathLeftWidth, 1456);
KVD_AT(BathRightWidth, 1464);
KVD_AT(BathRightFromRight, 1472);
KVD_AT(BathLeftFromTop, 1480);
KVD_AT(BathLeftSlope, 1488);
KVD_AT(BathRightFromTop, 1496);
KVD_AT(BathRightSlope, 1504);
KVD_AT(BathLeftRadius, 1512);
KVD_AT(BathInnerLeftRadius, 1520);
KVD_AT(BathInnerRightRadius, 1528);
KVD_AT(BathRightRadius, 1536);
KVD_AT(BathSinkCentreX, 1544);
KVD_AT(BathSinkFromBottom, 1552);
KVD_AT(BathSinkWidth, 1560);
KVD_AT(BathSinkHeight, 1568);
KVD_AT(BathSinkFillet, 1576);
KVD_AT(BathTaps, 1584);
KVD_AT(CornerWidth, 1632);
KVD_AT(CornerHeight, 1640);
KVD_AT(CornerLedgeWidth, 1648);
KVD_AT(CornerLedgeHeight, 1656);
KVD_AT(CornerHoleCount, 1664);
KVD_AT(CornerHorizontalBarCount, 1668);
KVD_AT(CornerVerticalBarCount, 1672);
KVD_AT(CornerJoint, 1676);
KVD_AT(CornerHoles, 1680);
KVD_AT(CornerHorizontalBars, 1824);
KVD_AT(CornerVerticalBars, 2016);
KVD_AT(SlabWidth, 2272);
KVD_AT(SlabHeight, 2276);
KVD_AT(TextOption1, 2280);
KVD_AT(TextOption2, 2281);
KVD_AT(QuadSet4, 9248);
KVD_AT(CutWidth, 9312);
KVD_AT(OptionBits, 9318);
KVD_AT(ActiveTab, 9320);
KVD_AT(MarkingText, 9324);
KVD_AT(MarkingColor, 9820);
KVD_AT(MarkingQuantity, 9884);
KVD_AT(MarkingDirection, 9948);
KVD_AT(StepLeftDepth, 10016);
KVD_AT(StepDepthIncrement, 10024);
KVD_AT(StepThickness, 10032);
KVD_AT(StepWidth, 10040);
KVD_AT(StepHeight, 10048);
KVD_AT(StepTopShoulder, 10056);
KVD_AT(StepBottomShoulder, 10064);
KVD_AT(StepBottomWidth, 10072);
KVD_AT(StepOuterMachining, 10078);
KVD_AT(StepInnerMachining, 10207);
KVD_AT(StepSideExit, 10336);
KVD_AT(CopingLeftWidth, 10344);
KVD_AT(CopingRightWidth, 10352);
KVD_AT(CopingAxialWidth, 10360);
KVD_AT(CopingUpperRadius, 10368);
KVD_AT(CopingLowerRadius, 10376);
KVD_AT(CopingAxialRadius, 10384);
KVD_AT(CopingTopReinforcement, 10392);
KVD_AT(CopingBottomReinforcement, 10400);
KVD_AT(CopingRightReinforcement, 10408);
KVD_AT(CopingLeftReinforcement, 10416);
KVD_AT(CopingAxialSag, 10424);
KVD_AT(CopingReinforcementBits, 10688);
KVD_AT(BackgroundImage, 10696);
KVD_AT(TombstoneItems, 10828);
KVD_AT(CircularHoleCount, 24208);
KVD_AT(CircularHoleDiameter, 24216);
KVD_AT(CircularHoleMachining, 24222);
KVD_AT(CircularHoles, 24352);
KVD_AT(DirectionTypedFlags, 24544);
KVD_AT(MatrixColumns, 24548);
KVD_AT(MatrixRows, 24552);
KVD_AT(MatrixHorizontalIncrement, 24556);
KVD_AT(MatrixVerticalIncrement, 24560);
KVD_AT(MatrixHorizontalFromContact, 24564);
KVD_AT(MatrixVerticalFromContact, 24565);
KVD_AT(MarkingX, 24568);
KVD_AT(MarkingY, 24572);
KVD_AT(SideWalls, 24576);
#undef KVD_AT

// Option bits (TemplateParameters::OptionBits).
inline constexpr std::uint16_t kOptionCutThickness = 1 << 0;      // CheckBox5 "Spessore del taglio"
inline constexpr std::uint16_t kOptionChamfer = 1 << 1;           // CheckBox2 "Smusso"
inline constexpr std::uint16_t kOptionMatrixRectangle = 1 << 2;   // CheckBox11 "Matrice"
inline constexpr std::uint16_t kOptionMatrixRegular = 1 << 3;     // CheckBox12 "Matrice"
inline constexpr std::uint16_t kOptionMatrixIrregular = 1 << 4;   // CheckBox13 "Matrice"
inline constexpr std::uint16_t kOptionSumMachinings = 1 << 5;     // CheckBox14 "Somma lavorazioni"
inline constexpr std::uint16_t kOptionSideWalls = 1 << 6;         // CheckBox18 "Alzatine"
inline constexpr std::uint16_t kOptionSingleGroup = 1 << 7;       // CheckBox19 "Esporta in un solo gruppo"
inline constexpr std::uint16_t kOptionGeneralHeight = 1 << 8;     // CheckBox20 "Altezza generale"
inline constexpr std::uint16_t kOptionCentredHorizontal = 1 << 9; // CheckBox22 "posizione orizzontale dal centro"

// Tombstone item flags (TombstoneItem::Flags).
inline constexpr std::int32_t kItemTakesBackgroundColour = 1 << 0;
inline constexpr std::int32_t kItemWhiteTransparent = 1 << 1;
inline constexpr std::int32_t kItemFitToSurface = 1 << 5;
inline constexpr std::int32_t kItemProportional = 1 << 10;
inline constexpr std::int32_t kItemInUse = 1 << 11;
inline constexpr std::int32_t kItemFlipHorizontal = 1 << 12;
inline constexpr std::int32_t kItemFlipVertical = 1 << 13;
enum TombstoneItemKind { kItemImage = 0, kItemRelief = 1, kItemEngraving = 2, kItemText = 3 };

inline constexpr int kTemplateTabCount = 11;
inline constexpr int kQuadrilateralKinds = 6;

// Working form of the duplication matrix settings.
struct MatrixSettings {
    std::int32_t Columns = 0;
    std::int32_t Rows = 0;
    Real48 HorizontalIncrement;
    Real48 VerticalIncrement;
    std::uint8_t HorizontalFromContact = 0;
    std::uint8_t VerticalFromContact = 0;
};

// ---- library state ---------------------------------------------------------
extern TemplateParameters TemplateParams;
// One set per quadrilateral kind of RadioGroup1; sets 0..4 are persisted in
// the record, set 5 starts from its defaults in every run.
extern QuadrilateralSet WorkingQuadSets[kQuadrilateralKinds];
extern MatrixSettings WorkingMatrix;

// The defaults every set starts from: slot 2 = 500, slots 4..7 = 400.
QuadrilateralSet DefaultQuadrilateralSet();

// Zeroes the record and sets the defaults of every tab, of the stored and of
// the six working quadrilateral sets.
void SetTemplateDefaults(TemplateParameters& p, QuadrilateralSet (&working)[kQuadrilateralKinds]);
void SetTemplateDefaults();

inline void ClearTemplateParameters(TemplateParameters& p) { std::memset(static_cast<void*>(&p), 0, sizeof p); }

}  // namespace kvd
