#include "base/undo_journal.h"

#include <cstring>

#include "base/element_list.h"
#include "base/low_heap.h"

namespace kvd {

UndoJournal Undo;

namespace {
void FreeFrom(TUndoEntry* e) {
    while (e) {
        TUndoEntry* next = e->Next;
        lowheap::Free(e);
        e = next;
    }
}
}  // namespace

void ClearUndo() {
    FreeFrom(Undo.first);
    Undo.first = Undo.current = nullptr;
}

void RecordUndo(void* object, const TTempElement* element, std::int32_t action, std::int32_t dataKind) {
    if (!Undo.recording) return;
    if (Undo.current) {
        FreeFrom(Undo.current->Next);  // the redo part
        Undo.current->Next = nullptr;
    } else {
        ClearUndo();
    }
    auto* u = lowheap::New<TUndoEntry>();
    if (Undo.current) {
        Undo.current->Next = u;
        u->Prev = Undo.current;
    } else {
        Undo.first = u;
    }
    u->Object = static_cast<std::uint8_t*>(object);
    u->Action = action;
    u->DataKind = dataKind;
    if (element) std::memcpy(u->Data, element, sizeof *element);
    auto* obj = static_cast<const std::uint8_t*>(object);
    switch (dataKind) {
    case 1:
        if (obj) std::memcpy(u->Data, obj, 200);
        break;
    case 2:
        std::memcpy(u->Data + 4, Undo.viewSettings, 12);
        break;
    case 4:
        if (obj) {
            double d[2];
            std::memcpy(d, obj, sizeof d);
            float f[2] = {static_cast<float>(d[0]), static_cast<float>(d[1])};
            std::memcpy(u->Data + 4, f, sizeof f);
            std::memcpy(u->Data + 12, obj + 146, 4);
        }
        break;
    default:
        break;
    }
    ++Undo.changeCounter;
    DrawingModified = true;
    Undo.pendingSelection = 0;
    Undo.current = u;
}

void UndoStepBack() {
    if (Undo.current) Undo.current = Undo.current->Prev;
}

std::size_t UndoEntryCount() {
    std::size_t n = 0;
    for (TUndoEntry* e = Undo.first; e; e = e->Next) ++n;
    return n;
}

void JournalAppendedElement(TTempElement* e) { RecordUndo(e, nullptr, kUndoAppendElement, 0); }

}  // namespace kvd
