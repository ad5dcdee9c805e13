// The three exports of libKvdTemplates.so.
#include <exception>
#include <new>
#include <string>

#include "base/containers.h"
#include "base/host_settings.h"
#include "base/log.h"
#include "kvd/error.h"
#include "kvd/kvdtemplates.h"
#include "templates/app_link.h"
#include "templates/dialog_run.h"

namespace {

// Runs the body of an export: whatever escapes it is logged and leaves the
// export as a kvd::Error.
template <typename F>
void Guarded(const char* exportName, F&& body) {
    std::string message;
    try {
        body();
        return;
    } catch (const kvd::Error& e) {
        message = std::string(exportName) + ": " + e.what();
    } catch (const std::bad_alloc&) {
        message = std::string(exportName) + ": out of memory";
    } catch (const std::exception& e) {
        message = std::string(exportName) + ": " + e.what();
    } catch (...) {
        message = std::string(exportName) + ": unknown exception";
    }
    try {
        kvd::WriteLog(message);
    } catch (...) {
    }
    throw kvd::Error(message);
}

}  // namespace

KVD_EXPORT void Template(kvd::TTempElement** result, const std::uint8_t* block10834) {
    Guarded("Template", [&] {
        if (!result || !block10834) throw kvd::Error("no result variable or no settings block");
        std::copy(block10834, block10834 + kvd::kHostBlockSize, kvd::HostBlockCopy.begin());
        kvd::LoadHostBlock();
        kvd::RunTemplateDialog(result);
    });
}

KVD_EXPORT void Template7(kvd::TTempElement** result, KvdStream** settingsStream, std::uint32_t windowHandle,
                          std::uint32_t messageNumber) {
    Guarded("Template7", [&] {
        if (!result || !settingsStream) throw kvd::Error("no result variable or no settings stream variable");
        kvd::AppLink().endpoint = {windowHandle, messageNumber};
        KvdStream* stream = *settingsStream;  // the host's; never closed here
        kvd::LoadDfltByVar(stream);
        kvd::RunTemplateDialog(result);
    });
}

KVD_EXPORT void DisposeTemplate() {
    Guarded("DisposeTemplate", [] { kvd::DisposeAllContainers(); });
}
