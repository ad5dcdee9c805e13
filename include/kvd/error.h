// The one exception type that may leave an export of the libraries.
#pragma once
#include <stdexcept>
#include <string>

namespace kvd {

// Visible from every deliverable, so that its type information is one and
// the same on both sides of a library boundary: a caller's catch of
// kvd::Error matches what an export throws.
class __attribute__((visibility("default"))) Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kvd
