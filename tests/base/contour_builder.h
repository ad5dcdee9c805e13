// A small owner of an element list for the contour tests.
#pragma once
#include <cstring>
#include <vector>

#include "base/element_list.h"

namespace kvd::test {

inline TTempElement Element(std::uint16_t kind, long double x, long double y, long double bulge = 0,
                            long double z = 0) {
    TTempElement e{};
    e.Kind = kind;
    e.X = x;
    e.Y = y;
    e.Z = z;
    e.Bulge = bulge;
    return e;
}

struct OwnedList {
    TTempElement* head = nullptr;
    TTempElement* tail = nullptr;
    OwnedList() = default;
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;
    ~OwnedList() { DisposeElementList(head); }

    TTempElement* Add(const TTempElement& e) { return AppendElement(head, tail, e); }
    TTempElement* Start(long double x, long double y) { return Add(Element(ecStart, x, y)); }
    TTempElement* Line(long double x, long double y) { return Add(Element(ecLine, x, y)); }
    TTempElement* Arc(unsigned code, long double x, long double y, long double bulge) {
        return Add(Element(static_cast<std::uint16_t>(code), x, y, bulge));
    }
    std::vector<TTempElement*> Elements() const {
        std::vector<TTempElement*> v;
        for (TTempElement* e = head; e; e = e->Next) v.push_back(e);
        return v;
    }
    // Copies of all 64 bytes of every element, in list order.
    std::vector<TTempElement> Snapshot() const {
        std::vector<TTempElement> v;
        for (TTempElement* e = head; e; e = e->Next) v.push_back(*e);
        return v;
    }
};

inline bool SameBytes(const TTempElement& a, const TTempElement& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace kvd::test
