#pragma once

// How failing expectations show records and entries.
#include "LogEntry.h"
#include "LogLine.h"

#include <ostream>

namespace orv::capture {

inline void PrintTo(const ActivityRecord& record, std::ostream* out)
{
    std::string shown;
    for (const auto field : record.fields()) {
        shown += shown.empty() ? "{" : "|";
        LogLine::appendEscaped(shown, field);
    }
    *out << shown << '}';
}

inline void PrintTo(const LogEntry& entry, std::ostream* out)
{
    *out << LogLine::formatTime(entry.time) << ' ';
    PrintTo(entry.record, out);
}

}  // namespace orv::capture
