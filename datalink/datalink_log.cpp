#include "datalink/datalink_log.h"

#include "base/log.h"

namespace kvd::datalink {

void EnsureLog() {
    static bool opened = false;
    if (opened) return;
    opened = true;
    InitLog(kModuleDatalink);
}

}  // namespace kvd::datalink
