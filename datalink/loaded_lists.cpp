#include "datalink/loaded_lists.h"

#include <unordered_set>

#include "base/element_list.h"

namespace kvd::datalink {

namespace {

std::unordered_set<const TTempElement*>& Heads() {
    static std::unordered_set<const TTempElement*> heads;
    return heads;
}

}  // namespace

void AdoptLoadedList(TTempElement* head) {
    if (head) Heads().insert(head);
}

bool ReleaseLoadedList(Ptr32<TTempElement>& slot) {
    TTempElement* head = slot;
    if (!head || Heads().erase(head) == 0) return false;
    DisposeElementList(slot);
    return true;
}

std::size_t LoadedListCount() { return Heads().size(); }

}  // namespace kvd::datalink
