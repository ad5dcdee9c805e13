#include "base/containers.h"

#include <cstring>

#include "base/log.h"

namespace kvd {

TDrawingContainer* FirstContainer = nullptr;
TDrawingContainer* CurrentContainer = nullptr;

void AppendContainer(TDrawingContainer*& first, TDrawingContainer*& current) {
    auto* c = lowheap::New<TDrawingContainer>();
    if (!first) {
        first = c;
        current = nullptr;
    } else {
        current->NextContainer = c;
    }
    c->PrevContainer = current;
    current = c;
}

TTempElement* AppendToCurrentContainer() {
    if (!FirstContainer) AppendContainer(FirstContainer, CurrentContainer);
    TDrawingContainer* c = CurrentContainer;
    TTempElement* t = c->ElementsTail;
    TTempElement* e = NewElement();
    *e = CurrentElement;
    if (!c->Elements) {
        t = nullptr;
        c->Elements = e;
    } else {
        t->Next = e;
    }
    e->Link = 0;
    e->Next = nullptr;
    e->Prev = t;
    c->ElementsTail = e;
    return e;
}

TContainerAttachment* AddContainerAttachment() {
    TDrawingContainer* c = CurrentContainer;
    if (!c) return nullptr;
    auto* a = lowheap::New<TContainerAttachment>();
    TContainerAttachment* t = c->AttachmentsTail;
    if (!c->Attachments) {
        c->Attachments = a;
        t = nullptr;
    } else {
        t->Next = a;
    }
    a->Prev = t;
    c->AttachmentsTail = a;
    return a;
}

TTempElement* FirstContainerElements() { return FirstContainer ? FirstContainer->Elements.get() : nullptr; }

void DisposeAllContainers() {
    while (FirstContainer) {
        CurrentContainer = FirstContainer->NextContainer;
        DisposeElementList(FirstContainer->Elements);
        FirstContainer->ElementsTail = nullptr;
        TContainerAttachment* a = FirstContainer->Attachments;
        while (a) {
            TContainerAttachment* next = a->Next;
            lowheap::Free(a);
            a = next;
        }
        lowheap::Free(FirstContainer);
        FirstContainer = CurrentContainer;
    }
    CurrentContainer = nullptr;
}

void CopyElementList(const TTempElement* source, TTempElement*& head, TTempElement*& tail) {
    for (const TTempElement* e = source; e; e = e->Next) {
        CurrentElement = *e;
        AppendCurrentElement(head, tail);
    }
}

void DuplicateElementList(const TTempElement* source, TTempElement*& dest) {
    if (dest) WriteLog("ERROR: the duplicating destination path is NOT Nil!");
    dest = nullptr;
    TTempElement* tail = nullptr;
    CopyElementList(source, dest, tail);
}

}  // namespace kvd
