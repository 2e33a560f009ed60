#include "LogLine.h"

namespace orv::capture {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendDigits(std::string& out, int value, int width)
{
    char digits[4];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

// The number written with `width` decimal digits at `text`, or -1.
int readDigits(std::string_view text, std::size_t at, int width)
{
    int value = 0;
    for (int i = 0; i < width; ++i) {
        const char c = text[at + static_cast<std::size_t>(i)];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

std::string_view withoutLineEnd(std::string_view line)
{
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

}  // namespace

std::string LogLine::format(const LogEntry& entry)
{
    std::string line;
    line.reserve(64);
    line = formatTime(entry.time);
    for (const auto field : entry.record.fields()) {
        line += '\t';
        appendEscaped(line, field);
    }
    line += "\r\n";
    return line;
}

std::optional<LogEntry> LogLine::parse(std::string_view line)
{
    line = withoutLineEnd(line);
    auto tab = line.find('\t');
    LogEntry entry;
    const auto time = parseTime(line.substr(0, tab));
    if (!time) return std::nullopt;
    entry.time = *time;

    std::string* fields[] = {&entry.record.object, &entry.record.action, &entry.record.path,
                             &entry.record.originalName, &entry.record.newName};
    for (std::size_t i = 0; i < 5 && tab != std::string_view::npos; ++i) {
        const auto begin = tab + 1;
        tab = i == 4 ? std::string_view::npos : line.find('\t', begin);
        *fields[i] = unescape(line.substr(begin, tab == std::string_view::npos ? tab : tab - begin));
    }
    return entry;
}

std::string LogLine::formatTime(const LocalDateTime& time)
{
    std::string text;
    text.reserve(19);
    appendDigits(text, time.date.year, 4);
    text += '-';
    appendDigits(text, time.date.month, 2);
    text += '-';
    appendDigits(text, time.date.day, 2);
    text += ' ';
    appendDigits(text, time.hour, 2);
    text += ':';
    appendDigits(text, time.minute, 2);
    text += ':';
    appendDigits(text, time.second, 2);
    return text;
}

std::optional<LocalDateTime> LogLine::parseTime(std::string_view text)
{
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':')
        return std::nullopt;
    LocalDateTime time;
    time.date.year = readDigits(text, 0, 4);
    time.date.month = readDigits(text, 5, 2);
    time.date.day = readDigits(text, 8, 2);
    time.hour = readDigits(text, 11, 2);
    time.minute = readDigits(text, 14, 2);
    time.second = readDigits(text, 17, 2);
    if (time.date.year < 0 || time.date.month < 1 || time.date.month > 12 || time.date.day < 1 ||
        time.date.day > daysInMonth(time.date.year, time.date.month) || time.hour < 0 || time.hour > 23 ||
        time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 60)
        return std::nullopt;
    return time;
}

void LogLine::appendEscaped(std::string& out, std::string_view field)
{
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\x";
                out += kHexDigits[byte >> 4];
                out += kHexDigits[byte & 0xF];
            } else {
                out += c;
            }
        }
    }
}

std::string LogLine::unescape(std::string_view field)
{
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\' || i + 1 == field.size()) {
            out += c;
            continue;
        }
        switch (field[i + 1]) {
        case '\\': out += '\\'; ++i; continue;
        case 't': out += '\t'; ++i; continue;
        case 'r': out += '\r'; ++i; continue;
        case 'n': out += '\n'; ++i; continue;
        case 'x':
            if (i + 3 < field.size() && hexValue(field[i + 2]) >= 0 && hexValue(field[i + 3]) >= 0) {
                out += static_cast<char>(hexValue(field[i + 2]) * 16 + hexValue(field[i + 3]));
                i += 3;
                continue;
            }
            break;
        default: break;
        }
        out += c;
    }
    return out;
}

}  // namespace orv::capture
