// Automation: a script of actions that drives the forms and answers the
// dialogs, so that tests and batch runs use the real dialogs without a
// person. KVD_UI_SCRIPT names a script file; SetScript installs one from
// code. The script's position is shared by every library of the process.
// The format is described in docs/automation.md.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace kvd::ui {

class Form;

// Installs a script (one action per line); `name` appears in error messages.
// Clears an earlier failure.
void SetScript(const std::vector<std::string>& lines, const std::string& name = "script");
void SetScriptText(const std::string& text, const std::string& name = "script");
// Loads a script file (throws kvd::Error when it cannot be read).
void LoadScriptFile(const std::string& path);
// Drops the script and any failure.
void ClearScript();
// Lines not yet played (comments and blank lines included).
int ScriptLinesLeft();
bool ScriptFailed();
// The error that stopped the script ("<name> line <n>: ..."), empty when none.
std::string ScriptError();

namespace automation {

// Plays actions on a modal form until its modal result is set, the script
// ends or fails. True when at least one action ran.
bool PlayModal(Form& form);

// Consumes the next line when it answers a message dialog ("answer ...");
// `buttons` are the dialog's answers in lower case ("ok", "yes", ...). The
// chosen answer, or nothing when the next line is no answer. An answer that
// the dialog does not offer stops the script.
std::optional<std::string> TakeMessageAnswer(const std::vector<std::string>& buttons, const std::string& text);

struct FileAnswer {
    bool cancel = false;
    std::string path;
};
// Consumes the next line when it answers a file chooser ("file ...").
std::optional<FileAnswer> TakeFileAnswer(bool save);

// Stops the script with an error naming `lineNumber` (1-based; 0: no line).
void Fail(int lineNumber, const std::string& message);

}  // namespace automation
}  // namespace kvd::ui
