#pragma once

#include "ActivityRecord.h"
#include "LocalDateTime.h"

namespace orv::capture {

// A stored record: one line of a daily log file.
struct LogEntry {
    LocalDateTime time;
    ActivityRecord record;

    friend bool operator==(const LogEntry&, const LogEntry&) = default;
};

}  // namespace orv::capture
