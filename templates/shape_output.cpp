#include "templates/shape_output.h"

#include "base/containers.h"
#include "base/geometry.h"
#include "base/precision.h"

namespace kvd {

std::int32_t MarkingIndex = -1;

TTempElement* AddShapeElement() {
    if (FirstContainer && CurrentContainer && CurrentContainer->ElementsTail &&
        KindCode(CurrentElement.Kind) != ecStart) {
        const TTempElement* last = CurrentContainer->ElementsTail;
        const long double d = PointDistance(last->X, last->Y, CurrentElement.X, CurrentElement.Y);
        if (RoundToPrecision(d) <= 0) return nullptr;
    }
    return AppendToCurrentContainer();
}

}  // namespace kvd
