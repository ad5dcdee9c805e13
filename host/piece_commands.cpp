#include "host/piece_commands.h"

#include <QString>

#include <cstdio>
#include <cstring>

#include "host/element_json.h"
#include "host/host_stream.h"
#include "host/host_files.h"
#include "host/errors.h"
#include "host/library_loader.h"
#include "host/low_memory.h"

namespace kvdhost {

using kvd::TPieceRecord;
using kvd::TTempElement;

std::u16string Utf16(const std::string& utf8) {
    QString s = QString::fromUtf8(utf8.c_str());
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

namespace {

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string PieceNameOf(const TPieceRecord& r) {
    std::size_t n = std::min<std::size_t>(r.PieceName[0], sizeof r.PieceName - 1);
    // Names are Windows-1252; Latin-1 covers every letter a name uses here.
    return QString::fromLatin1(reinterpret_cast<const char*>(r.PieceName + 1), static_cast<qsizetype>(n))
        .toStdString();
}

// Builds a linked list below 4 GiB from element copies (the host's own memory).
TTempElement* LinkLowList(const std::vector<TTempElement>& elements) {
    TTempElement* head = nullptr;
    TTempElement* tail = nullptr;
    for (const TTempElement& src : elements) {
        auto* e = LowNew<TTempElement>();
        *e = src;
        e->Next = nullptr;
        e->Prev = tail;
        if (tail) tail->Next = e;
        else head = e;
        tail = e;
    }
    return head;
}

}  // namespace

LoadedPiece LoadPieceFile(const std::string& path) {
    Library lib("Ardatalink");
    auto load = lib.Get<LoadPieceByVarFn>("LoadPieceByVar");
    auto* record = LowNew<TPieceRecord>();
    KvdStream* none = nullptr;
    std::u16string name = Utf16(path);
    load(name.c_str(), &none, &record, false);
    LoadedPiece out;
    out.record = *record;
    kvd::Ptr32<TTempElement>* heads[4] = {&record->List0, &record->List1, &record->List2, &record->List3};
    for (int i = 0; i < 4; ++i) out.lists[i] = ElementsOf(*heads[i]);
    out.record.List0 = out.record.List1 = out.record.List2 = out.record.List3 = nullptr;
    out.record.DisplayObject = nullptr;
    // Give the library's lists back: loading an empty stream into the same record frees them.
    HostMemoryStream empty;
    KvdStream* s = empty.stream();
    load(nullptr, &s, &record, false);
    return out;
}

void SavePieceFile(const std::string& path, const std::string& name, const std::vector<TTempElement> (&lists)[4]) {
    Library lib("Ardatalink");
    auto save = lib.Get<SavePieceByVarFn>("SavePieceByVar");
    auto* record = LowNew<TPieceRecord>();
    QByteArray latin = QString::fromUtf8(name.c_str()).toLatin1();
    if (latin.size() > 75) throw HostError("a piece name holds at most 75 characters");
    record->PieceName[0] = static_cast<std::uint8_t>(latin.size());
    std::memcpy(record->PieceName + 1, latin.constData(), static_cast<std::size_t>(latin.size()));
    record->List0 = LinkLowList(lists[0]);
    record->List1 = LinkLowList(lists[1]);
    record->List2 = LinkLowList(lists[2]);
    record->List3 = LinkLowList(lists[3]);
    KvdStream* none = nullptr;
    std::u16string file = Utf16(path);
    save(file.c_str(), &none, &record);
}

std::string PieceToJson(const LoadedPiece& p) {
    const TPieceRecord& r = p.record;
    std::string out = "{\n";
    out += "\"PieceName\": " + JsonString(PieceNameOf(r)) + ",\n";
    out += "\"PieceData0\": \"" + HexBytes(r.PieceData0, sizeof r.PieceData0) + "\",\n";
    auto u32 = [&](const char* key, std::uint32_t v) { out += std::string("\"") + key + "\": \"" + HexBytes(&v, 4) + "\",\n"; };
    u32("PieceData8", r.PieceData8);
    u32("PieceData12", r.PieceData12);
    u32("PieceData16", r.PieceData16);
    u32("PieceData20", r.PieceData20);
    u32("PieceData24", r.PieceData24);
    u32("PieceData28", r.PieceData28);
    u32("PieceData32", r.PieceData32);
    out += "\"PieceData112\": \"" + HexBytes(r.PieceData112, sizeof r.PieceData112) + "\",\n";
    out += "\"PieceData136\": \"" + HexBytes(r.PieceData136, sizeof r.PieceData136) + "\",\n";
    out += "\"PieceData160\": \"" + HexBytes(&r.PieceData160, 2) + "\",\n";
    out += "\"PieceHeader\": \"" + HexBytes(r.PieceHeader, sizeof r.PieceHeader) + "\"";
    for (int i = 0; i < 4; ++i) {
        std::string list = ElementListToJson(p.lists[i]);
        while (!list.empty() && list.back() == '\n') list.pop_back();
        out += ",\n\"List" + std::to_string(i) + "\": " + list;
    }
    return out + "\n}\n";
}

int CmdPiece(const Args& a) {
    if (a.empty()) throw UsageError("piece takes dump or save");
    if (a[0] == "dump") {
        if (a.size() != 2 && !(a.size() == 4 && a[2] == "--json")) throw UsageError("piece dump FILE [--json OUT]");
        LoadedPiece p = LoadPieceFile(a[1]);
        std::printf("PieceName: %s\n", PieceNameOf(p.record).c_str());
        for (int i = 0; i < 4; ++i) {
            std::printf("List%d: %zu elements\n", i, p.lists[i].size());
            PrintElementTable(p.lists[i], stdout);
        }
        if (a.size() == 4) WriteTextFileAtomically(a[3], PieceToJson(p));
        return 0;
    }
    if (a[0] == "save") {
        if (a.size() < 2) throw UsageError("piece save OUT [--name TEXT] [--list0 IN] ... [--list3 IN]");
        std::string name;
        std::vector<TTempElement> lists[4];
        for (std::size_t i = 2; i < a.size(); i += 2) {
            if (i + 1 >= a.size()) throw UsageError(a[i] + " needs a value");
            if (a[i] == "--name") {
                name = a[i + 1];
            } else if (a[i].size() == 7 && a[i].rfind("--list", 0) == 0 && a[i][6] >= '0' && a[i][6] <= '3') {
                lists[a[i][6] - '0'] = ReadDrawingFile(a[i + 1]);
            } else {
                throw UsageError("unknown option " + a[i]);
            }
        }
        SavePieceFile(a[1], name, lists);
        std::printf("%s: piece \"%s\" with %zu, %zu, %zu, %zu elements\n", a[1].c_str(), name.c_str(), lists[0].size(),
                    lists[1].size(), lists[2].size(), lists[3].size());
        return 0;
    }
    throw UsageError("piece takes dump or save, not " + a[0]);
}

}  // namespace kvdhost
