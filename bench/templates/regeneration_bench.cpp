// The regeneration step of the templates dialog: one iteration rebuilds the
// drawing of a tab and measures and paints it into a 1000 x 700 preview, as
// the dialog's regeneration timer does after every edit.
//
// Targets: under 2 ms per tab; the "Rettangolo" duplication matrix of 10 x 10
// under 20 ms.
//
// - BM_RegenerateTab: every tab with a generator, from the dialog's defaults
//   ("Copertina" starts all zero, so it gets a coping of a 1000 mm axis).
//   "Lapide" is left out: it has no generator yet and its drawing is empty.
// - BM_RegenerateRectangleWithEightHoles: a filleted 1200 x 800 outline with
//   eight holes, plain (0) and with a tiled material picture behind it (1).
// - BM_RegenerateRectangleMatrix: a 500 x 300 "Rettangolo" duplicated in a
//   10 x 10 grid. The "elements" counter is the length of the first
//   container's list, so it shows whether the copies were made.
//
// The dimension overlays are not placed: the form owns their edits and there
// is no form here.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/containers.h"
#include "base/host_settings.h"
#include "templates/duplication_matrix.h"
#include "templates/generators/coping.h"
#include "templates/generators/irregular_polygon.h"
#include "templates/generators/step.h"
#include "templates/preview_painter.h"
#include "templates/regeneration.h"
#include "templates/template_parameters.h"
#include "templates/template_tabs.h"
#include "ui/application.h"
#include "ui/picture.h"

