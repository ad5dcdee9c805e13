// The small chained records of the shared base. Each is allocated zero-filled
// from the low heap, linked at the tail through a head/tail pair, and freed
// one by one along Next by the code that allocated it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "kvd/element.h"

namespace kvd {

#pragma pack(push, 1)
struct TPointRecord {
    Real48 X;
    std::uint8_t pad6[2];
    Real48 Y;
    std::uint8_t pad14[22];
    Ptr32<TPointRecord> Next;
};
static_assert(sizeof(TPointRecord) == 40);
static_assert(offsetof(TPointRecord, Y) == 8);
static_assert(offsetof(TPointRecord, Next) == 36);

struct TPcpRecord {
    std::uint32_t Reserved0;
    std::uint32_t Values[3];
    Ptr32<TPcpRecord> Prev;
    Ptr32<TPcpRecord> Next;
};
static_assert(sizeof(TPcpRecord) == 24);
static_assert(offsetof(TPcpRecord, Values) == 4);
static_assert(offsetof(TPcpRecord, Prev) == 16);
static_assert(offsetof(TPcpRecord, Next) == 20);

inline constexpr std::size_t kPctrNameMax = 127;
struct TPctrRecord {
    std::uint8_t Name[1 + kPctrNameMax];  // length byte, then up to 127 characters
    std::uint8_t pad128[4];
    Ptr32<TPctrRecord> Prev;
    Ptr32<TPctrRecord> Next;
};
static_assert(sizeof(TPctrRecord) == 140);
static_assert(offsetof(TPctrRecord, Prev) == 132);
static_assert(offsetof(TPctrRecord, Next) == 136);

struct TContourRef {
    Ptr32<TTempElement> Element;
    Ptr32<TTempElement> ContourStart;
    std::uint32_t Setting8;
    std::uint32_t Setting12;
    std::uint8_t pad16[24];
    Real48 RefX;
    std::uint8_t pad46[2];
    Real48 RefY;
    std::uint8_t pad54[8];
    std::uint8_t FlagByte;  // bit 6: the reference point is set
    std::uint8_t pad63;
    std::uint32_t Value64;
    std::uint32_t Value68;
    Ptr32<TContourRef> Prev;
    Ptr32<TContourRef> Next;
};
static_assert(sizeof(TContourRef) == 80);
static_assert(offsetof(TContourRef, RefX) == 40);
static_assert(offsetof(TContourRef, RefY) == 48);
static_assert(offsetof(TContourRef, FlagByte) == 62);
static_assert(offsetof(TContourRef, Value64) == 64);
static_assert(offsetof(TContourRef, Prev) == 72);
static_assert(offsetof(TContourRef, Next) == 76);

struct TGroupIndex {
    std::uint16_t GroupInList1;
    std::uint16_t GroupInList2;
    Ptr32<TGroupIndex> Next;
};
static_assert(sizeof(TGroupIndex) == 8);

struct TDrawingStateRecord {
    std::uint8_t Data[452];
    Ptr32<TDrawingStateRecord> Next;
};
static_assert(sizeof(TDrawingStateRecord) == 456);
#pragma pack(pop)

// Points.
template <typename T>
struct ChainedList {
    T* head = nullptr;
    T* tail = nullptr;
};
TPointRecord* AppendPoint(ChainedList<TPointRecord>& list, long double x, long double y);
void DisposePoints(ChainedList<TPointRecord>& list);

// The allocation-error word that guards the PCP appends: with bit 1 set,
// guarded appends do nothing until the owner clears the word.
extern std::uint32_t AllocationErrorWord;
inline constexpr std::uint32_t kAllocationFailedBit = 1u << 1;
// Result variables of the filling PCP append, chosen by a running counter.
extern TPcpRecord* PcpResults[3];
extern int PcpResultCounter;

TPcpRecord* AppendPcp(ChainedList<TPcpRecord>& list);
// Copies bytes 1-4, 5-8 and 9-12 of a 13-byte source record into Values and
// stores the record into PcpResults[PcpResultCounter++] (while the counter is below 3).
TPcpRecord* AppendPcpFrom(ChainedList<TPcpRecord>& list, const std::uint8_t (&source)[13]);
void DisposePCP(TPcpRecord*& head);

// Appends a record for `name` (cut to 127 characters, Windows-1252) unless
// one with exactly that name exists. Returns the record added, or nullptr.
TPctrRecord* AddPctrName(ChainedList<TPctrRecord>& list, const std::string& name);
std::string PctrName(const TPctrRecord& r);
void DisposePCTR(TPctrRecord*& head);

// Contour references, one list per list number.
inline constexpr int kContourRefLists = 8;
extern ChainedList<TContourRef> ContourRefs[kContourRefLists];
struct ContourRefSettings {
    std::uint32_t value8 = 0, value12 = 0;
    bool hasReference = false;
    long double refX = 0, refY = 0;
};
extern ContourRefSettings CurrentContourRefSettings;
TContourRef* AppendContourRef(int listNumber, TTempElement* element);
void DisposeContourRefs(int listNumber);

// Group index records and their renumbering.
extern ChainedList<TGroupIndex> GroupIndex;
TGroupIndex* AppendGroupIndex();
// Numbers the records 1, 2, 3 ...: list 1 sets the first number, list 2 the
// second, any other number both. Returns the number of records.
int RenumberGroups(int listNumber);
void DisposeGroupIndex();

// Drawing-state records: copies of a global template with byte 308 cleared.
extern TDrawingStateRecord DrawingStateTemplate;
TDrawingStateRecord* AppendDrawingState(ChainedList<TDrawingStateRecord>& list);
void DisposeDrawingStates(ChainedList<TDrawingStateRecord>& list);

}  // namespace kvd
