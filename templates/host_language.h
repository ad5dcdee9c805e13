// Localising a templates form in the host's language, with the host's
// language font when it is switched on.
#pragma once
#include <string>

#include "ui/form.h"

namespace kvd {

void LocaliseFromHost(ui::Form& form, const std::string& formName);

}  // namespace kvd
