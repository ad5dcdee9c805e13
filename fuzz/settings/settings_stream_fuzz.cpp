// The host's settings stream as Template7 reads it: settings records, then
// the machining record.
#include <cstddef>
#include <cstdint>

#include "base/host_settings.h"
#include "base/log.h"
#include "base/streams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool once = [] {
        kvd::Log().enabled = false;
        return true;
    }();
    (void)once;
    kvd::StreamPtr s(kvd::NewMemoryStream(data, size));
    static kvd::HostSettings settings;
    static kvd::WorkRecord work;
    static std::vector<std::uint8_t> record952;
    kvd::LoadDfltByVar(s.get(), settings, work, record952);
    // The accessors must cope with whatever the stream left in the fields.
    volatile std::size_t n = settings.LanguageName().size() + settings.LanguageFontName().size() +
                             settings.DrawingFolder().size() + settings.NewerGlyphExtension().size();
    (void)n;
    volatile long double t = settings.EllipseTolerance() + settings.ParallelTolerance();
    (void)t;
    // What was read writes out again.
    kvd::StreamPtr out(kvd::NewMemoryStream());
    kvd::SaveDfltByVar(out.get(), settings, work, record952.size() <= 0xFFFF ? record952 : std::vector<std::uint8_t>{});
    return 0;
}
