#include "host/window_command.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QTimer>

#include <filesystem>

#include "host/app_link_host.h"
#include "host/element_svg.h"
#include "host/errors.h"
#include "host/host_config.h"
#include "host/host_files.h"
#include "host/main_window.h"
#include "host/piece_commands.h"
#include "host/qt_app.h"
#include "host/template_command.h"

namespace kvdhost {

namespace {

void AddMenus(MainWindow& w, const std::string& hostDir, AppLinkHost& link, std::string& language) {
    w.AddCommand("&File", "&Open drawing or piece...", [&w] {
        QString f = QFileDialog::getOpenFileName(&w, "Open", QString(), "Drawings (*.json *.piece *.pez);;All files (*)");
        if (f.isEmpty()) return;
        w.ShowDrawing(ReadDrawingFile(f.toStdString()), QFileInfo(f).fileName());
    }, QKeySequence::Open);
    w.AddCommand("&File", "&Save as piece...", [&w] {
        QString f = QFileDialog::getSaveFileName(&w, "Save piece", QString(), "Pieces (*.piece);;All files (*)");
        if (f.isEmpty()) return;
        std::vector<kvd::TTempElement> lists[4];
        lists[0] = w.view()->Drawing();
        SavePieceFile(f.toStdString(), QFileInfo(f).completeBaseName().left(75).toStdString(), lists);
        w.Report("Saved " + f);
    }, QKeySequence::Save);
    w.AddCommand("&File", "&Export SVG...", [&w] {
        QString f = QFileDialog::getSaveFileName(&w, "Export SVG", QString(), "SVG (*.svg)");
        if (f.isEmpty()) return;
        WriteTextFileAtomically(f.toStdString(), ElementListToSvg(w.view()->Drawing(), DxfPalette().data()));
        w.Report("Exported " + f);
    });
    w.AddCommand("&File", "&Quit", [&w] { w.close(); }, QKeySequence::Quit);
    w.AddCommand("&Options", "&Language...", [&w, &language] {
        bool ok = false;
        QString l = QInputDialog::getText(&w, "Language", "Language of the dialogs (ITALIANO keeps the built-in texts):",
                                          QLineEdit::Normal, QString::fromStdString(language), &ok);
        if (!ok || l.trimmed().isEmpty()) return;
        language = l.trimmed().toUpper().toStdString();
        w.Report(QString::fromStdString("Language: " + language + " (language file KOVA/" + language + ".DZN)"));
    });
    w.AddCommand("&Drawing", "&Parametric drawing...", [&w, hostDir, &link, &language] {
        TemplateRequest r;
        r.language = language;
        r.window = link.WindowHandle();
        r.message = AppLinkHost::kMessage;
        r.interactive = true;
        r.confirm = false;
        r.hostDir = hostDir;
        TemplateResult res = RunTemplate(r);
        if (res.confirmed) w.ShowDrawing(res.elements, "parametric drawing");
        else w.Report("Parametric drawing cancelled");
    }, QKeySequence("Ctrl+T"));
}

}  // namespace

int CmdWindow(const std::vector<std::string>& a) {
    std::string file, hostDir, screenshot;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto value = [&]() -> const std::string& {
            if (i + 1 >= a.size()) throw UsageError(a[i] + " needs a value");
            return a[++i];
        };
        if (a[i] == "--host-dir") hostDir = value();
        else if (a[i] == "--screenshot") screenshot = value();
        else if (!a[i].empty() && a[i][0] == '-') throw UsageError("unknown option " + a[i]);
        else if (file.empty()) file = a[i];
        else throw UsageError("window takes one drawing file");
    }
    EnsureQtApplication(true);
    hostDir = ResolveHostDir(hostDir);
    MainWindow w;
    HostConfig config = DefaultHostConfig(hostDir);
    if (std::filesystem::exists(hostDir + "/kvdhost.ini")) ReadHostConfigFile(hostDir + "/kvdhost.ini", config);
    AppLinkHost link(config.outboxFolder, [&w](const std::string& file) {
        w.Report(QString::fromStdString("Drawing for the cutting program kept in " + file));
    });
    std::string language = config.language;
    AddMenus(w, hostDir, link, language);
    if (!file.empty()) w.ShowDrawing(ReadDrawingFile(file), QString::fromStdString(file).section('/', -1));
    w.show();
    if (!screenshot.empty()) {
        // Let the window lay itself out, then keep a picture of it and leave.
        QTimer::singleShot(300, &w, [&w, screenshot] {
            w.view()->ZoomToFit();
            if (!w.grab().save(QString::fromStdString(screenshot))) std::fprintf(stderr, "kvdhost: cannot write %s\n", screenshot.c_str());
            QApplication::quit();
        });
    }
    return QApplication::exec() == 0 ? 0 : 2;
}

}  // namespace kvdhost
