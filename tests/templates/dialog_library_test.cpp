// libKvdTemplates.so as the host loads it: dlopen from KVD_BIN_DIR, the
// exports by name, a settings stream and "KvdTemplates.DEF" in the host
// folder, the dialog confirmed through the automation script.
#include <dlfcn.h>

#include "kvd/kvdtemplates.h"
#include "templates/dialog_fixture.h"

namespace kvd::test {
namespace {

using Template7Fn = void (*)(TTempElement**, KvdStream**, std::uint32_t, std::uint32_t);
using DisposeFn = void (*)();

class LibraryTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        Load();
    }
    void Load() {
        const char* bin = std::getenv("KVD_BIN_DIR");
        ASSERT_NE(bin, nullptr) << "KVD_BIN_DIR names the folder of libKvdTemplates.so";
        lib_ = ::dlopen((std::string(bin) + "/libKvdTemplates.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(lib_, nullptr) << ::dlerror();
        template7_ = reinterpret_cast<Template7Fn>(::dlsym(lib_, "Template7"));
        dispose_ = reinterpret_cast<DisposeFn>(::dlsym(lib_, "DisposeTemplate"));
        ASSERT_NE(template7_, nullptr);
        ASSERT_NE(dispose_, nullptr);
        ASSERT_NE(::dlsym(lib_, "Template"), nullptr);
    }
    // One confirmed run with the rectangle of the settings file.
    void RunRectangle() {
        StreamPtr stream = SettingsStream();
        KvdStream* var = stream.get();
        ui::SetScript({"advance 600", "click BitBtn8"}, "library");
        TTempElement* result = nullptr;
        template7_(&result, &var, 0, 0);
        EXPECT_FALSE(ui::ScriptFailed()) << ui::ScriptError();
        ASSERT_NE(result, nullptr);
        ExpectRectangleExample(result);
        EXPECT_EQ(var, stream.get()) << "the host's stream variable is left as it was";
    }
    // The library stays loaded unless a test unloads it: its forms live on
    // the process's Qt application.
    void* lib_ = nullptr;
    Template7Fn template7_ = nullptr;
    DisposeFn dispose_ = nullptr;
};

TEST_F(LibraryTest, OkReturnsTheRectangleOfTheSettingsFile) {
    WriteRectangleSettings();
    RunRectangle();
    dispose_();
    dispose_();  // a second call finds nothing to free
}

TEST_F(LibraryTest, ChiudiLeavesTheResultVariableUntouched) {
    WriteRectangleSettings();
    StreamPtr stream = SettingsStream();
    KvdStream* var = stream.get();
    ui::SetScript({"advance 600", "click BitBtn7"}, "library");
    auto* sentinel = reinterpret_cast<TTempElement*>(0x1234);
    TTempElement* result = sentinel;
    template7_(&result, &var, 0, 0);
    EXPECT_EQ(result, sentinel);
    dispose_();  // the preview's chain is released
}

// A host may unload the library between two runs and load it again: the
// second run works as the first and nothing of the first is left running.
TEST_F(LibraryTest, UnloadedAndLoadedAgainBetweenRuns) {
    WriteRectangleSettings();
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        RunRectangle();
        dispose_();
        ASSERT_EQ(::dlclose(lib_), 0) << ::dlerror();
        ui::App().ProcessMessages();  // whatever the library left queued must not call into it
        Load();
        ASSERT_FALSE(HasFatalFailure());
    }
}

}  // namespace
}  // namespace kvd::test
