// "KvdTemplates.DEF" as LoadConfigByVars reads it, written out again after reading.
#include <cstddef>
#include <cstdint>

#include "base/log.h"
#include "base/streams.h"
#include "templates/template_settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool once = [] {
        kvd::Log().enabled = false;
        return true;
    }();
    (void)once;
    kvd::StreamPtr s(kvd::NewMemoryStream(data, size));
    static kvd::TemplateParameters p;
    kvd::LoadConfigByVars(s.get(), p);
    kvd::StreamPtr out(kvd::NewMemoryStream());
    kvd::SaveConfigByVars(out.get(), p);
    return 0;
}
