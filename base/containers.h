// The container chain of the library: FirstContainer .. CurrentContainer.
#pragma once
#include "base/element_list.h"
#include "kvd/container.h"

namespace kvd {

extern TDrawingContainer* FirstContainer;
extern TDrawingContainer* CurrentContainer;

// A new zero-filled container linked after `current`; it becomes current.
void AppendContainer(TDrawingContainer*& first, TDrawingContainer*& current);
// A copy of CurrentElement at the tail of the current container's list
// (a first container is made when the chain is empty); Link is cleared.
TTempElement* AppendToCurrentContainer();
// A zero-filled attachment at the tail of the current container's list, or
// nullptr when there is no current container.
TContainerAttachment* AddContainerAttachment();
TTempElement* FirstContainerElements();
// Frees every container with its element and attachment lists.
void DisposeAllContainers();

// Appends a copy of every source element (through CurrentElement).
void CopyElementList(const TTempElement* source, TTempElement*& head, TTempElement*& tail);
// dest := a fresh copy of source. A non-nil dest is logged and dropped, not freed.
void DuplicateElementList(const TTempElement* source, TTempElement*& dest);

}  // namespace kvd
