#pragma once

#include "Clock.h"

#include <chrono>

namespace orv::capture::test {

// A clock that stands still until a test moves it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(LocalDateTime start) : now_(start) {}

    LocalDateTime now() const override { return now_; }
    void set(LocalDateTime time) { now_ = time; }
    // Moves by whole seconds, across midnight, months and years as the calendar does.
    void advance(std::chrono::seconds by);

private:
    LocalDateTime now_;
};

}  // namespace orv::capture::test
