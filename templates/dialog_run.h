// The dialog run behind the Template and Template7 exports, and the library
// state it sets up.
#pragma once
#include <cstdint>

#include "kvd/element.h"

namespace kvd {

class TPoligono;

// Set only by the OK button of the templates form (BitBtn8); cleared when
// the form is shown.
extern std::uint8_t ConfirmFlag;
// The tool diameter of the step's inner machining ("Lavorazione interna"),
// loaded from its machining file when the form is shown.
// The templates form while a dialog run has it, else nullptr.
extern TPoligono* Poligono;

// Creates the templates form, forgets the container chain of an earlier run
// (FirstContainer := nil; the host must have given it back with
// DisposeTemplate), runs the form modally and destroys it. When it was
// closed with OK, appends the attribute and closing records (StringheToTemp
// in list mode) and writes the head of the first container's element list
// into *result; otherwise *result is left as it was.
void RunTemplateDialog(TTempElement** result);

}  // namespace kvd
