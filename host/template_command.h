// kvdhost template: runs the parametric-drawing dialog of KvdTemplates as the
// CAM host does, driven by the toolkit layer's automation script.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "kvd/element.h"

namespace kvdhost {

using Args = std::vector<std::string>;

struct TemplateRequest {
    std::string tab;                   // page caption, e.g. "Rettangolo"
    std::vector<std::string> sets;     // CONTROL=TEXT
    std::string scriptFile;            // more actions, played after the sets
    std::string previewPng;            // screenshot of the preview before OK
    bool confirm = true;               // end with OK unless the script closes the dialog
    bool interactive = false;          // show the dialog to a person
    std::string hostDir;               // empty: $KVD_HOST_DIR or kvdhost's folder
    std::string settingsFile;          // empty: <host dir>/kvdhost.ini when it exists
    std::string language;              // empty: the settings' language
    std::uint32_t window = 0;          // app link: kvdhost's window handle and message number
    std::uint32_t message = 0;
};

struct TemplateResult {
    bool confirmed = false;
    std::vector<kvd::TTempElement> elements;  // copies of the returned list
};

// Calls Template7 with kvdhost's settings stream; throws HostError on a
// missing library or export, a script error, or an error from the export.
TemplateResult RunTemplate(const TemplateRequest& request);

// template [--tab CAPTION] [--set CONTROL=TEXT ...] [--script FILE] [--json OUT] [--svg OUT] [--png OUT]
int CmdTemplate(const Args& args);

// The folder the libraries find their files in for this run.
std::string ResolveHostDir(const std::string& requested);

}  // namespace kvdhost
