#include "base/contour_navigation.h"

namespace kvd {

TTempElement* LastContourEnd = nullptr;

TTempElement* FindContourEnd(TTempElement* e) {
    while (e && e->Next && KindCode(e->Next->Kind) != ecStart) e = e->Next;
    LastContourEnd = e;
    return e;
}

TTempElement* NextContour(TTempElement* e) {
    e = FindContourEnd(e);
    return e ? static_cast<TTempElement*>(e->Next) : nullptr;
}

}  // namespace kvd
