#include "templates/dialog_run.h"

#include "base/containers.h"
#include "base/log.h"
#include "templates/form_poligono.h"
#include "templates/template_output.h"
#include "ui/application.h"

namespace kvd {

std::uint8_t ConfirmFlag = 0;
TPoligono* Poligono = nullptr;

void RunTemplateDialog(TTempElement** result) {
    InitLog(kModuleTemplates);
    // Auxiliary forms (keypad, file chooser, matrix, ...) are made by the
    // parts that use them; the templates form is the only one a run needs.
    auto& form = ui::App().CreateForm<TPoligono>();
    Poligono = &form;
    if (FirstContainer)
        WriteLog("RunTemplateDialog: the drawing of an earlier run was not given back with DisposeTemplate");
    // A new chain starts with the first element appended; the old one stays
    // with the host, which may still be reading it.
    FirstContainer = nullptr;
    CurrentContainer = nullptr;
    try {
        form.ShowModal();
    } catch (...) {
        Poligono = nullptr;
        form.Free();
        throw;
    }
    // Destroying the form saves "KvdTemplates.DEF" and releases the overlays.
    Poligono = nullptr;
    form.Free();
    if (ConfirmFlag) {
        StringheToTemp(false);
        *result = FirstContainerElements();
    }
}

}  // namespace kvd
