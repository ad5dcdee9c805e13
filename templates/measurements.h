// Area, perimeter and extent of the generated drawing, and the caption of
// the measurement label (Label14).
//
// Dialog side: call MeasureDrawing with the first container's element list
// (FirstContainerElements()) and the active tab, then MeasurementCaption; or
// let MeasureAndPaintPreview (regeneration.h) do both.
#pragma once
#include <cstdint>
#include <string>

#include "base/geometry.h"
#include "kvd/element.h"
#include "templates/template_parameters.h"
#include "templates/template_tabs.h"

namespace kvd {

// |area| enclosed by the contour that begins at `head`: lines as trapezoids,
// arcs with their circular segments, closed by a line back to the start when
// the contour is open. 0 for an empty list.
long double FirstContourArea(const TTempElement* head);
// Sum of the lengths of every element of the list (ElementLength).
long double ListPerimeter(const TTempElement* head);

struct DrawingMeasures {
    long double area = 0;
    long double perimeter = 0;
    TRealPoint2 Mar1;  // minimum X, minimum Y
    TRealPoint2 Mar2;  // maximum X, maximum Y
    double W = 0;      // Mar2.X - Mar1.X
    double H = 0;      // Mar2.Y - Mar1.Y
    bool HasExtent() const { return W > 0 && H > 0; }
};

// On "Lapide" the extent is the slab (0, 0)-(SlabWidth, SlabHeight); on every
// other tab the box of the list (ContourListExtents, arcs included).
DrawingMeasures MeasureDrawing(TTempElement* head, TemplateTab tab, const TemplateParameters& params);

// "A<a>mm² = <a/1e6>m²   L<l>mm = <l/1000>m    [<W> X <H>]" with numbers by
// FormatRealDefault, as UTF-8 (the label is a Qt text). With matrixTicked:
// "{<pieces> pcs} x {" + that + "}", or "{<pieces> pcs: too many, 1 drawn} x
// {...}" when the grid was refused. Empty when W or H is not positive (the
// label keeps its text then).
std::string MeasurementCaption(const DrawingMeasures& m, bool matrixTicked, std::int64_t pieces,
                               bool matrixRefused = false);

}  // namespace kvd
