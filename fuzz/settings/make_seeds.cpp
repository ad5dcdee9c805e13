// Writes small valid inputs for the settings fuzz targets:
//   settings_make_seeds <fuzz/corpus folder>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/host_settings.h"
#include "base/streams.h"
#include "base/tagged_records.h"
#include "base/work_record.h"
#include "templates/template_settings_file.h"

using namespace kvd;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

void Save(const fs::path& dir, const std::string& name, const Bytes& b) {
    fs::create_directories(dir);
    WriteFileAtomically((dir / name).string(), b);
    std::printf("%s: %zu bytes\n", (dir / name).c_str(), b.size());
}

template <typename F>
Bytes Written(F write) {
    StreamPtr s(NewMemoryStream());
    write(s.get());
    return *MemoryStreamBytes(s.get());
}

WorkRecord SampleWork() {
    WorkRecord w;
    w.Clear();
    w.SetToolDiameter(10.0f);
    w.SetCutWidth(4.0f);
    w.Name = "DISCO 400";
    w.Text228 = "T";
    return w;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];

    // Settings streams.
    HostSettings s;
    SetHostDefaults(s);
    s.SetString(403, "ENGLISH");
    s.SetByte(71, 3);
    s.SetReal(20, 0.01L);
    const WorkRecord w = SampleWork();
    Save(root / "fuzz_settings_stream", "defaults_with_work.bin",
         Written([&](KvdStream* st) { SaveDfltByVar(st, s, w, {1, 2, 3}); }));
    Save(root / "fuzz_settings_stream", "first_and_last.bin", Written([](KvdStream* st) {
             WriteTaggedU16(st, 0, kTaggedMagic);
             WriteTaggedU16(st, 889, kTaggedEndMagic);
         }));
    Save(root / "fuzz_settings_stream", "extra_and_long.bin", Written([](KvdStream* st) {
             WriteTaggedU16(st, 0, kTaggedMagic);
             const std::uint8_t three[3] = {7, 8, 9};
             WriteTaggedRecord(st, 2000, 3, three);
             WriteTaggedRecord(st, 71, 3, three);
             WriteTaggedRecord(st, 952, 3, three);
             const std::uint8_t name[8] = {7, 'E', 'N', 'G', 'L', 'I', 'S', 'H'};
             WriteTaggedRecord(st, 891, 8, name);
             WriteTaggedU16(st, 1503, 9);
         }));

    // Machining records.
    Save(root / "fuzz_work_record", "work.bin", Written([&](KvdStream* st) { SaveWorkByVar(st, w, false); }));
    Save(root / "fuzz_work_record", "short.bin", Written([](KvdStream* st) {
             WriteTaggedU16(st, 0, kTaggedMagic);
             const float d = 6.0f;
             WriteTaggedRecord(st, 1, 4, &d);
             WriteTaggedU16(st, 300, 1);
             WriteTaggedU16(st, 234, 1);
             WriteTaggedRecord(st, 169, 4, "\x03" "ABC");
         }));

    // Settings files.
    TemplateParameters p;
    QuadrilateralSet working[kQuadrilateralKinds];
    SetTemplateDefaults(p, working);
    p.MarkingText[2] = "TOP";
    p.TombstoneItems[0].Flags = (3 << 2) | kItemInUse;
    p.TombstoneItems[0].SizeX = 30;
    p.TombstoneItems[0].Text[0] = u'A';
    p.TombstoneItems[1].Flags = (1 << 2) | kItemInUse;
    p.TombstoneItems[1].SizeX = 100;
    p.TombstoneItems[1].SizeY = 80;
    p.TombstoneItems[1].FirstFileName = "ROSA.ZCS";
    Save(root / "fuzz_template_config", "defaults.def", Written([&](KvdStream* st) { SaveConfigByVars(st, p); }));
    Save(root / "fuzz_template_config", "header_and_end.def", Written([](KvdStream* st) {
             WriteTaggedU16(st, 0, kTaggedMagic);
             WriteTaggedLength(st, 12);
             WriteTaggedU16(st, kConfigEndId, kTaggedEndMagic);
         }));
    Save(root / "fuzz_template_config", "old_quantities.def", Written([](KvdStream* st) {
             WriteTaggedU16(st, 0, kTaggedMagic);
             std::uint8_t block[64] = {};
             for (int id = 442; id <= 473; ++id) {
                 block[0] = static_cast<std::uint8_t>(id);
                 WriteTaggedRecord(st, static_cast<std::uint16_t>(id), 64, block);
             }
             WriteTaggedU16(st, 409, 12);
             WriteTaggedU16(st, kConfigEndId, kTaggedEndMagic);
         }));
    return 0;
}
