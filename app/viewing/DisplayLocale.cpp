#include "DisplayLocale.h"

namespace orv::viewing {

namespace {

// The first character of a date or time format that is neither a field letter, a blank nor quoted
// text: "." in "dd.MM.yy", ":" in "h:mm AP".
QString separatorIn(const QString& format, const QString& fallback)
{
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && !c.isLetter() && !c.isSpace()) return QString(c);
    }
    return fallback;
}

}  // namespace

DisplayLocale DisplayLocale::of(const QLocale& locale)
{
    DisplayLocale made;
    // The stand-alone forms: "Feb" and "Mär" rather than "Feb." and "März", which would run into
    // a "." separator.
    for (int month = 1; month <= 12; ++month)
        made.months_[static_cast<std::size_t>(month - 1)] = locale.standaloneMonthName(month, QLocale::ShortFormat);
    made.dateSeparator_ = separatorIn(locale.dateFormat(QLocale::ShortFormat), u"/"_qs);
    made.timeSeparator_ = separatorIn(locale.timeFormat(QLocale::ShortFormat), u":"_qs);
    return made;
}

}  // namespace orv::viewing
