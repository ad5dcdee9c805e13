// The element lists this library has put into piece records.
//
// A load hands its lists to the host inside the piece record; the host gives
// them back by loading into the same record again. Only lists recorded here
// are freed then, so a list the host built itself is never freed by us.
#pragma once
#include <cstddef>

#include "kvd/element.h"

namespace kvd::datalink {

// Records a list head that a load put into a piece record.
void AdoptLoadedList(TTempElement* head);

// Frees the list in the slot and sets the slot to nil when this library made
// it; leaves any other list alone. Returns true when it freed the list.
bool ReleaseLoadedList(Ptr32<TTempElement>& slot);

// Lists handed out and not yet given back (leak checks in tests).
std::size_t LoadedListCount();

}  // namespace kvd::datalink
