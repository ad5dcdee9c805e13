#include "templates/template_parameters.h"

namespace kvd {

TemplateParameters TemplateParams{};
QuadrilateralSet WorkingQuadSets[kQuadrilateralKinds]{};
MatrixSettings WorkingMatrix{};

QuadrilateralSet DefaultQuadrilateralSet() {
    return {{0, 0, 500, 0, 400, 400, 400, 400}};
}

namespace {
void SetBar(BarItem& b, double x, double y, double length) {
    b.X = x;
    b.Y = y;
    b.Length = length;
}
void SetHole(HoleItem& h, double x, double y, double width, double height) {
    h.X = x;
    h.Y = y;
    h.Width = width;
    h.Height = height;
}
}  // namespace

void SetTemplateDefaults(TemplateParameters& p, QuadrilateralSet (&working)[kQuadrilateralKinds]) {
    ClearTemplateParameters(p);

    // "Regolare": a hexagon of side 100
    p.PolygonSides = 6;
    p.PolygonSide = 100;
    p.PolygonCircumradius = 300;
    p.PolygonInradius = 250;

    // "Rettangolo": 500 x 300
    p.RectWidth = 500;
    p.RectHeight = 300;

    // "Irregolare": every set, stored and working
    for (QuadrilateralSet& set : p.QuadSets) set = DefaultQuadrilateralSet();
    p.QuadSet4 = DefaultQuadrilateralSet();
    for (QuadrilateralSet& set : working) set = DefaultQuadrilateralSet();

    // "Ellisse"
    p.EllipseWidth = 480;
    p.EllipseHeight = 340;
    p.EllipseFillet = 140;

    // "Tagli rettilinei"
    p.CutsHorizontalCount = 11;
    p.CutsHorizontalLength = 1000;
    p.CutsHorizontalPitch = 100;
    p.CutsVerticalCount = 11;
    p.CutsVerticalLength = 1000;
    p.CutsVerticalPitch = 100;

    // "Piano cucina"
    p.KitchenWidth = 2000;
    p.KitchenHeight = 600;
    p.KitchenHoleCount = 2;
    p.KitchenHorizontalBarCount = 2;
    p.KitchenVerticalBarCount = 3;
    p.KitchenJointCutCount = 1;
    SetHole(p.KitchenHoles[0], 100, 100, 600, 400);
    SetHole(p.KitchenHoles[1], 100, 100, 600, 400);
    SetBar(p.KitchenHorizontalBars[0], 100, 50, 1800);
    SetBar(p.KitchenHorizontalBars[1], 100, 550, 1800);
    SetBar(p.KitchenVerticalBars[0], 50, 50, 500);
    SetBar(p.KitchenVerticalBars[1], 750, 50, 500);
    SetBar(p.KitchenVerticalBars[2], 1450, 50, 500);
    SetBar(p.KitchenJointCuts[0], 0, 30, 600);
    SetBar(p.KitchenHorizontalThrough[0], 500, 200, 300);
    SetBar(p.KitchenVerticalThrough[0], 500, 200, 300);

    // "Top bagno"
    p.BathTapCount = 1;
    p.BathWidth = 1200;
    p.BathHeight = 600;
    p.BathLeftWidth = 200;
    p.BathRightWidth = 200;
    p.BathLeftFromTop = 400;
    p.BathRightFromTop = 400;
    p.BathLeftRadius = 80;
    p.BathInnerLeftRadius = 120;
    p.BathInnerRightRadius = 120;
    p.BathRightRadius = 80;
    p.BathSinkCentreX = 600;
    p.BathSinkFromBottom = 80;
    p.BathSinkWidth = 480;
    p.BathSinkHeight = 360;
    p.BathSinkFillet = 140;
    p.BathTaps[0] = {600, 100};

    // "Top ad angolo"
    p.CornerWidth = 2000;
    p.CornerHeight = 2000;
    p.CornerLedgeWidth = 600;
    p.CornerLedgeHeight = 600;
    p.CornerHoleCount = 2;
    p.CornerHorizontalBarCount = 2;
    p.CornerVerticalBarCount = 3;
    SetHole(p.CornerHoles[0], 0, 100, 600, 400);
    SetHole(p.CornerHoles[1], 0, 100, 600, 400);
    SetBar(p.CornerHorizontalBars[0], 100, 50, 1800);
    SetBar(p.CornerHorizontalBars[1], 100, 550, 1800);
    SetBar(p.CornerVerticalBars[0], 50, 50, 500);
    SetBar(p.CornerVerticalBars[1], 750, 50, 500);
    SetBar(p.CornerVerticalBars[2], 1450, 50, 500);

    // "Scalino"
    p.StepLeftDepth = 10;
    p.StepThickness = 30;
    p.StepWidth = 250;
    p.StepHeight = 800;
    p.StepTopShoulder = 50;
    p.StepBottomShoulder = 50;
    p.StepBottomWidth = 30;
    // "Lapide", "Copertina", the matrix and the dialog-wide fields start at 0.
}

void SetTemplateDefaults() { SetTemplateDefaults(TemplateParams, WorkingQuadSets); }

}  // namespace kvd
