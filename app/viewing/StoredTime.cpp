#include "StoredTime.h"

#include <QDate>
#include <QTime>

#include <iterator>

namespace orv::viewing {

std::optional<StoredTime> StoredTime::parse(QStringView text)
{
    static constexpr char16_t kShape[] = u"0000-00-00 00:00:00";
    constexpr qsizetype kLength = std::size(kShape) - 1;
    if (text.size() != kLength) return std::nullopt;
    for (qsizetype i = 0; i < kLength; ++i) {
        const bool digitWanted = kShape[i] == u'0';
        if (digitWanted ? !(text[i] >= u'0' && text[i] <= u'9') : text[i] != QChar(kShape[i])) return std::nullopt;
    }
    const auto number = [&](qsizetype from, qsizetype length) { return text.mid(from, length).toInt(); };
    const StoredTime time{number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2)};
    if (!QDate::isValid(time.year, time.month, time.day) || !QTime::isValid(time.hour, time.minute, time.second))
        return std::nullopt;
    return time;
}

}  // namespace orv::viewing
