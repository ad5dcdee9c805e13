#include "base/appender.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/arcs.h"
#include "base/element_list.h"
#include "base/geometry.h"

using namespace kvd;

namespace {

const double kTanEighth = std::tan(3.14159265358979323846 / 8);

class Appender : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppenderState();
        ResetExtents();
    }
    void TearDown() override {
        DisposeElementList(CurrentListHead);
        ResetAppenderState();
        ResetExtents();
    }
    static TTempElement* Add(std::uint16_t kind, long double x, long double y, long double r = 0, long double cx = 0,
                             long double cy = 0, long double px = 0, long double py = 0) {
        return AddElement(kind, x, y, r, cx, cy, px, py);
    }
};

}  // namespace

TEST_F(Appender, AppendsToTheCurrentListWithYMirrored) {
    CurrentZ = 4.5L;
    TTempElement* s = Add(ecStart, 1, 2);
    TTempElement* l = Add(ecLine, 3, 4);
    EXPECT_EQ(CurrentListHead, s);
    EXPECT_EQ(CurrentListTail, l);
    EXPECT_EQ(l->Prev.get(), s);
    EXPECT_EQ(l->X.ToDouble(), 3);
    EXPECT_EQ(l->Y.ToDouble(), -4);  // file Y points the other way
    EXPECT_EQ(l->Z.ToDouble(), 4.5);
    EXPECT_EQ(CurrentContourStart, s);

    KeepY = true;
    EXPECT_EQ(Add(ecLine, 3, 4)->Y.ToDouble(), 4);
    // Lines add nothing to the drawing extents; only arcs do.
    EXPECT_FALSE(DrawingExtents.Set);
}

TEST_F(Appender, InchesBecomeMillimetresExceptInTextRecords) {
    InchUnits = true;
    KeepY = true;
    TTempElement* l = Add(ecLine, 1, 2);
    EXPECT_NEAR(l->X.ToDouble(), 25.4, 1e-9);
    EXPECT_NEAR(l->Y.ToDouble(), 50.8, 1e-9);

    for (std::uint16_t kind : {rkMarkingName, rkText}) {
        TTempElement* t = Add(kind, 1, 2, 3, 4, 5, 6, 7);
        EXPECT_EQ(t->X.ToDouble(), 1) << kind;
        EXPECT_EQ(t->Y.ToDouble(), 2) << kind;
        EXPECT_EQ(t->Bulge.ToDouble(), 3) << kind;
        EXPECT_EQ(t->Inclination, 5.0f) << kind;
        EXPECT_EQ(t->Aux, 6.0f) << kind;
        EXPECT_EQ(t->Z.ToDouble(), 7) << kind;
    }
    TTempElement* m = Add(rkMarking, 1, 2, 3);
    EXPECT_NEAR(m->Z.ToDouble(), 3 * 25.4, 1e-9);
}

TEST_F(Appender, ArcGetsItsBulgeAndWidensTheExtents) {
    KeepY = true;
    Add(ecStart, 1, 0);
    // Three quarters counter-clockwise about the origin, from (1, 0) to (0, -1).
    TTempElement* a = Add(ecArcNeg, 0, -1, 1, 0, 0, 1, 0);
    EXPECT_NEAR(a->Bulge.ToDouble(), -std::tan(3 * 3.14159265358979323846 / 8), 1e-9);
    ASSERT_TRUE(DrawingExtents.Set);
    EXPECT_NEAR(DrawingExtents.MinX.ToDouble(), -1, 1e-9);
    EXPECT_NEAR(DrawingExtents.MaxX.ToDouble(), 1, 1e-9);
    EXPECT_NEAR(DrawingExtents.MinY.ToDouble(), -1, 1e-9);
    EXPECT_NEAR(DrawingExtents.MaxY.ToDouble(), 1, 1e-9);
}

TEST_F(Appender, ArcInFileCoordinatesTurnsWithTheMirror) {
    // Counter-clockwise in the file, (1, 0) to (0, 1) about the origin: in
    // the record's mirrored Y it runs clockwise, so the reader passes code 3.
    Add(ecStart, 1, 0);
    TTempElement* a = Add(ecArcPos, 0, 1, 1, 0, 0, 1, 0);
    EXPECT_EQ(a->Y.ToDouble(), -1);
    EXPECT_NEAR(a->Bulge.ToDouble(), kTanEighth, 1e-9);
    EXPECT_NEAR(DrawingExtents.MaxX.ToDouble(), 1, 1e-9);
    EXPECT_NEAR(DrawingExtents.MinY.ToDouble(), -1, 1e-9);
    EXPECT_NEAR(DrawingExtents.MaxY.ToDouble(), -1, 1e-9);
    Real48 cx, cy, r;
    ASSERT_TRUE(CentreFromBulge(cx, cy, r, a->Kind, a->Bulge, 1, 0, a->X, a->Y));
    EXPECT_NEAR(cx.ToDouble(), 0, 1e-9);
    EXPECT_NEAR(cy.ToDouble(), 0, 1e-9);
}

