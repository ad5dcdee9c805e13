// kvdhost's own settings: what a CAM host would hand the libraries. Built-in
// defaults, overridden by a small "key = value" file (docs/kvdhost.md).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kvdhost {

struct HostConfig {
    std::string hostFolder;           // where the libraries find their files
    std::string language = "ITALIANO";
    std::string languageFont;
    int languageCharset = 0;
    bool markingRecords = true;       // the templates add marking records
    int machineType = 0;              // 0, 3 and 4 show every templates tab
    int defaultColorIndex = 7;
    std::string drawingFolder, machiningFolder, pictureFolder, fontFolder;
    float toolDiameter = 10.0f;       // the current machining
    float cutWidth = 3.0f;
    std::string machiningName = "TAGLIO";
    std::string outboxFolder;         // drawings sent to the sibling program
};

// Defaults for a host folder: the drawing, picture, font and machining
// folders below it.
HostConfig DefaultHostConfig(const std::string& hostFolder);

// Reads "key = value" lines (# starts a comment) over `config`; throws
// HostError naming the file and line for an unknown key or a bad value.
void ReadHostConfigFile(const std::string& path, HostConfig& config);

// The settings as the tagged settings stream of Template7 (settings records,
// then the current machining record).
std::vector<std::uint8_t> HostSettingsStream(const HostConfig& config);
// The settings as the 10834-byte block of Template.
std::vector<std::uint8_t> HostSettingsBlock(const HostConfig& config);

// The 256-entry palette of DXF colour numbers as $00BBGGRR.
std::vector<std::uint32_t> DxfPalette();

}  // namespace kvdhost
