// The geometry engine's contour selection: the contours a service such as
// the contact distance works on, each named by its start element.
#pragma once
#include <unordered_set>
#include <vector>

#include "kvd/element.h"

namespace kvd {

class ContourSelection {
public:
    void Clear() {
        starts_.clear();
        selected_.clear();
    }
    // Selects the contour that starts at `start` (an ecStart element; any
    // other element or nil is ignored). A contour is selected once.
    void Select(TTempElement* start);
    // Selects every contour of the list: each ecStart element starts one.
    void SelectAll(TTempElement* head);
    bool Empty() const { return starts_.empty(); }
    const std::vector<TTempElement*>& Starts() const { return starts_; }

private:
    std::vector<TTempElement*> starts_;  // in the order they were selected
    std::unordered_set<const TTempElement*> selected_;
};

// The one selection of the engine, shared by its services.
ContourSelection& EngineSelection();

}  // namespace kvd
