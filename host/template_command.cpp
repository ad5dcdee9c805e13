#include "host/template_command.h"

#include <QApplication>
#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "host/element_json.h"
#include "host/element_svg.h"
#include "host/errors.h"
#include "host/host_config.h"
#include "host/host_files.h"
#include "host/host_stream.h"
#include "host/library_loader.h"
#include "host/qt_app.h"
#include "kvd/ui_process.h"

namespace kvdhost {

namespace fs = std::filesystem;

std::string ResolveHostDir(const std::string& requested) {
    std::string dir = requested;
    if (dir.empty()) {
        const char* env = std::getenv("KVD_HOST_DIR");
        dir = (env && *env) ? env : LibraryFolder();
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir)) throw HostError("host folder " + dir + " cannot be made");
    return fs::absolute(dir).lexically_normal().string();
}

namespace {

// The exports of KvdTemplates, as the host looks them up.
using Template7Fn = void (*)(kvd::TTempElement** result, KvdStream** settings, std::uint32_t window, std::uint32_t message);
using DisposeTemplateFn = void (*)();

// The script kvdhost plays: the page, the values, the caller's own actions,
// a moment for the preview, its picture, and OK.
QByteArray BuildScript(const TemplateRequest& r) {
    std::string s;
    if (!r.tab.empty()) s += "tab PageControl1 " + r.tab + "\n";
    for (const std::string& kv : r.sets) {
        auto eq = kv.find('=');
        if (eq == std::string::npos || eq == 0) throw UsageError("--set takes CONTROL=TEXT, not " + kv);
        s += "set " + kv.substr(0, eq) + " " + kv.substr(eq + 1) + "\n";
    }
    if (!r.scriptFile.empty()) s += ReadTextFile(r.scriptFile) + "\n";
    if (r.confirm) {
        s += "advance 600\n";
        if (!r.previewPng.empty()) s += "screenshot Image1 " + r.previewPng + "\n";
        s += "click BitBtn8\n";
    }
    return QByteArray::fromStdString(s);
}

}  // namespace

TemplateResult RunTemplate(const TemplateRequest& r) {
    const std::string hostDir = ResolveHostDir(r.hostDir);
    ::setenv("KVD_HOST_DIR", hostDir.c_str(), 1);
    HostConfig config = DefaultHostConfig(hostDir);
    std::string settings = r.settingsFile;
    if (settings.empty() && fs::exists(hostDir + "/kvdhost.ini")) settings = hostDir + "/kvdhost.ini";
    if (!settings.empty()) ReadHostConfigFile(settings, config);
    if (!r.language.empty()) config.language = r.language;

    EnsureQtApplication(r.interactive);
    if (!kvd::uiproc::InstallScript(BuildScript(r), "kvdhost template"))
        throw HostError("the automation state cannot be reached");

    Library lib("KvdTemplates");
    auto template7 = lib.Get<Template7Fn>("Template7");
    auto dispose = lib.Get<DisposeTemplateFn>("DisposeTemplate");
    HostMemoryStream stream(HostSettingsStream(config));
    KvdStream* s = stream.stream();
    kvd::TTempElement* result = nullptr;
    template7(&result, &s, r.window, r.message);

    kvd::uiproc::SharedState* state = kvd::uiproc::State();
    if (state && state->failed) {
        dispose();
        throw HostError(std::string("automation script failed: ") + state->error);
    }
    TemplateResult out;
    out.confirmed = result != nullptr;
    out.elements = ElementsOf(result);
    dispose();
    return out;
}

int CmdTemplate(const Args& a) {
    TemplateRequest r;
    std::string json, svg;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::string& o = a[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= a.size()) throw UsageError(o + " needs a value");
            return a[++i];
        };
        if (o == "--tab") r.tab = value();
        else if (o == "--set") r.sets.push_back(value());
        else if (o == "--script") r.scriptFile = value();
        else if (o == "--json") json = value();
        else if (o == "--svg") svg = value();
        else if (o == "--png") r.previewPng = value();
        else if (o == "--host-dir") r.hostDir = value();
        else if (o == "--settings") r.settingsFile = value();
        else if (o == "--language") r.language = value();
        else if (o == "--no-ok") r.confirm = false;
        else if (o == "--interactive") r.interactive = true, r.confirm = false;
        else throw UsageError("unknown option " + o);
    }
    // The preview picture is written by the dialog: keep it only for a confirmed run.
    std::string png = r.previewPng;
    if (!png.empty()) r.previewPng = png + ".part.png";
    TemplateResult res = RunTemplate(r);
    if (!res.confirmed) {
        if (!png.empty()) std::remove(r.previewPng.c_str());
        std::fprintf(stderr, "kvdhost: the dialog was cancelled\n");
        return 1;
    }
    if (!png.empty() && std::rename(r.previewPng.c_str(), png.c_str()) != 0)
        throw HostError("the preview picture " + png + " was not written");
    if (!json.empty()) WriteTextFileAtomically(json, ElementListToJson(res.elements));
    if (!svg.empty()) WriteTextFileAtomically(svg, ElementListToSvg(res.elements, DxfPalette().data()));
    std::printf("%zu elements\n", res.elements.size());
    return 0;
}

}  // namespace kvdhost
