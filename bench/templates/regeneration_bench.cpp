// One regeneration of the "Rettangolo" tab (filleted outline and eight
// holes), measured and painted into a 1000 x 700 preview.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "base/containers.h"
#include "base/host_settings.h"
#include "templates/preview_painter.h"
#include "templates/regeneration.h"
#include "templates/template_parameters.h"
#include "ui/application.h"
#include "ui/picture.h"

namespace {

void SetUpRectangle() {
    kvd::SetHostDefaults();
    kvd::SetTemplateDefaults();
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
    SetUpRectangle();
    kvd::ui::Picture image(1000, 700);
    kvd::PreviewRequest request;
    request.tab = kvd::TemplateTab::Rettangolo;
    request.image = {0, 0, 1000, 700};
    const auto dir = std::filesystem::temp_directory_path() / ("kvd_bench_templates_" + std::to_string(::getpid()));
    if (state.range(0)) {
        setenv("KVD_HOST_DIR", dir.c_str(), 1);
        std::filesystem::create_directories(dir / "KOVA/UTILS/MATERIAL");
        kvd::ui::Picture stone(128, 128, 0x607080);
        for (int i = 0; i < 128; ++i) stone.SetPixel(i, i, 0x203040);
        stone.SavePng(kvd::MaterialPicturePath("GRANITO"));
        request.materialName = "GRANITO";
    }
    for (auto _ : state) {
        kvd::RegenerateDrawing(kvd::TemplateTab::Rettangolo);
        auto r = kvd::MeasureAndPaintPreview(image.GetCanvas(), request);
        benchmark::DoNotOptimize(r.caption);
    }
    kvd::DisposeAllContainers();
    if (state.range(0)) {
        unsetenv("KVD_HOST_DIR");
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
}
BENCHMARK(BM_RegenerateRectangleWithEightHoles)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
