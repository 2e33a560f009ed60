#pragma once

#include <QDate>

namespace orv::viewing {

// The rules of the history range: whole calendar days from `from` to `to`, both included, that
// end before today.
struct HistoryRange {
    enum class Verdict {
        EndNotBeforeToday,  // the end date becomes yesterday; nothing is loaded
        StartAfterEnd,      // the start date becomes the end date; nothing is loaded
        Load,
    };

    QDate from;
    QDate to;

    Verdict judge(QDate today) const;
};

}  // namespace orv::viewing
