#pragma once

#include "DisplayLocale.h"
#include "LocalDateTime.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace orv::viewing {

// A display pattern read once, then used to render any number of stored times.
//
// The pattern is scanned from the left; letters are matched without regard to case, and a run of
// one letter is taken as the longest token it starts with (MMM is one token, MMMM is MMM and M):
//   YYYY year   YY its last two digits   MMM month name   MM, M month 01-12, 1-12
//   DD, D day   HH, H hour   SS, S second   AM/PM "AM" or "PM"   ":" time separator
//   "/" date separator   backslash: the next character itself
// MM and M are the minute (00-59, 0-59) right after an hour token and a ":". With AM/PM in the
// pattern the hours follow the 12-hour clock (0 is 12, 13 to 23 are 1 to 11). Every other
// character, a letter that starts no token included, stands for itself.
class DisplayFormat {
public:
    DisplayFormat(QStringView pattern, DisplayLocale locale);

    // A stored time (LogLine::parseTime) as the lists show it.
    QString render(const capture::LocalDateTime& time) const;

private:
    enum class Field {
        Text, Year4, Year2, MonthName, Month2, Month1, Day2, Day1, Hour2, Hour1,
        Minute2, Minute1, Second2, Second1, AmPm, TimeSeparator, DateSeparator,
    };
    struct Piece {
        Field field;
        QString text;  // for Field::Text
    };
    void add(Field field, QString text = {});

    std::vector<Piece> pieces_;
    bool twelveHour_ = false;
    DisplayLocale locale_;
};

}  // namespace orv::viewing
