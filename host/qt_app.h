// The one QApplication of kvdhost, which the libraries' dialogs share.
#pragma once

namespace kvdhost {

// Creates the application on first use. Headless (offscreen, nothing waits
// for a person) unless `interactive` and a display is there.
void EnsureQtApplication(bool interactive);

}  // namespace kvdhost
