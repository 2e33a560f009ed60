#pragma once

#include "Clock.h"

namespace orv::capture {

// The system's clock in the local time zone.
class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
};

}  // namespace orv::capture
