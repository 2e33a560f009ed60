#include "DisplayFormat.h"
#include "DisplayLocale.h"
#include "DisplayPattern.h"
#include "LogLine.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

using orv::settings::DtfSettings;
using orv::settings::DtfSlot;
using orv::viewing::DisplayFormat;
using orv::viewing::DisplayLocale;

DtfSettings settingsOf(const std::array<const char*, 6>& values)
{
    DtfSettings table;
    for (DtfSlot slot : DtfSettings::kSlots) table[slot] = QString::fromUtf8(values[static_cast<std::size_t>(slot)]);
    return table;
}

TEST(DisplayFormat, RendersAStoredTimeWithTheSixSettings)
{
    const DisplayLocale english = DisplayLocale::of(QLocale(QLocale::English, QLocale::UnitedStates));
    const DisplayLocale german = DisplayLocale::of(QLocale(QLocale::German, QLocale::Germany));
    const DisplayLocale finnish = DisplayLocale::of(QLocale(QLocale::Finnish, QLocale::Finland));
    const char* const evening = "2006-02-08 23:34:23";
    struct Row {
        const char* name;
        std::array<const char*, 6> settings;  // Sequence, Separator, Year, Month, Day, Time
        const char* stored;
        const DisplayLocale& locale;
        const char* shown;
    };
    const Row rows[] = {
        {"the defaults", {"Month Day Year", "{Space}", "YYYY", "MMM", "DD", "HH:MM:SS"}, evening, english, "Feb 08 2006 23:34:23"},
        {"year first with dashes", {"Year Month Day", "-", "YYYY", "MM", "DD", "HH:MM:SS"}, evening, english, "2006-02-08 23:34:23"},
        {"short parts with dots", {"Day Month Year", ".", "YY", "M", "D", "H:M:S"}, evening, english, "8.2.06 23:34:23"},
        {"slashes and the 12-hour clock", {"Month Day Year", "/", "YYYY", "MM", "DD", "HH:MM:SS AM/PM"}, evening, english, "02/08/2006 11:34:23 PM"},
        {"slashes stay slashes where dates use dots", {"Month Day Year", "/", "YYYY", "MM", "DD", "HH:MM:SS AM/PM"}, evening, german, "02/08/2006 11:34:23 PM"},
        {"just after midnight", {"Month Day Year", "{Space}", "YYYY", "MMM", "DD", "H:M:S AM/PM"}, "2006-02-08 00:05:09", english, "Feb 08 2006 12:5:9 AM"},
        {"noon sharp", {"Month Day Year", "{Space}", "YYYY", "MMM", "DD", "H:M:S AM/PM"}, "2006-02-08 12:00:00", english, "Feb 08 2006 12:0:0 PM"},
        {"one in the afternoon", {"Month Day Year", "{Space}", "YYYY", "MMM", "DD", "HH:MM AM/PM"}, "2006-02-08 13:07:00", english, "Feb 08 2006 01:07 PM"},
        {"M in the date is the month", {"Year Month Day", "{Space}", "YYYY", "M", "D", "HH:MM:SS"}, evening, english, "2006 2 8 23:34:23"},
        {"Sequence compared exactly", {"month day year", "{Space}", "YYYY", "MMM", "DD", "HH:MM:SS"}, evening, english, "08 Feb 2006 23:34:23"},
        {"all six empty", {"", "", "", "", "", ""}, evening, english, " "},
        {"German month names", {"Month Day Year", "{Space}", "YYYY", "MMM", "DD", "HH:MM:SS"}, "2006-03-08 23:34:23", german, "Mär 08 2006 23:34:23"},
        {"Finnish time separator", {"Day Month Year", ".", "YYYY", "M", "D", "H:M:S"}, evening, finnish, "8.2.2006 23.34.23"},
        // Hand-edited values.
        {"an unescaped slash is the locale's", {"Year Month Day", "", "YYYY/", "MM/", "DD", "HH:MM:SS"}, evening, german, "2006.02.08 23:34:23"},
        {"the same in English", {"Year Month Day", "", "YYYY/", "MM/", "DD", "HH:MM:SS"}, evening, english, "2006/02/08 23:34:23"},
        {"a year followed by a dot", {"Month Day Year", "{Space}", "YYYY.", "MMM", "DD", "HH:MM:SS"}, evening, english, "Feb 08 2006. 23:34:23"},
        {"tokens in lower case", {"Year Month Day", "-", "yyyy", "mm", "dd", "hh:mm:ss am/pm"}, evening, english, "2006-02-08 11:34:23 PM"},
        {"\"{space}\" is taken letter by letter", {"Month Day Year", "{space}", "YYYY", "MMM", "DD", "HH:MM:SS"}, evening, english, "Feb{23pace}08{23pace}2006 23:34:23"},
        {"M without the colon is the month", {"Year Month Day", "-", "YYYY", "MM", "DD", "HH MM"}, evening, english, "2006-02-08 23 02"},
        {"escapes, and M after an escaped hour", {"Year Month Day", "-", "\\Y\\Y", "MM", "DD", "\\H\\H:MM SS\\"}, evening, english, "YY-02-08 HH:02 23\\"},
        {"letters that start no token", {"Day Month Year", "{Space}", "Y", "MMMM", "DD", "HH:MM:SS uhr"}, evening, english, "08 Feb2 Y 23:34:23 u23r"},
        {"a year before 1000", {"Year Month Day", "-", "YYYY", "MM", "DD", "HH:MM:SS"}, "0999-12-31 00:00:00", english, "0999-12-31 00:00:00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto stored = orv::capture::LogLine::parseTime(row.stored);
        ASSERT_TRUE(stored);
        const DisplayFormat format(orv::viewing::composeDisplayPattern(settingsOf(row.settings)), row.locale);
        EXPECT_EQ(format.render(*stored).toStdString(), row.shown);
    }
}

TEST(DisplayFormat, TheDefaultPatternAndTheEscapedSlash)
{
    EXPECT_EQ(orv::viewing::composeDisplayPattern(DtfSettings::defaults()), u"MMM DD YYYY HH:MM:SS"_qs);
    EXPECT_EQ(orv::viewing::composeDisplayPattern(settingsOf({"Year Month Day", "/", "YYYY", "MM", "DD", "H:M:S"})),
              u"YYYY\\/MM\\/DD H:M:S"_qs);
}

TEST(DisplayFormat, TakesMonthNamesAndSeparatorsFromTheLocale)
{
    const DisplayLocale english = DisplayLocale::of(QLocale(QLocale::English, QLocale::UnitedStates));
    QStringList months;
    for (int month = 1; month <= 12; ++month) months << english.monthAbbreviation(month);
    EXPECT_EQ(months.join(u' '), u"Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec"_qs);
    EXPECT_EQ(english.dateSeparator(), u"/"_qs);
    EXPECT_EQ(english.timeSeparator(), u":"_qs);

    const DisplayLocale german = DisplayLocale::of(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.monthAbbreviation(12), u"Dez"_qs);
    EXPECT_EQ(german.dateSeparator(), u"."_qs);
    EXPECT_EQ(german.timeSeparator(), u":"_qs);

    // The C locale writes dates without a separator ("d MMM yyyy"): the English ones stand in.
    const DisplayLocale c = DisplayLocale::of(QLocale::c());
    EXPECT_EQ(c.dateSeparator(), u"/"_qs);
    EXPECT_EQ(c.timeSeparator(), u":"_qs);
}

}  // namespace
