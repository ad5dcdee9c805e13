// Tagged machining records (LoadWorkByVar), written out again after reading.
#include <cstddef>
#include <cstdint>

#include "base/log.h"
#include "base/streams.h"
#include "base/work_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool once = [] {
        kvd::Log().enabled = false;
        return true;
    }();
    (void)once;
    kvd::StreamPtr s(kvd::NewMemoryStream(data, size));
    kvd::WorkRecord work;
    work.Clear();
    kvd::LoadWorkByVar(s.get(), work, false);
    kvd::StreamPtr out(kvd::NewMemoryStream());
    kvd::SaveWorkByVar(out.get(), work, false);
    kvd::WorkRecord6 w6;
    kvd::WorkToWork6(work, w6);
    kvd::WorkRecord5 w5;
    kvd::Work6ToWork5(w6, w5);
    kvd::Work5ToWork(w5, work);
    return 0;
}
