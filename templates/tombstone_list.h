// The tombstone list that closing a confirmed "Lapide" dialog writes for the host.
//
// Dialog side (FormClose): call TombstoneListOnClose with whether the dialog
// was confirmed, the active tab, and the host's tombstone model file name and
// output folder (plain values of the host's settings).
#pragma once
#include <string>

#include "templates/template_parameters.h"
#include "templates/template_tabs.h"

namespace kvd {

// Writes <outputFolder>/tombstones.txt (in place of an older one): the model
// file name, then one line per bas-relief or engraving item. Returns the
// number of item lines; throws kvd::Error when the file cannot be written.
int WriteTombstoneList(const std::string& modelFile, const std::string& outputFolder, const TemplateParameters& p);

// The whole close step: the list when confirmed on "Lapide" with "Somma
// lavorazioni" and an existing model file; then, with an active app link and
// at least one item line, SendTemplateCommand("T1N5"). A write error is
// logged. Returns the number of item lines written.
int TombstoneListOnClose(bool confirmed, TemplateTab tab, const std::string& modelFile,
                         const std::string& outputFolder);

}  // namespace kvd
