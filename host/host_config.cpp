#include "host/host_config.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "base/host_settings.h"
#include "base/streams.h"
#include "base/work_record.h"
#include "host/errors.h"

namespace kvdhost {

HostConfig DefaultHostConfig(const std::string& hostFolder) {
    HostConfig c;
    c.hostFolder = hostFolder;
    c.drawingFolder = hostFolder + "/DRAWINGS";
    c.machiningFolder = hostFolder + "/MACHINING";
    c.pictureFolder = hostFolder + "/PICTURES";
    c.fontFolder = hostFolder + "/FONTS";
    c.outboxFolder = hostFolder + "/OUTBOX";
    return c;
}

namespace {

std::string Trim(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool ParseBool(const std::string& v, bool& out) {
    if (v == "1" || v == "on" || v == "yes" || v == "true") return out = true, true;
    if (v == "0" || v == "off" || v == "no" || v == "false") return out = false, true;
    return false;
}

template <typename T>
bool ParseNumber(const std::string& v, T& out) {
    std::istringstream in(v);
    in.imbue(std::locale::classic());
    T x;
    if (!(in >> x) || !in.eof()) return false;
    out = x;
    return true;
}

}  // namespace

void ReadHostConfigFile(const std::string& path, HostConfig& c) {
    std::ifstream in(path);
    if (!in) throw HostError("cannot open settings file " + path);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        auto hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        line = Trim(line);
        if (line.empty()) continue;
        auto eq = line.find('=');
        const std::string where = path + ":" + std::to_string(n) + ": ";
        if (eq == std::string::npos) throw HostError(where + "expected key = value");
        std::string key = Trim(line.substr(0, eq)), v = Trim(line.substr(eq + 1));
        bool ok = true;
        if (key == "language") c.language = v;
        else if (key == "language_font") c.languageFont = v;
        else if (key == "language_charset") ok = ParseNumber(v, c.languageCharset);
        else if (key == "marking_records") ok = ParseBool(v, c.markingRecords);
        else if (key == "machine_type") ok = ParseNumber(v, c.machineType) && c.machineType >= 0 && c.machineType <= 7;
        else if (key == "default_color_index") ok = ParseNumber(v, c.defaultColorIndex) && c.defaultColorIndex >= 0 && c.defaultColorIndex <= 255;
        else if (key == "drawing_folder") c.drawingFolder = v;
        else if (key == "machining_folder") c.machiningFolder = v;
        else if (key == "picture_folder") c.pictureFolder = v;
        else if (key == "font_folder") c.fontFolder = v;
        else if (key == "outbox_folder") c.outboxFolder = v;
        else if (key == "tool_diameter") ok = ParseNumber(v, c.toolDiameter) && c.toolDiameter >= 0;
        else if (key == "cut_width") ok = ParseNumber(v, c.cutWidth) && c.cutWidth >= 0;
        else if (key == "machining_name") c.machiningName = v;
        else throw HostError(where + "unknown setting " + key);
        if (!ok) throw HostError(where + "bad value for " + key + ": " + v);
    }
}

std::vector<std::uint32_t> DxfPalette() {
    std::vector<std::uint32_t> p(256, 0);
    auto bgr = [](int r, int g, int b) { return static_cast<std::uint32_t>(r | (g << 8) | (b << 16)); };
    const std::uint32_t first[9] = {bgr(255, 0, 0),   bgr(255, 255, 0), bgr(0, 255, 0),     bgr(0, 255, 255),   bgr(0, 0, 255),
                                    bgr(255, 0, 255), bgr(255, 255, 255), bgr(128, 128, 128), bgr(192, 192, 192)};
    for (int i = 1; i <= 9; ++i) p[i] = first[i - 1];
    const int brightness[5] = {255, 204, 153, 127, 76};
    for (int i = 10; i <= 249; ++i) {
        double hue = (i / 10 - 1) * 15.0;
        int k = i % 10;
        // The fully saturated colour of the hue, each channel 0..1.
        auto channel = [&](double offset) {
            double h = std::fmod(hue + offset, 360.0);
            if (h < 60) return h / 60;
            if (h < 180) return 1.0;
            if (h < 240) return (240 - h) / 60;
            return 0.0;
        };
        double c[3] = {channel(120), channel(0), channel(240)};  // red, green, blue
        int rgb[3];
        for (int j = 0; j < 3; ++j) {
            double v = (k % 2) ? 0.5 + c[j] / 2 : c[j];
            rgb[j] = static_cast<int>(std::floor(v * brightness[k / 2]));
        }
        p[i] = bgr(rgb[0], rgb[1], rgb[2]);
    }
    const int greys[6] = {0x33, 0x5B, 0x84, 0xAD, 0xD6, 0xFF};
    for (int i = 0; i < 6; ++i) p[250 + i] = bgr(greys[i], greys[i], greys[i]);
    p[250] = bgr(0x33, 0x33, 0x34);
    return p;
}

namespace {

void Fill(const HostConfig& c, kvd::HostSettings& s, kvd::WorkRecord& w) {
    kvd::SetHostDefaults(s);
    s.SetString(403, c.language);
    s.SetString(891, c.languageFont);
    s.SetByte(892, static_cast<std::uint8_t>(c.languageCharset));
    s.SetByte(408, static_cast<std::uint8_t>(c.markingRecords ? 0x80 : 0));
    s.SetByte(37, static_cast<std::uint8_t>(c.machineType & 7));
    s.SetByte(71, static_cast<std::uint8_t>(c.defaultColorIndex));
    s.SetString(5, c.drawingFolder);
    s.SetString(6, c.machiningFolder);
    s.SetString(7, c.pictureFolder);
    s.SetString(8, c.fontFolder);
    std::vector<std::uint32_t> palette = DxfPalette();
    for (int i = 0; i < 256; ++i) s.SetU32(static_cast<std::uint16_t>(141 + i), palette[static_cast<std::size_t>(i)]);
    s.SetReal(20, 0.001L);  // semi-axes up to this give no ellipse
    s.SetReal(11, 1e-9L);   // lines closer to parallel than this do not meet
    w.Clear();
    w.SetToolDiameter(c.toolDiameter);
    w.SetCutWidth(c.cutWidth);
    w.Name.assign(c.machiningName);
}

}  // namespace

std::vector<std::uint8_t> HostSettingsStream(const HostConfig& c) {
    kvd::HostSettings s;
    kvd::WorkRecord w;
    Fill(c, s, w);
    kvd::StreamPtr stream(kvd::NewMemoryStream());
    kvd::SaveDfltByVar(stream.get(), s, w);
    return *kvd::MemoryStreamBytes(stream.get());
}

std::vector<std::uint8_t> HostSettingsBlock(const HostConfig& c) {
    kvd::HostSettings s;
    kvd::WorkRecord w;
    Fill(c, s, w);
    std::vector<std::uint8_t> block(kvd::kHostBlockSize, 0);
    kvd::SaveHostBlock(s, w, block.data());
    return block;
}

}  // namespace kvdhost
