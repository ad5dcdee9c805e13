// The one exception type that may leave an export of the libraries.
#pragma once
#include <stdexcept>
#include <string>

namespace kvd {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kvd
