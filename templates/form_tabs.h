// The declarative tables of the templates form "Forme parametrizzate": the
// frame (tab column, preview, buttons, timers) and one table per tab. The
// form builds the frame first, so every tab table finds its tab sheet.
#pragma once
#include <span>

#include "ui/form.h"

namespace kvd::templates {

// Tab sheets of PageControl1 in the order of kvd::TemplateTab (the page
// index is the stored active-tab index).
inline constexpr const char* kTabSheetNames[] = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4",
                                                 "TabSheet5", "TabSheet6", "TabSheet7", "TabSheet8",
                                                 "TabSheet9", "TabSheet10", "TabSheet11"};

std::span<const ui::ControlSpec> FormFrameTable();
std::span<const ui::ControlSpec> TabRegolareTable();
std::span<const ui::ControlSpec> TabRettangoloTable();
std::span<const ui::ControlSpec> TabIrregolareTable();
std::span<const ui::ControlSpec> TabEllisseTable();
std::span<const ui::ControlSpec> TabTagliTable();
std::span<const ui::ControlSpec> TabCucinaTable();
std::span<const ui::ControlSpec> TabBagnoTable();
std::span<const ui::ControlSpec> TabAngoloTable();
std::span<const ui::ControlSpec> TabLapideTable();
std::span<const ui::ControlSpec> TabScalinoTable();
std::span<const ui::ControlSpec> TabCopertinaTable();

}  // namespace kvd::templates
