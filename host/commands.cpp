#include "host/commands.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "host/element_json.h"
#include "host/element_svg.h"
#include "host/library_loader.h"

namespace kvdhost {

namespace {

using Args = std::vector<std::string>;

const char* kHelp =
    "usage: kvdhost COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  svg IN.json OUT.svg        draw an element list given in the JSON form as SVG\n"
    "  --help                     this text\n"
    "\n"
    "Libraries are loaded from the program's folder, or from $KVD_LIB_DIR.\n"
    "Errors go to standard error; the exit status is 0 when done, 1 when a dialog\n"
    "was cancelled, 2 on an error.\n";

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw HostError("cannot open " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) throw HostError("cannot write " + path);
        out << text;
        out.flush();
        if (!out) throw HostError("cannot write " + path);
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) throw HostError("cannot replace " + path);
}

int CmdSvg(const Args& a) {
    if (a.size() != 2) throw UsageError("svg takes IN.json OUT.svg");
    WriteTextFile(a[1], ElementListToSvg(ElementsFromJson(ReadTextFile(a[0]))));
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
    };
    auto it = commands.find(args[0]);
    if (it == commands.end()) throw UsageError("unknown command " + args[0]);
    return it->second(Args(args.begin() + 1, args.end()));
}

}  // namespace kvdhost
