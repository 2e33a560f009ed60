#include "DisplayFormat.h"

#include <utility>

namespace orv::viewing {

namespace {

// How many times `letter` (upper case) repeats at `at`, up to `most`, letter case ignored.
qsizetype runOf(QStringView pattern, qsizetype at, char16_t letter, qsizetype most)
{
    qsizetype length = 0;
    while (length < most && at + length < pattern.size() && pattern[at + length].toUpper() == QChar(letter)) ++length;
    return length;
}

// Appends n (0 to 9999) with at least `digits` digits, leading zeros filling; rendering runs once
// per row shown and per row measured, so it builds no temporary texts.
void appendNumber(QString& out, int n, int digits)
{
    char16_t buffer[4];
    int length = 0;
    do {
        buffer[length++] = static_cast<char16_t>(u'0' + n % 10);
        n /= 10;
    } while (n > 0 && length < 4);
    for (int i = length; i < digits; ++i) out += u'0';
    while (length > 0) out += QChar(buffer[--length]);
}

}  // namespace

DisplayFormat::DisplayFormat(QStringView pattern, DisplayLocale locale) : locale_(std::move(locale))
{
    for (qsizetype at = 0; at < pattern.size();) {
        const QChar c = pattern[at];
        if (c == u'\\') {
            // A backslash at the very end has nothing to escape and stands for itself.
            add(Field::Text, at + 1 < pattern.size() ? QString(pattern[at + 1]) : QString(c));
            at += 2;
            continue;
        }
        if (c == u':' || c == u'/') {
            add(c == u':' ? Field::TimeSeparator : Field::DateSeparator);
            ++at;
            continue;
        }
        qsizetype length = 0;
        switch (c.toUpper().unicode()) {
        case u'Y':
            length = runOf(pattern, at, u'Y', 4);
            if (length == 4) {
                add(Field::Year4);
            } else if (length >= 2) {
                add(Field::Year2);
                length = 2;
            } else {
                length = 0;  // a single Y is no token
            }
            break;
        case u'M': {
            length = runOf(pattern, at, u'M', 3);
            const std::size_t n = pieces_.size();
            const bool afterHour = n >= 2 && pieces_[n - 1].field == Field::TimeSeparator &&
                                   (pieces_[n - 2].field == Field::Hour2 || pieces_[n - 2].field == Field::Hour1);
            if (length == 3) add(Field::MonthName);
            else if (length == 2) add(afterHour ? Field::Minute2 : Field::Month2);
            else add(afterHour ? Field::Minute1 : Field::Month1);
            break;
        }
        case u'D':
            length = runOf(pattern, at, u'D', 2);
            add(length == 2 ? Field::Day2 : Field::Day1);
            break;
        case u'H':
            length = runOf(pattern, at, u'H', 2);
            add(length == 2 ? Field::Hour2 : Field::Hour1);
            break;
        case u'S':
            length = runOf(pattern, at, u'S', 2);
            add(length == 2 ? Field::Second2 : Field::Second1);
            break;
        case u'A':
            if (pattern.mid(at, 5).compare(u"AM/PM", Qt::CaseInsensitive) == 0) {
                add(Field::AmPm);
                twelveHour_ = true;
                length = 5;
            }
            break;
        }
        if (length == 0) {
            add(Field::Text, QString(c));
            length = 1;
        }
        at += length;
    }
}

void DisplayFormat::add(Field field, QString text) { pieces_.push_back({field, std::move(text)}); }

QString DisplayFormat::render(const capture::LocalDateTime& time) const
{
    const int hour = twelveHour_ ? (time.hour % 12 == 0 ? 12 : time.hour % 12) : time.hour;
    QString out;
    out.reserve(32);
    for (const Piece& piece : pieces_) {
        switch (piece.field) {
        case Field::Text: out += piece.text; break;
        case Field::Year4: appendNumber(out, time.date.year, 4); break;
        case Field::Year2: appendNumber(out, time.date.year % 100, 2); break;
        case Field::MonthName: out += locale_.monthAbbreviation(time.date.month); break;
        case Field::Month2: appendNumber(out, time.date.month, 2); break;
        case Field::Month1: appendNumber(out, time.date.month, 1); break;
        case Field::Day2: appendNumber(out, time.date.day, 2); break;
        case Field::Day1: appendNumber(out, time.date.day, 1); break;
        case Field::Hour2: appendNumber(out, hour, 2); break;
        case Field::Hour1: appendNumber(out, hour, 1); break;
        case Field::Minute2: appendNumber(out, time.minute, 2); break;
        case Field::Minute1: appendNumber(out, time.minute, 1); break;
        case Field::Second2: appendNumber(out, time.second, 2); break;
        case Field::Second1: appendNumber(out, time.second, 1); break;
        case Field::AmPm: out += time.hour < 12 ? u"AM" : u"PM"; break;
        case Field::TimeSeparator: out += locale_.timeSeparator(); break;
        case Field::DateSeparator: out += locale_.dateSeparator(); break;
        }
    }
    return out;
}

}  // namespace orv::viewing