namespace {

int CountElements() {
    int n = 0;
    for (const kvd::TTempElement* e = kvd::FirstContainerElements(); e; e = e->Next) ++n;
    return n;
}

void SetUpDefaults() {
    kvd::SetHostDefaults();
    kvd::SetTemplateDefaults();
    kvd::WorkingMatrix = kvd::MatrixSettings{};
    kvd::IrregularPolygon = kvd::IrregularPolygonState{};
    kvd::StepInnerToolDiameter = 0;
}

// The defaults, plus values for the tabs whose defaults draw nothing.
void SetUpTab(kvd::TemplateTab tab) {
    SetUpDefaults();
    auto& p = kvd::TemplateParams;
    if (tab == kvd::TemplateTab::Copertina) {
        p.CopingAxialWidth = 1000;
        p.CopingAxialRadius = 1000;
        p.CopingLeftWidth = 300;
        p.CopingRightWidth = 300;
        p.CopingUpperRadius = 1150;
        p.CopingLowerRadius = 850;
        p.CopingReinforcementBits = kvd::kGrooveTop | kvd::kGrooveBottom | kvd::kGrooveRight | kvd::kGrooveLeft;
        p.CopingTopReinforcement = 20;
        p.CopingBottomReinforcement = 25;
        p.CopingRightReinforcement = 15;
        p.CopingLeftReinforcement = 10;
    }
}

kvd::PreviewRequest RequestFor(kvd::TemplateTab tab) {
    kvd::PreviewRequest request;
    request.tab = tab;
    request.image = {0, 0, 1000, 700};
    request.irregularKind = kvd::IrregularPolygon.kind;
    return request;
}

// The timed loop shared by every benchmark. A drawing that comes out empty
// would measure nothing but the clearing of the preview: reported as an error.
void RunRegeneration(benchmark::State& state, kvd::TemplateTab tab, const kvd::PreviewRequest& request) {
    kvd::ui::Picture image(1000, 700);
    kvd::RegenerateDrawing(tab);
    if (!kvd::FirstContainerElements()) {
        kvd::DisposeAllContainers();
        state.SkipWithError("the drawing is empty");
        return;
    }
    for (auto _ : state) {
        kvd::RegenerateDrawing(tab);
        auto r = kvd::MeasureAndPaintPreview(image.GetCanvas(), request);
        benchmark::DoNotOptimize(r.caption);
    }
    state.counters["elements"] = CountElements();
    kvd::DisposeAllContainers();
}

// range(0): the tab's page index.
void BM_RegenerateTab(benchmark::State& state) {
    kvd::ui::Application::Instance();
    kvd::TemplateTab tab;
    if (!kvd::TabFromIndex(static_cast<int>(state.range(0)), tab)) {
        state.SkipWithError("not a tab");
        return;
    }
    state.SetLabel(kvd::TabCaption(tab));
    SetUpTab(tab);
    RunRegeneration(state, tab, RequestFor(tab));
}
BENCHMARK(BM_RegenerateTab)
    ->Arg(static_cast<int>(kvd::TemplateTab::Regolare))
    ->Arg(static_cast<int>(kvd::TemplateTab::Rettangolo))
    ->Arg(static_cast<int>(kvd::TemplateTab::Irregolare))
    ->Arg(static_cast<int>(kvd::TemplateTab::Ellisse))
    ->Arg(static_cast<int>(kvd::TemplateTab::TagliRettilinei))
    ->Arg(static_cast<int>(kvd::TemplateTab::PianoCucina))
    ->Arg(static_cast<int>(kvd::TemplateTab::TopBagno))
    ->Arg(static_cast<int>(kvd::TemplateTab::TopAdAngolo))
    ->Arg(static_cast<int>(kvd::TemplateTab::Scalino))
    ->Arg(static_cast<int>(kvd::TemplateTab::Copertina))
    ->Unit(benchmark::kMicrosecond);

void SetUpRectangleWithEightHoles() {
    SetUpDefaults();
    auto& p = kvd::TemplateParams;
    p.RectWidth = 1200;
    p.RectHeight = 800;
    p.RectFillet = 40;
    p.CircularHoleCount = 8;
    p.CircularHoleDiameter = 35;
    for (int k = 0; k < 8; ++k) {
        p.CircularHoles[k].Corner = k % 4;
        p.CircularHoles[k].X = 100 + 60 * (k / 4);
        p.CircularHoles[k].Y = 100 + 40 * (k / 4);
    }
}

// range(0) = 1: the closed contours are filled with a tiled 128 x 128 material picture.
void BM_RegenerateRectangleWithEightHoles(benchmark::State& state) {
    kvd::ui::Application::Instance();
    SetUpRectangleWithEightHoles();
    kvd::PreviewRequest request = RequestFor(kvd::TemplateTab::Rettangolo);
    const auto dir = std::filesystem::temp_directory_path() / ("kvd_bench_templates_" + std::to_string(::getpid()));
    if (state.range(0)) {
        setenv("KVD_HOST_DIR", dir.c_str(), 1);
        std::filesystem::create_directories(dir / "KOVA/UTILS/MATERIAL");
        kvd::ui::Picture stone(128, 128, 0x607080);
        for (int i = 0; i < 128; ++i) stone.SetPixel(i, i, 0x203040);
        stone.SavePng(kvd::MaterialPicturePath("GRANITO"));
        request.materialName = "GRANITO";
    }
    RunRegeneration(state, kvd::TemplateTab::Rettangolo, request);
    if (state.range(0)) {
        unsetenv("KVD_HOST_DIR");
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
}
BENCHMARK(BM_RegenerateRectangleWithEightHoles)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The default 500 x 300 rectangle in 10 columns and 10 rows, 20 mm apart
// (measured from the facing edges of neighbouring copies).
void BM_RegenerateRectangleMatrix(benchmark::State& state) {
    kvd::ui::Application::Instance();
    SetUpDefaults();
    auto& m = kvd::WorkingMatrix;
    m.Columns = 10;
    m.Rows = 10;
    m.HorizontalIncrement = 20;
    m.VerticalIncrement = 20;
    m.HorizontalFromContact = 1;
    m.VerticalFromContact = 1;
    kvd::TemplateParams.OptionBits |= kvd::kOptionMatrixRectangle;
    RunRegeneration(state, kvd::TemplateTab::Rettangolo, RequestFor(kvd::TemplateTab::Rettangolo));
    state.counters["matrix_applied"] = kvd::MatrixApplied ? 1 : 0;
}
BENCHMARK(BM_RegenerateRectangleMatrix)->Unit(benchmark::kMicrosecond);

}  // namespace
