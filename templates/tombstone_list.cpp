#include "templates/tombstone_list.h"

#include <algorithm>
#include <filesystem>

#include "base/log.h"
#include "base/number_format.h"
#include "base/streams.h"
#include "kvd/error.h"
#include "platform/host_folder.h"
#include "templates/app_link.h"
#include "templates/template_output.h"

namespace kvd {

namespace {
std::string LocalPath(std::string p) {
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}
}  // namespace

int WriteTombstoneList(const std::string& modelFile, const std::string& outputFolder, const TemplateParameters& p) {
    std::string text = modelFile + "\n";
    int lines = 0;
    for (const TombstoneItem& it : p.TombstoneItems) {
        if (it.Kind() != kItemRelief && it.Kind() != kItemEngraving) continue;
        text += (it.Flags & kItemFitToSurface) ? "T1" : "T0";
        text += "X" + FormatRealDefault(static_cast<long double>(it.X) + p.MarkingX - it.SizeX / 2.0L);
        text += "Y" + FormatRealDefault(static_cast<long double>(it.Y) + p.MarkingY - it.SizeY / 2.0L);
        text += it.FirstFileName.str() + "\n";
        ++lines;
    }
    const std::string path = platform::JoinHostPath(LocalPath(outputFolder), "tombstones.txt");
    WriteFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    return lines;
}

int TombstoneListOnClose(bool confirmed, TemplateTab tab, const std::string& modelFile,
                         const std::string& outputFolder) {
    int lines = 0;
    std::error_code ec;
    if (confirmed && tab == TemplateTab::Lapide && (TemplateParams.OptionBits & kOptionSumMachinings) &&
        !modelFile.empty() && std::filesystem::is_regular_file(LocalPath(modelFile), ec)) {
        try {
            lines = WriteTombstoneList(modelFile, outputFolder, TemplateParams);
        } catch (const Error& e) {
            WriteLog(std::string("tombstones.txt not written: ") + e.what());
            lines = 0;
        }
    }
    if (AppLink().endpoint.Active() && lines > 0) SendTemplateCommand("T1N5");
    return lines;
}

}  // namespace kvd
