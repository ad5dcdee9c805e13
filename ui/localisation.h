// Form localisation: a form replaces its caption and the captions, hints and
// item lists of its controls with the texts of its section in the language
// file, every time it is shown.
//
// Section layout: a line equal to the section name opens it, the next line
// is the form's caption, "[Name]text" sets a control's text (the text starts
// right after "]"), "[NameHINT]text" its hint, lines without "[" after a list
// control's line replace its items one by one ("." ends the list), and an
// empty line (or the end of the file) ends the section.
#pragma once
#include <string>
#include <vector>

#include "ui/language_file.h"

namespace kvd::ui {

class Form;

// The section of a form: its name in upper case, or the section the host's
// language files use for it (SubParametri -> SUBPAR, ...).
std::string SectionName(const std::string& formName);

// Loads the language file (LoadLanguageFile) and applies the form's section.
// Nothing changes when the file is missing, is Italian, lacks the section, or
// names controls the form does not have.
void LocaliseForm(Form& form, const std::string& formName, const std::string& languagePath,
                  const LanguageSettings& settings = {});

// A run-time message in the language: messages are looked up in a list of
// translated lines, which this system never loads, so the built-in text is
// returned unchanged.
std::string TranslateMessageText(int number, const std::string& builtIn);
// The lookup itself: the first line of `list` is message 2; a missing number
// or a line containing "NOT REFERENCED" gives the built-in text followed by
// " [dzn TO UPDATE]".
std::string TranslateMessageTextFrom(const std::vector<std::string>& list, int number, const std::string& builtIn);

}  // namespace kvd::ui
