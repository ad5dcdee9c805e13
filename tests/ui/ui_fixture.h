// Common ground of the toolkit-layer tests: a clean automation and message
// state, the layer's log lines captured, and a scratch folder.
#pragma once
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/automation.h"
#include "ui/dialogs.h"
#include "ui/input_state.h"
#include "ui/language_file.h"
#include "ui/ui_log.h"

namespace kvd::ui::test {

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application::Instance();
        ClearScript();
        UnloadLanguage();
        Messages() = MessageSettings{};
        SetShiftOverride(std::nullopt);
        ClearRightButtonPress();
        SetLogSink([this](const std::string& line) { log_.push_back(line); });
        dir_ = std::filesystem::temp_directory_path() /
               ("kvd_ui_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        SetLogSink({});
        ClearScript();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    bool Logged(const std::string& part) const {
        for (const auto& l : log_)
            if (l.find(part) != std::string::npos) return true;
        return false;
    }
    std::string LogText() const {
        std::string s;
        for (const auto& l : log_) s += l + "\n";
        return s;
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    std::vector<std::string> log_;
    std::filesystem::path dir_;
};

}  // namespace kvd::ui::test
