// Common ground of the engine tests: every library global back to its
// defaults (parameters, host settings, precision, chain, boxes, app link, log).
#pragma once
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/containers.h"
#include "base/host_settings.h"
#include "base/log.h"
#include "base/number_format.h"
#include "base/precision.h"
#include "templates/app_link.h"
#include "templates/dimension_marks.h"
#include "templates/duplication_matrix.h"
#include "templates/shape_output.h"
#include "templates/template_parameters.h"
#include "ui/application.h"

namespace kvd::test {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Application::Instance();
        NumberFormat = TNumberFormat{};
        SetPrecisionFactors();
        SetHostDefaults();
        SetTemplateDefaults();
        DisposeAllContainers();
        DisposeDimensionBoxes();
        MarkingIndex = -1;
        MatrixApplied = false;
        ClearCurrentElement();
        AppLink() = AppLinkState{};
        ResetLogForTesting();
        dir_ = std::filesystem::temp_directory_path() /
               ("kvd_engine_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        DisposeAllContainers();
        DisposeDimensionBoxes();
        AppLink() = AppLinkState{};
        ResetLogForTesting();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

public:
    static std::vector<const TTempElement*> Elements() {
        std::vector<const TTempElement*> v;
        for (const TTempElement* e = FirstContainerElements(); e; e = e->Next) v.push_back(e);
        return v;
    }
    static bool Logged(const std::string& line) {
        for (const auto& l : PendingLogLines())
            if (l == line) return true;
        return false;
    }
    static std::string LogText() {
        std::string s;
        for (const auto& l : PendingLogLines()) s += l + "\n";
        return s;
    }

protected:
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    std::filesystem::path dir_;
};

}  // namespace kvd::test
