#include "MountInfoParser.h"

#include <charconv>
#include <optional>

namespace orv::capture::live {

namespace {

// Splits off the next field separated by spaces; empty at the end of the line.
std::string_view nextField(std::string_view& line)
{
    const auto start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        line = {};
        return {};
    }
    line.remove_prefix(start);
    const auto end = line.find(' ');
    const auto field = line.substr(0, end);
    line.remove_prefix(end == std::string_view::npos ? line.size() : end);
    return field;
}

template <class Number>
std::optional<Number> number(std::string_view text)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool isOctal(char c) { return c >= '0' && c <= '7'; }

std::string unescape(std::string_view text)
{
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && isOctal(text[i + 1]) && isOctal(text[i + 2]) &&
            isOctal(text[i + 3])) {
            plain += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
            i += 3;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

std::optional<MountEntry> parseLine(std::string_view line)
{
    MountEntry entry;
    const auto id = number<int>(nextField(line));
    const auto parent = number<int>(nextField(line));
    const auto device = nextField(line);
    const auto colon = device.find(':');
    if (!id || !parent || colon == std::string_view::npos) return std::nullopt;
    const auto major = number<unsigned>(device.substr(0, colon));
    const auto minor = number<unsigned>(device.substr(colon + 1));
    if (!major || !minor) return std::nullopt;
    const auto root = nextField(line);
    const auto mountPoint = nextField(line);
    nextField(line);  // mount options
    // Optional fields up to the separator.
    for (auto field = nextField(line); field != "-"; field = nextField(line))
        if (field.empty()) return std::nullopt;
    const auto type = nextField(line);
    const auto source = nextField(line);
    if (root.empty() || mountPoint.empty() || type.empty()) return std::nullopt;
    entry.mountId = *id;
    entry.major = *major;
    entry.minor = *minor;
    entry.mountPoint = unescape(mountPoint);
    entry.fileSystemType = unescape(type);
    entry.source = unescape(source);
    return entry;
}

}  // namespace

std::vector<MountEntry> parseMountInfo(std::string_view table)
{
    std::vector<MountEntry> entries;
    while (!table.empty()) {
        const auto end = table.find('\n');
        if (auto entry = parseLine(table.substr(0, end))) entries.push_back(std::move(*entry));
        table.remove_prefix(end == std::string_view::npos ? table.size() : end + 1);
    }
    return entries;
}

}  // namespace orv::capture::live