TEST_F(Appender, ArcWithoutChordAddsOnlyItsEndPoint) {
    KeepY = true;
    Add(ecStart, 1, 0);
    TTempElement* a = Add(ecArcNeg, 1, 0, 1, 0, 0, 1, 0);
    EXPECT_TRUE(a->Bulge.IsZero());
    EXPECT_EQ(DrawingExtents.MinX.ToDouble(), 1);
    EXPECT_EQ(DrawingExtents.MaxX.ToDouble(), 1);
}

TEST_F(Appender, InsertTransformRotatesOffsetsThenScales) {
    InsertTransform.OffsetX = 1.0L;
    InsertTransform.OffsetY = 1.0L;
    InsertTransform.Rotation = 90.0L;
    InsertTransform.ScaleX = 2.0L;
    InsertTransform.ScaleY = 3.0L;
    long double x = 1, y = 0;
    ApplyInsertTransform(x, y);
    EXPECT_NEAR(static_cast<double>(x), 2 * (1 + 0), 1e-12);
    EXPECT_NEAR(static_cast<double>(y), 3 * (1 + 1), 1e-12);

    KeepY = true;
    TTempElement* l = Add(ecLine, 1, 0);
    EXPECT_NEAR(l->X.ToDouble(), 2, 1e-9);
    EXPECT_NEAR(l->Y.ToDouble(), 6, 1e-9);
}

TEST_F(Appender, MirroringInsertTurnsTheArcAndKeepsItsClass) {
    KeepY = true;
    InsertTransform.ScaleX = -1.0L;
    CurrentLayerMode = lmNonWorkable;
    Add(ecStart, 1, 0);
    TTempElement* a = Add(ecArcNeg, 0, 1, 1, 0, 0, 1, 0);
    EXPECT_EQ(KindCode(a->Kind), ecArcPos);
    EXPECT_EQ(KindClass(a->Kind), clsNonWorkable);
    EXPECT_NEAR(a->Bulge.ToDouble(), kTanEighth, 1e-9);
    EXPECT_NEAR(a->X.ToDouble(), 0, 1e-12);
    EXPECT_NEAR(a->Y.ToDouble(), 1, 1e-12);
    // Mirrored start (-1, 0), end (0, 1): the arc still lies on the unit circle.
    Real48 cx, cy, r;
    ASSERT_TRUE(CentreFromBulge(cx, cy, r, a->Kind, a->Bulge, -1, 0, a->X, a->Y));
    EXPECT_NEAR(cx.ToDouble(), 0, 1e-9);
    EXPECT_NEAR(cy.ToDouble(), 0, 1e-9);
    EXPECT_NEAR(r.ToDouble(), 1, 1e-9);
}

TEST_F(Appender, LayerModesSetClassAndFlags) {
    struct Case {
        std::uint8_t mode;
        unsigned cls;
        bool workable, slab;
    } cases[] = {
        {lmNone, 0, false, false},
        {lmNonWorkable, clsNonWorkable, false, false},
        {lmOrdinary, 0, true, false},
        {lmSlabContour, 0, false, true},
    };
    for (const Case& c : cases) {
        CurrentLayerMode = c.mode;
        TTempElement* e = Add(ecLine, 1, 1);
        EXPECT_EQ(KindCode(e->Kind), ecLine);
        EXPECT_EQ(KindClass(e->Kind), c.cls) << int(c.mode);
        EXPECT_EQ((e->Kind & kfWorkable) != 0, c.workable) << int(c.mode);
        EXPECT_EQ((e->Kind & kfSlabContour) != 0, c.slab) << int(c.mode);
        // Text and marking records keep their kind.
        EXPECT_EQ(Add(rkText, 0, 0)->Kind, rkText);
        EXPECT_EQ(Add(rkMarking, 0, 0)->Kind, rkMarking);
    }
    // Without a layer both flags are cleared, whatever the caller passed.
    CurrentLayerMode = lmNone;
    EXPECT_EQ(Add(ecLine | kfWorkable | kfSlabContour, 1, 1)->Kind, ecLine);
    CurrentLayerMode = lmSlabContour;
    EXPECT_EQ(Add(ecLine | kfWorkable, 1, 1)->Kind, ecLine | kfSlabContour);
}

