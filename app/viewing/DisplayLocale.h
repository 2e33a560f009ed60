#pragma once

#include <QLocale>
#include <QString>

#include <array>

namespace orv::viewing {

// What rendering takes from the user's locale: the abbreviated month names and the date and time
// separators.
class DisplayLocale {
public:
    // From a locale's time conventions; the program passes QLocale::system(), which follows
    // LC_TIME. A separator the locale's short formats do not show is "/" for dates, ":" for times.
    static DisplayLocale of(const QLocale& locale);

    // Month 1 to 12 (as every stored time has), as "Feb" in English.
    const QString& monthAbbreviation(int month) const { return months_[static_cast<std::size_t>(month - 1)]; }
    const QString& dateSeparator() const { return dateSeparator_; }
    const QString& timeSeparator() const { return timeSeparator_; }

private:
    std::array<QString, 12> months_;
    QString dateSeparator_;
    QString timeSeparator_;
};

}  // namespace orv::viewing
