// The failures kvdhost reports: one line on standard error, exit status 2.
#pragma once
#include <stdexcept>

namespace kvdhost {

// Something went wrong while doing what was asked.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command line asked for something kvdhost does not offer.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kvdhost