TEST_F(Appender, StartElementsTakeColourIndexAndForcedDepth) {
    CurrentColorIndex = 42;
    CurrentZ = 1.0L;
    TTempElement* s = Add(ecStart, 0, 0);
    EXPECT_EQ(s->ColorIndex(), 42);
    EXPECT_EQ(KindClass(s->Kind), 0u);
    EXPECT_EQ(s->Z.ToDouble(), 1);

    ForcedDepthWord = kForcedDepthActive;
    ForcedDepth = 12.5f;
    CurrentLayerMode = lmOrdinary;
    TTempElement* s2 = Add(ecStart, 5, 5);
    TTempElement* l = Add(ecLine, 6, 6);
    EXPECT_EQ(CurrentContourStart, s2);
    EXPECT_EQ(s2->Z.ToDouble(), 12.5);
    EXPECT_EQ(s2->Kind, ecStart | (clsForcedDepth << 4));  // the depth class replaces the layer bits
    EXPECT_EQ(s2->ColorIndex(), 42);
    // The segments of the contour keep the current Z and their own class.
    EXPECT_EQ(l->Z.ToDouble(), 1);
    EXPECT_EQ(l->Kind, ecLine | kfWorkable);
    EXPECT_TRUE(l->Bulge.IsZero());

    ForcedDepthWord = 4;
    EXPECT_EQ(Add(ecStart, 0, 0)->Z.ToDouble(), 1);
}

TEST_F(Appender, MachiningStampsOnGeometricElements) {
    CorrectionActive = true;
    CorrectionValue = 0.5L;
    ElevationActive = true;
    ElevationValue = 7.0L;
    TTempElement* l = Add(ecLine, 0, 0);
    EXPECT_EQ(l->Correction, 0.5f);
    EXPECT_EQ(l->Inclination, 7.0f);
    InclinationActive = true;
    InclinationValue = -30.0L;
    l = Add(ecLine, 0, 0);
    EXPECT_EQ(l->Inclination, -30.0f);  // the inclination layer wins over the elevation
    TTempElement* m = Add(rkMarking, 0, 0, 0, 1, 2, 3);
    EXPECT_EQ(m->Correction, 1.0f);
    EXPECT_EQ(m->Inclination, 2.0f);
}

TEST_F(Appender, TextAndMarkingRecordFields) {
    MarkingTextSlot = 3;
    MarkingTextExtra = 4;
    InsertTransform.OffsetX = 100.0L;
    TTempElement* t = Add(rkMarkingName, 1, 2, 3, 4, 5, 6, 7);
    EXPECT_EQ(t->Kind, rkMarkingName);
    EXPECT_EQ(t->X.ToDouble(), 1);  // no insert transform on records
    EXPECT_EQ(t->Y.ToDouble(), -2);  // kinds below 10 are mirrored
    EXPECT_EQ(t->Bulge.ToDouble(), 3);
    EXPECT_EQ(t->Correction, 4.0f);
    EXPECT_EQ(t->Inclination, -5.0f);
    EXPECT_EQ(t->Aux, 6.0f);
    EXPECT_EQ(t->Z.ToDouble(), -7);
    EXPECT_EQ(t->Slot, 3);
    EXPECT_EQ(t->Extra51, 4);
    // A kind-9 record ends an inserted block.
    EXPECT_TRUE(InsertTransform.OffsetX.IsZero());
    EXPECT_EQ(InsertTransform.ScaleX.ToDouble(), 1);

    TTempElement* x = Add(rkText, 1, 2, 3, 4, 5, 6, 7);
    EXPECT_EQ(x->Y.ToDouble(), 2);
    EXPECT_EQ(x->Correction, 0.0f);  // no layer read yet
    EXPECT_EQ(x->Slot, 0);
    CurrentLayerMode = lmNonWorkable;
    EXPECT_EQ(Add(rkText, 0, 0, 0, 4)->Correction, 1.0f);

    TTempElement* m = Add(rkMarking, 1, 2, 3, 4, 5, 6, 7);
    EXPECT_EQ(m->Y.ToDouble(), 2);
    EXPECT_EQ(m->Z.ToDouble(), 3);
    EXPECT_EQ(m->Correction, 4.0f);
    EXPECT_EQ(m->Inclination, 5.0f);
    EXPECT_EQ(m->Aux, 6.0f);
    EXPECT_EQ(m->Bulge.ToDouble(), 7);
}

TEST_F(Appender, OtherRecordsKeepTheirKindAndPlace) {
    CurrentLayerMode = lmNonWorkable;
    InsertTransform.OffsetX = 100.0L;
    KeepY = true;
    TTempElement* c = Add(rkClosing, 1, 2);
    EXPECT_EQ(c->Kind, rkClosing);
    EXPECT_EQ(c->X.ToDouble(), 1);
    EXPECT_EQ(c->Y.ToDouble(), 2);
}
