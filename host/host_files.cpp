#include "host/host_files.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "host/element_json.h"
#include "host/errors.h"
#include "host/piece_commands.h"

namespace kvdhost {

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw HostError("cannot open " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBinaryFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::string tmp = path + ".tmp-" + std::to_string(::getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) throw HostError("cannot write " + path);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::remove(tmp.c_str());
            throw HostError("cannot write " + path);
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        throw HostError("cannot replace " + path);
    }
}

void WriteTextFileAtomically(const std::string& path, const std::string& text) {
    WriteBinaryFileAtomically(path, std::vector<unsigned char>(text.begin(), text.end()));
}

namespace {
bool EndsWithNoCase(const std::string& s, const std::string& suffix) {
    if (s.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - suffix.size() + i])) != suffix[i]) return false;
    return true;
}
}  // namespace

std::vector<kvd::TTempElement> ReadDrawingFile(const std::string& path) {
    if (EndsWithNoCase(path, ".json")) {
        try {
            return ElementsFromJson(ReadTextFile(path));
        } catch (const HostError& e) {
            throw HostError(path + ": " + e.what());
        }
    }
    LoadedPiece p = LoadPieceFile(path);
    for (auto& l : p.lists)
        if (!l.empty()) return l;
    return {};
}

void PrintElementTable(const std::vector<kvd::TTempElement>& elements, std::FILE* out) {
    std::fprintf(out, "%6s %4s %5s %12s %12s %10s %12s\n", "#", "code", "class", "X", "Y", "Z", "bulge");
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const kvd::TTempElement& e = elements[i];
        unsigned code = kvd::KindCode(e.Kind);
        std::fprintf(out, "%6zu %4u %5u %12.4f %12.4f %10.4f %12.8f\n", i, code, kvd::KindClass(e.Kind), e.X.ToDouble(),
                     e.Y.ToDouble(), e.Z.ToDouble(), code == kvd::ecStart ? 0.0 : e.Bulge.ToDouble());
    }
}

}  // namespace kvdhost
