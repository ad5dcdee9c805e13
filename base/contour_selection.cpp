#include "base/contour_selection.h"

namespace kvd {

void ContourSelection::Select(TTempElement* start) {
    if (!start || KindCode(start->Kind) != ecStart) return;
    if (selected_.insert(start).second) starts_.push_back(start);
}

void ContourSelection::SelectAll(TTempElement* head) {
    for (TTempElement* e = head; e; e = e->Next)
        if (KindCode(e->Kind) == ecStart) Select(e);
}

ContourSelection& EngineSelection() {
    static ContourSelection selection;
    return selection;
}

}  // namespace kvd
