// The undo journal: a doubly linked list of 220-byte entries with a current
// entry; recording after undo steps drops the entries that were undone.
#pragma once
#include <cstddef>
#include <cstdint>

#include "kvd/element.h"

namespace kvd {

#pragma pack(push, 1)
struct TUndoEntry {
    Ptr32<std::uint8_t> Object;
    std::int32_t Action;
    Ptr32<TUndoEntry> Next;
    Ptr32<TUndoEntry> Prev;
    std::int32_t DataKind;
    std::uint8_t Data[200];
};
#pragma pack(pop)
static_assert(sizeof(TUndoEntry) == 220);
static_assert(offsetof(TUndoEntry, Action) == 4);
static_assert(offsetof(TUndoEntry, Next) == 8);
static_assert(offsetof(TUndoEntry, Prev) == 12);
static_assert(offsetof(TUndoEntry, DataKind) == 16);
static_assert(offsetof(TUndoEntry, Data) == 20);

struct UndoJournal {
    bool recording = false;
    TUndoEntry* first = nullptr;
    TUndoEntry* current = nullptr;
    std::uint32_t changeCounter = 0;
    std::uint32_t pendingSelection = 0;
    std::uint32_t viewSettings[3] = {0, 0, 0};  // copied by data kind 2
};
extern UndoJournal Undo;

inline constexpr std::int32_t kUndoAppendElement = 34;

// Records an entry after the current one. Object must come from the low heap
// (it is kept as a 32-bit link); `element` (may be nil) is copied to Data.
void RecordUndo(void* object, const TTempElement* element, std::int32_t action, std::int32_t dataKind);
// One undo step: the current entry becomes its predecessor (nil before the first).
void UndoStepBack();
// Frees every entry.
void ClearUndo();
std::size_t UndoEntryCount();

}  // namespace kvd
