#include "host/app_link_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/qt_app.h"
#include "kvd/ui_process.h"

using namespace kvdhost;
namespace fs = std::filesystem;

namespace {

void Post(std::uint32_t window, int code, const std::string& text) {
    for (char c : text) kvd::uiproc::PostWindowMessage(window, AppLinkHost::kMessage, code, c);
    kvd::uiproc::PostWindowMessage(window, AppLinkHost::kMessage, 13, 0);
}

void Pump() {
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
}

}  // namespace

TEST(AppLinkHost, AnswersCommandsAndKeepsASentDrawingInTheOutbox) {
    EnsureQtApplication(false);
    fs::path outbox = fs::temp_directory_path() / ("kvd-outbox-" + std::to_string(::getpid()));
    fs::remove_all(outbox);
    std::vector<std::pair<int, int>> answers;  // what the "templates form" receives
    kvd::uiproc::WindowReceiver form([&](std::uint32_t msg, std::uintptr_t w, std::intptr_t l) {
        if (msg == 33173) answers.emplace_back(static_cast<int>(w), static_cast<int>(l));
    });
    std::vector<std::string> kept;
    AppLinkHost host(outbox.string(), [&](const std::string& f) { kept.push_back(f); });

    Post(host.WindowHandle(), 15, "N2M6D0S33173H" + std::to_string(form.Handle()));
    Pump();
    EXPECT_EQ(answers, (std::vector<std::pair<int, int>>{{9, 'O'}, {9, 'K'}, {13, 0}}));

    answers.clear();
    Post(host.WindowHandle(), 48, "N2");  // the count: posted without a wait, not answered
    Post(host.WindowHandle(), 48, "T0X100.000000Y25.000000Z0.000000B0.000000S6P0D0E0U0.000000V0.000000W0.000000J0r0g0b0w0d0");
    Post(host.WindowHandle(), 48, "T2X90.000000Y50.000000Z0.000000B-0.414214S6P128D0E513U1.500000V-2.000000W0.000000J7r255g0b0w0d0");
    Post(host.WindowHandle(), 92, " ");
    Pump();
    EXPECT_EQ(answers.size(), 6u) << "each waited element is answered";
    ASSERT_EQ(kept.size(), 1u);
    std::ifstream in(kept[0]);
    std::string json((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(json.find("\"Kind\": 2"), std::string::npos) << json;
    EXPECT_NE(json.find("\"Bulge\": -0.41421"), std::string::npos) << json;
    EXPECT_NE(json.find("\"Extra50\": 1, \"Extra51\": 2"), std::string::npos) << json;
    EXPECT_NE(json.find("\"Inclination\": -2"), std::string::npos) << json;
    EXPECT_NE(json.find("\"ColorR\": 255"), std::string::npos) << json;
    ASSERT_EQ(host.Received().size(), 5u);
    EXPECT_EQ(host.Received()[1], "48:N2");
    fs::remove_all(outbox);
}
