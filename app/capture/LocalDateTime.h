#pragma once

namespace orv::capture {

// A calendar day of the local clock.
struct LocalDate {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31

    friend bool operator==(const LocalDate&, const LocalDate&) = default;
};

// A moment of the local clock to the second, as the log stores it.
struct LocalDateTime {
    LocalDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;  // 60 only in a leap second

    int secondsOfDay() const { return hour * 3600 + minute * 60 + second; }

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

}  // namespace orv::capture
