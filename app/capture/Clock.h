#pragma once

#include "LocalDateTime.h"

namespace orv::capture {

// The local wall clock that stamps records; tests set their own.
class Clock {
public:
    virtual ~Clock() = default;
    // Throws std::system_error when the time cannot be read.
    virtual LocalDateTime now() const = 0;
};

}  // namespace orv::capture
