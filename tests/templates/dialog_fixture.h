// Common ground of the templates-dialog tests: a scratch host folder
// (KVD_HOST_DIR) with its settings file, host settings with the marking
// records switched on, a manual clock, a clean automation script.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/containers.h"
#include "base/host_settings.h"
#include "base/streams.h"
#include "kvd/element.h"
#include "templates/template_parameters.h"
#include "templates/template_settings_file.h"
#include "ui/application.h"
#include "ui/automation.h"
#include "ui/clock.h"
#include "ui/language_file.h"

namespace kvd::test {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("kvd_dialog_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        ::setenv("KVD_HOST_DIR", dir_.c_str(), 1);
        ui::App();
        ui::ClearScript();
        ui::UnloadLanguage();
        SetHostDefaults(host_);
        host_.SetByte(408, 0x80);  // marking records on
    }
    void TearDown() override {
        ui::ClearScript();
        DisposeAllContainers();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    // "KvdTemplates.DEF" with the defaults, changed by `edit`.
    template <typename F>
    void WriteSettingsFile(F&& edit) {
        TemplateParameters p;
        QuadrilateralSet w[kQuadrilateralKinds];
        SetTemplateDefaults(p, w);
        edit(p);
        ASSERT_TRUE(SaveConfigByVars((dir_ / kTemplateSettingsFile).string(), p));
    }
    // The 100 x 50 rectangle with radius 10 on the active tab "Rettangolo".
    void WriteRectangleSettings() {
        WriteSettingsFile([](TemplateParameters& p) {
            p.RectWidth = 100;
            p.RectHeight = 50;
            p.RectFillet = 10;
            p.ActiveTab = 1;
        });
    }
    // The host's settings stream as Template7 receives it.
    StreamPtr SettingsStream() {
        StreamPtr s(NewMemoryStream());
        WorkRecord work;
        work.Clear();
        SaveDfltByVar(s.get(), host_, work);
        return s;
    }

    std::filesystem::path dir_;
    HostSettings host_;
};

struct Step {
    int code;  // Kind & 15
    double x, y;
};

inline std::vector<const TTempElement*> ListOf(const TTempElement* head) {
    std::vector<const TTempElement*> v;
    for (const TTempElement* e = head; e && v.size() < 10000; e = e->Next) v.push_back(e);
    return v;
}

// The outline of the 100 x 50 rectangle with radius 10 (codes 0 start,
// 1 line, 2 arc).
inline const std::vector<Step>& RectangleExample() {
    static const std::vector<Step> steps = {{0, 100, 25}, {1, 100, 40}, {2, 90, 50}, {1, 10, 50}, {2, 0, 40},
                                            {1, 0, 10},   {2, 10, 0},   {1, 90, 0},  {2, 100, 10}, {1, 100, 25}};
    return steps;
}

// Checks the geometry of the list against the example and that the output
// records follow it: the attribute record (Kind 10) and, last, the closing
// record (Kind 13) of kind 6.
inline void ExpectRectangleExample(const TTempElement* head) {
    auto list = ListOf(head);
    const auto& steps = RectangleExample();
    ASSERT_GE(list.size(), steps.size() + 2);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("element " + std::to_string(i));
        EXPECT_EQ(list[i]->Kind & 15, steps[i].code);
        EXPECT_NEAR(list[i]->X.ToDouble(), steps[i].x, 1e-6);
        EXPECT_NEAR(list[i]->Y.ToDouble(), steps[i].y, 1e-6);
    }
    bool attribute = false;
    for (std::size_t i = steps.size(); i < list.size(); ++i) attribute = attribute || list[i]->Kind == 10;
    EXPECT_TRUE(attribute);
    EXPECT_EQ(list.back()->Kind, 13);
    EXPECT_EQ(list.back()->Param, 6);
}

}  // namespace kvd::test
