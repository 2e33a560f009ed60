#pragma once

#include <QStringView>

#include <optional>

namespace orv::viewing {

// The moment of an activity record as its log line stores it: "YYYY-MM-DD HH:MM:SS", local time.
struct StoredTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    // The stored form read strictly: digits where they belong and a date and time that exist.
    static std::optional<StoredTime> parse(QStringView text);
};

}  // namespace orv::viewing
