#include "templates/host_language.h"

#include "base/host_settings.h"
#include "platform/host_folder.h"
#include "ui/language_file.h"
#include "ui/localisation.h"

namespace kvd {

void LocaliseFromHost(ui::Form& form, const std::string& formName) {
    ui::LanguageSettings lang;
    lang.useLanguageFont = Host.LanguageFontSwitchedOn() && !Host.LanguageFontName().empty();
    lang.fontName = std::string(Host.LanguageFontName());
    lang.fontCharset = Host.LanguageFontCharset();
    ui::LocaliseForm(form, formName,
                     ui::LanguageFilePath(platform::HostFolder(), std::string(Host.LanguageName())), lang);
}

}  // namespace kvd
