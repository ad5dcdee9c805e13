// The log of Ardatalink: opened once per library load, on the first export call.
#pragma once

namespace kvd::datalink {

// Ardatalink has no two-letter module code of its own; a module number past
// the table of codes names the log file "LOG.TXT" in the host's folder.
inline constexpr int kModuleDatalink = 14;

// Opens the log the first time it is called.
void EnsureLog();

}  // namespace kvd::datalink
