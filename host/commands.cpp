#include "host/commands.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "host/element_json.h"
#include "host/element_svg.h"
#include "host/host_files.h"
#include "host/library_loader.h"
#include "host/piece_commands.h"
#include "host/template_command.h"
#include "host/run_all_command.h"
#include "host/window_command.h"

namespace kvdhost {

namespace {

using Args = std::vector<std::string>;

const char* kHelp =
    "usage: kvdhost COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  template [--tab CAPTION] [--set CONTROL=TEXT ...] [--script FILE]\n"
    "           [--json OUT] [--svg OUT] [--png OUT] [--host-dir DIR] [--settings FILE]\n"
    "           [--language NAME] [--no-ok] [--interactive]\n"
    "                             run the parametric-drawing dialog (headless unless\n"
    "                             --interactive), end it with OK and write the drawing;\n"
    "                             exit 1 when the dialog was cancelled\n"
    "  piece dump FILE [--json OUT]\n"
    "                             show a piece file: its fields and its four lists\n"
    "  piece save OUT [--name TEXT] [--list0 IN] ... [--list3 IN]\n"
    "                             make a piece file from drawings (JSON form or piece files)\n"
    "  dump FILE [--json OUT]     print the element list of a drawing file\n"
    "  svg IN OUT.svg             draw a drawing file as SVG\n"
    "  run-all [--out DIR]        the default drawing of every templates tab into DIR (out/):\n"
    "                             JSON, SVG, preview PNG, one piece file, a summary table\n"
    "  window [FILE] [--host-dir DIR] [--screenshot OUT.png]\n"
    "                             the main window: the drawing, menu commands for the libraries\n"
    "  --help                     this text\n"
    "\n"
    "Libraries are loaded from the program's folder, or from $KVD_LIB_DIR.\n"
    "Errors go to standard error; the exit status is 0 when done, 1 when a dialog\n"
    "was cancelled, 2 on an error.\n";

int CmdDump(const Args& a) {
    if (a.size() != 1 && !(a.size() == 3 && a[1] == "--json")) throw UsageError("dump FILE [--json OUT]");
    std::vector<kvd::TTempElement> elements = ReadDrawingFile(a[0]);
    PrintElementTable(elements, stdout);
    if (a.size() == 3) WriteTextFileAtomically(a[2], ElementListToJson(elements));
    return 0;
}

int CmdSvg(const Args& a) {
    if (a.size() != 2) throw UsageError("svg takes IN OUT.svg");
    WriteTextFileAtomically(a[1], ElementListToSvg(ReadDrawingFile(a[0])));
    return 0;
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
    Args args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::fputs(kHelp, stdout);
        return 0;
    }
    static const std::map<std::string, std::function<int(const Args&)>> commands = {
        {"svg", CmdSvg},
        {"piece", CmdPiece},
        {"template", CmdTemplate},
        {"window", CmdWindow},
        {"run-all", CmdRunAll},
        {"dump", CmdDump},
    };
    auto it = commands.find(args[0]);
    if (it == commands.end()) throw UsageError("unknown command " + args[0]);
    return it->second(Args(args.begin() + 1, args.end()));
}

}  // namespace kvdhost
