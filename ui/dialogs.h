// Message dialogs and the file chooser. Interactive they are Qt dialogs;
// headless (or when the automation script answers them) nothing is shown:
// every message is logged and answered by the script or by its default.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvd::ui {

// Bit 28 of the message option word: show no message at all (AskUser logs
// the text and answers false).
inline constexpr std::uint32_t kSilentMessagesBit = 1u << 28;

struct MessageSettings {
    std::uint32_t messageOptions = 0;  // set by the host settings
    int messageLogMode = 0;            // 1: every message is logged
    bool logNextMessage = false;       // log the next message only
    int lastDialogResult = -1;         // modal result of the last dialog's button, -1 none
    bool dialogOpen = false;
};
MessageSettings& Messages();

// Shows a message dialog of `kind` and tells whether the positive answer was
// given. Kinds (buttons; true for):
//    0 information  OK, Cancel                  OK
//    1 confirmation Yes, No, Cancel             Yes
//    2 plain        OK                          never
//    4 error        OK                          never
//    6 warning      Cancel                      never
//    7 warning      OK, Cancel                  OK
//    8 confirmation Yes, Cancel                 Yes
//    9 warning in window colours, Cancel        never
//   10 confirmation OK                          never
//   11 confirmation Yes, No, Cancel, No to all, Yes to all   never (see lastDialogResult)
//   12 information  OK                          never
//   other: confirmation Yes, No                 Yes
// The pressed button becomes lastDialogResult, except for kinds 2 and 9.
// Without a person the default answer is OK when offered, else Yes, else the
// only button.
bool AskUser(int kind, const std::string& text);

// A plain message with OK (AskUser kind 2).
void ShowMessage(const std::string& text);

// The dialog buttons of a kind, as the script names them ("ok", "yes", ...).
std::vector<std::string> AskUserButtons(int kind);
std::string AskUserDefaultAnswer(int kind);

// Picks a file to open or save. Execute gives true with the chosen path in
// fileName; false when cancelled (fileName is left as it was).
class FileChooser {
public:
    std::string folder;       // start folder
    std::string defaultName;  // a file name, or a mask such as "*.ZCS"
    std::string extensions;   // ".JPG;.BMP", ".JPG.BMP" or ".ZCS"
    std::string caption;
    bool save = false;
    std::string fileName;  // the result

    bool Execute();
};

// ".JPG;.BMP" and ".JPG.BMP" both give {".JPG", ".BMP"}; "*.DXF;*.ZW7" gives {".DXF", ".ZW7"}.
std::vector<std::string> ParseExtensionList(std::string_view list);

}  // namespace kvd::ui
