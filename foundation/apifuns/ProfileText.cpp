#include "ProfileText.h"

#include "UnicodeCase.h"
#include "Utf8Codec.h"

#include <vector>

namespace qdk::apifuns {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Names are compared as the characters their bytes stand for, lowered.
std::u16string comparable(std::string_view nameBytes) { return orv::text::toLower(orv::text::decodeBytes(nameBytes)); }

enum class LineKind { Other, Section, Entry };

struct Line {
    std::size_t contentEnd = 0;  // offset of the line break, or of the end of the text
    std::size_t end = 0;         // offset just after the line break
    LineKind kind = LineKind::Other;
    std::string_view name;       // the section name or the key, without blanks
    std::size_t valueBegin = 0;  // the value without blanks, for an entry
    std::size_t valueEnd = 0;
};

Line classified(std::string_view text, std::size_t begin, std::size_t contentEnd, std::size_t end)
{
    Line line;
    line.contentEnd = contentEnd;
    line.end = end;
    const std::string_view content = text.substr(begin, contentEnd - begin);
    const std::size_t first = content.find_first_not_of(" \t");
    if (first == std::string_view::npos || content[first] == ';' || content[first] == '#') return line;
    if (content[first] == '[') {
        const std::size_t close = content.rfind(']');
        if (close != std::string_view::npos && close > first) {
            line.kind = LineKind::Section;
            line.name = trimmed(content.substr(first + 1, close - first - 1));
            return line;
        }
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) return line;
    line.name = trimmed(content.substr(0, equals));
    if (line.name.empty()) return line;
    line.kind = LineKind::Entry;
    line.valueBegin = begin + equals + 1;
    line.valueEnd = contentEnd;
    while (line.valueBegin < line.valueEnd && isBlank(text[line.valueBegin])) ++line.valueBegin;
    while (line.valueEnd > line.valueBegin && isBlank(text[line.valueEnd - 1])) --line.valueEnd;
    return line;
}

std::size_t bodyStart(std::string_view text) { return text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0; }

std::vector<Line> linesOf(std::string_view text)
{
    std::vector<Line> lines;
    for (std::size_t begin = bodyStart(text); begin < text.size();) {
        const std::size_t newline = text.find('\n', begin);
        const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
        std::size_t contentEnd = newline == std::string_view::npos ? text.size() : newline;
        if (contentEnd > begin && text[contentEnd - 1] == '\r' && newline != std::string_view::npos) --contentEnd;
        lines.push_back(classified(text, begin, contentEnd, end));
        begin = end;
    }
    return lines;
}

// Where an entry is, or would go.
struct Place {
    std::optional<std::size_t> section;  // the section line
    std::optional<std::size_t> entry;    // the entry line
    std::size_t lastOfSection = 0;       // the section's last entry line, or its section line
};

Place placeOf(const std::vector<Line>& lines, std::string_view sectionBytes, std::string_view keyBytes)
{
    const std::u16string section = comparable(sectionBytes);
    const std::u16string key = comparable(keyBytes);
    Place place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.kind == LineKind::Section) {
            if (place.section) break;
            if (comparable(line.name) == section) place.section = place.lastOfSection = i;
        } else if (place.section && line.kind == LineKind::Entry) {
            place.lastOfSection = i;
            if (comparable(line.name) == key) {
                place.entry = i;
                break;
            }
        }
    }
    return place;
}

bool isProfileText(std::string_view text) { return text.find('\0') == std::string_view::npos; }

bool holdsLineBreakOrNul(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

bool canBeWritten(std::string_view section, std::string_view key, std::string_view value)
{
    return !key.empty() && key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';' &&
           key.front() != '#' && !holdsLineBreakOrNul(section) && !holdsLineBreakOrNul(key) &&
           !holdsLineBreakOrNul(value);
}

std::string_view lineBreakOf(std::string_view text)
{
    const std::size_t newline = text.find('\n');
    if (newline != std::string_view::npos && (newline == 0 || text[newline - 1] != '\r')) return "\n";
    return "\r\n";
}

}  // namespace

std::optional<std::string> findProfileValue(std::string_view text, std::string_view section, std::string_view key)
{
    if (!isProfileText(text)) return std::nullopt;
    const std::vector<Line> lines = linesOf(text);
    const Place place = placeOf(lines, trimmed(section), trimmed(key));
    if (!place.entry) return std::nullopt;
    const Line& line = lines[*place.entry];
    return std::string(text.substr(line.valueBegin, line.valueEnd - line.valueBegin));
}

std::optional<std::string> withProfileValue(std::string_view text, std::string_view section, std::string_view key,
                                            std::string_view value)
{
    const std::string sectionName(trimmed(section));
    const std::string keyName(trimmed(key));
    value = trimmed(value);
    if (!isProfileText(text) || !canBeWritten(sectionName, keyName, value)) return std::nullopt;

    const std::vector<Line> lines = linesOf(text);
    const Place place = placeOf(lines, sectionName, keyName);
    std::string result(text);
    if (place.entry) {
        const Line& line = lines[*place.entry];
        result.replace(line.valueBegin, line.valueEnd - line.valueBegin, value);
        return result;
    }

    const std::string_view lineBreak = lineBreakOf(text);
    const std::string entry = keyName + "=" + std::string(value);
    if (place.section) {
        const Line& anchor = lines[place.lastOfSection];
        if (anchor.end == anchor.contentEnd)  // the last line of a text without a final line break
            result.insert(anchor.end, std::string(lineBreak) + entry);
        else
            result.insert(anchor.end, entry + std::string(lineBreak));
        return result;
    }

    if (result.size() > bodyStart(result) && result.back() != '\n') result += lineBreak;
    result += "[" + sectionName + "]";
    result += lineBreak;
    result += entry;
    result += lineBreak;
    return result;
}

}  // namespace qdk::apifuns
