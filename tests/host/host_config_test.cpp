#include "host/host_config.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "base/host_settings.h"
#include "base/streams.h"
#include "host/errors.h"

using namespace kvdhost;

TEST(HostPalette, DxfColourNumbers) {
    std::vector<std::uint32_t> p = DxfPalette();
    struct Case {
        int index;
        std::uint32_t rgb;  // as written: 0xRRGGBB
    } cases[] = {{1, 0xFF0000}, {7, 0xFFFFFF}, {9, 0xC0C0C0}, {10, 0xFF0000}, {11, 0xFF7F7F}, {20, 0xFF3F00},
                 {30, 0xFF7F00}, {134, 0x009999}, {135, 0x4C9999}, {249, 0x4C262F}, {250, 0x333334}, {255, 0xFFFFFF}};
    for (const Case& c : cases) {
        std::uint32_t bgr = p[static_cast<std::size_t>(c.index)];
        std::uint32_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
        EXPECT_EQ(rgb, c.rgb) << c.index;
    }
}

TEST(HostConfig, SettingsFileOverridesDefaultsAndNamesBadLines) {
    std::string path = "/tmp/kvdhost-config-" + std::to_string(::getpid()) + ".ini";
    std::ofstream(path) << "# a comment\nlanguage = ENGLISH\nmarking_records = off\ntool_diameter = 12.5\n";
    HostConfig c = DefaultHostConfig("/opt/host");
    ReadHostConfigFile(path, c);
    EXPECT_EQ(c.language, "ENGLISH");
    EXPECT_FALSE(c.markingRecords);
    EXPECT_FLOAT_EQ(c.toolDiameter, 12.5f);
    EXPECT_EQ(c.drawingFolder, "/opt/host/DRAWINGS");

    // The stream reads back through the libraries' own reader.
    std::vector<std::uint8_t> bytes = HostSettingsStream(c);
    kvd::StreamPtr s(kvd::NewMemoryStream(bytes.data(), bytes.size()));
    kvd::HostSettings settings;
    kvd::WorkRecord work;
    std::vector<std::uint8_t> r952;
    std::uint8_t presence = kvd::LoadDfltByVar(s.get(), settings, work, r952);
    EXPECT_EQ(presence & (kvd::kHostPresenceFirst | kvd::kHostPresenceLast), kvd::kHostPresenceFirst | kvd::kHostPresenceLast);
    EXPECT_EQ(settings.LanguageName(), "ENGLISH");
    EXPECT_FALSE(settings.MarkingRecordsEnabled());
    EXPECT_EQ(settings.HostPalette(11), 0x7F7FFFu);
    EXPECT_FLOAT_EQ(work.ToolDiameter(), 12.5f);

    for (const char* bad : {"colour = red\n", "machine_type = 9\n", "tool_diameter = ten\n", "just words\n"}) {
        std::ofstream(path) << "language = X\n" << bad;
        try {
            ReadHostConfigFile(path, c);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const HostError& e) {
            EXPECT_NE(std::string(e.what()).find(":2:"), std::string::npos) << e.what();
        }
    }
    std::remove(path.c_str());
}
