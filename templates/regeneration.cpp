#include "templates/regeneration.h"

#include "base/containers.h"
#include "base/host_settings.h"
#include "templates/dimension_marks.h"
#include "templates/duplication_matrix.h"
#include "templates/generator_dispatch.h"
#include "templates/shape_output.h"
#include "templates/template_parameters.h"

namespace kvd {

bool TemplateModified = true;

void RegenerateDrawing(TemplateTab tab) {
    DisposeAllContainers();
    DisposeDimensionMarks();
    MarkingIndex = kKindNone;
    ClearCurrentElement();

    std::uint32_t options = Host.U32(kHostOptionWordId);
    if (tab == TemplateTab::TagliRettilinei)
        options |= kHostOptionStraightCuts;
    else
        options &= ~kHostOptionStraightCuts;
    Host.SetU32(kHostOptionWordId, options);

    RunGenerator(tab);

    MatrixApplied = MatrixTicked(tab, TemplateParams.OptionBits) ? PrepareMatrix() : false;
    if (TTempElement* first = FirstContainerElements()) first->Flags &= ~kFlagMatrixCopy;
    if (MatrixApplied) DuplicateMatrix();
}

PreviewResult MeasureAndPaintPreview(ui::Canvas& canvas, const PreviewRequest& request) {
    PreviewResult result;
    TTempElement* head = FirstContainerElements();
    result.measures = MeasureDrawing(head, request.tab, TemplateParams);
    ClearPreview(canvas);
    if (!result.measures.HasExtent()) return result;

    result.caption = MeasurementCaption(result.measures, MatrixTicked(request.tab, TemplateParams.OptionBits),
                                        MatrixPieceCount(), MatrixTooLarge);
    const int w = request.image.Width() > 0 ? request.image.Width() : canvas.Width();
    const int h = request.image.Height() > 0 ? request.image.Height() : canvas.Height();
    result.geometry = ComputePreviewGeometry(w, h, result.measures);

    PreviewStyle style;
    style.tab = request.tab;
    if (request.tab == TemplateTab::Lapide)
        style.backgroundPicture = TemplateParams.BackgroundImage.str();
    else if (!request.materialName.empty())
        style.backgroundPicture = MaterialPicturePath(request.materialName);
    style.screenWidth = request.screenWidth;
    style.irregularKind = request.irregularKind;
    style.paintItems = request.paintItems;
    PaintPreview(canvas, head, result.geometry, style);

    OverlayContext ctx;
    ctx.tab = request.tab;
    ctx.irregularKind = request.irregularKind;
    ctx.image = request.image;
    ctx.geometry = result.geometry;
    ctx.sideWallsVisible = request.sideWallsVisible;
    for (int i = 0; i < 4; ++i) ctx.sideTicked[i] = request.sideTicked[i];
    PlaceOverlays(DimensionBoxes(), ctx);
    return result;
}

}  // namespace kvd
