#include "host/run_all_command.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "host/drawing_geometry.h"
#include "host/element_json.h"
#include "host/element_svg.h"
#include "host/errors.h"
#include "host/host_config.h"
#include "host/host_files.h"
#include "host/piece_commands.h"
#include "host/template_command.h"

namespace kvdhost {

namespace fs = std::filesystem;

const std::vector<std::string>& TemplateTabs() {
    static const std::vector<std::string> tabs = {"Regolare",     "Rettangolo", "Irregolare",    "Ellisse",
                                                  "Tagli rettilinei", "Piano cucina", "Top bagno", "Top ad angolo",
                                                  "Lapide",       "Scalino",    "Copertina"};
    return tabs;
}

namespace {

std::string Slug(const std::string& caption) {
    std::string s;
    for (char c : caption) s += (c == ' ') ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

int CmdRunAll(const std::vector<std::string>& a) {
    std::string out = "out";
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--out" && i + 1 < a.size()) out = a[++i];
        else throw UsageError("run-all takes [--out DIR]");
    }
    fs::create_directories(out);
    const std::string hostDir = ResolveHostDir(out + "/host");

    std::printf("%-18s %9s %9s %24s %14s\n", "tab", "elements", "contours", "extent (mm)", "area (mm²)");
    std::vector<kvd::TTempElement> all;
    double nextX = 0;
    int made = 0;
    for (const std::string& tab : TemplateTabs()) {
        // Built-in defaults for every tab: no settings file from an earlier run.
        fs::remove(hostDir + "/KvdTemplates.DEF");
        TemplateRequest r;
        r.tab = tab;
        r.hostDir = hostDir;
        r.previewPng = out + "/" + Slug(tab) + ".png";
        TemplateResult res = RunTemplate(r);
        std::vector<ContourPath> contours = ContourPaths(res.elements);
        if (!res.confirmed || contours.empty()) {
            fs::remove(r.previewPng);
            std::printf("%-18s %9zu %9s %24s %14s\n", tab.c_str(), res.elements.size(), "-", "(no drawing yet)", "-");
            continue;
        }
        ++made;
        Extent box = DrawingExtent(res.elements);
        double area = ContourArea(contours.front());
        WriteTextFileAtomically(out + "/" + Slug(tab) + ".json", ElementListToJson(res.elements));
        WriteTextFileAtomically(out + "/" + Slug(tab) + ".svg", ElementListToSvg(res.elements, DxfPalette().data()));
        char extent[64];
        std::snprintf(extent, sizeof extent, "%.1f x %.1f", box.maxX - box.minX, box.maxY - box.minY);
        std::printf("%-18s %9zu %9zu %24s %14.1f\n", tab.c_str(), res.elements.size(), contours.size(), extent, area);
        // Side by side in the piece, 100 mm apart.
        double dx = nextX - box.minX;
        for (kvd::TTempElement e : res.elements) {
            if (!kvd::IsNonGeometricKind(e.Kind)) e.X = e.X.ToLongDouble() + dx;
            all.push_back(e);
        }
        nextX += (box.maxX - box.minX) + 100;
    }
    std::vector<kvd::TTempElement> lists[4];
    lists[0] = all;
    SavePieceFile(out + "/templates.piece", "Templates", lists);
    std::printf("%d drawings in %s/ (JSON, SVG, preview PNG); all of them in %s/templates.piece\n", made, out.c_str(),
                out.c_str());
    return made > 0 ? 0 : 2;
}

}  // namespace kvdhost
