// Element lists of any shape (any kind word, coordinates of any size, any
// bulge) through the contact distance in the four directions: it must end,
// stay finite and keep its sign by direction.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/contact_distance.h"
#include "base/element_list.h"

namespace {

// 8 bytes per element: kind (2), x (2), y (2), bulge (1), scale (1).
kvd::TTempElement ElementFrom(const std::uint8_t* b) {
    kvd::TTempElement e{};
    std::uint16_t kind, x, y;
    std::memcpy(&kind, b, 2);
    std::memcpy(&x, b + 2, 2);
    std::memcpy(&y, b + 4, 2);
    const long double scale = std::ldexp(1.0L, (b[7] & 0x3F) - 20);
    e.Kind = kind % 4 == 0 ? static_cast<std::uint16_t>(kind & 0xFFF0) : kind;  // plenty of start elements
    e.X = (static_cast<std::int16_t>(x)) * scale;
    e.Y = (static_cast<std::int16_t>(y)) * scale;
    e.Bulge = (static_cast<std::int8_t>(b[6])) / 16.0L;
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kvd::TTempElement* head = nullptr;
    kvd::TTempElement* tail = nullptr;
    for (std::size_t i = 0; i + 8 <= size && i < 8 * 400; i += 8) kvd::AppendElement(head, tail, ElementFrom(data + i));
    kvd::ContourSelection selection;
    selection.SelectAll(head);
    for (int direction : {0, 90, 180, 270}) {
        const long double d = kvd::ContactDistance(selection, direction);
        if (!std::isfinite(static_cast<double>(d))) std::abort();
        if ((direction >= 180 && d > 0) || (direction < 180 && d < 0)) std::abort();
    }
    kvd::DisposeElementList(head);
    return 0;
}
