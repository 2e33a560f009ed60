#pragma once

#include "ActivityRecord.h"
#include "LocalDateTime.h"

#include <filesystem>

namespace orv::capture::test {

// The writer's rules done the plain way, to hold the indexed writer against: for every record
// the day's whole file is read again, from the first line, for the record's first line.
class ReferenceLogWriter {
public:
    explicit ReferenceLogWriter(std::filesystem::path logsFolder) : logsFolder_(std::move(logsFolder)) {}

    void write(const ActivityRecord& record, const LocalDateTime& now);

private:
    std::filesystem::path logsFolder_;
};

}  // namespace orv::capture::test
