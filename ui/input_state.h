// Key and mouse state read outside of events: whether Shift is held, and
// whether a right-button press is waiting while a long operation runs
// without the event loop.
#pragma once
#include <optional>

namespace kvd::ui {

// The script ("shift on") or a test can hold Shift down for the process;
// otherwise the window system is asked.
bool ShiftDown();
void SetShiftOverride(std::optional<bool> down);

// True when a right-button press arrived since the last ClearRightButtonPress.
// Long operations call this between steps: it lets the window system's input
// in (at most every 50 ms), keeps right presses as pending and drops other
// input; timers and posted messages wait meanwhile, so no handler of a
// dialog runs inside the operation.
bool RightButtonPending();
void ClearRightButtonPress();
// What a person's right press would do (tests, the script's "rightclick").
void SimulateRightButtonPress();

}  // namespace kvd::ui
