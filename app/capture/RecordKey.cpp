#include "RecordKey.h"

#include "LogLine.h"
#include "UnicodeCase.h"

#include <functional>
#include <vector>

namespace orv::capture {

namespace {

std::string lowered(std::string_view text)
{
    std::string out;
    std::vector<text::Utf8LengthChange> changes;  // not needed here; lowerUtf8 reports them
    while (!text.empty()) {
        const auto start = out.size();
        // Room for the lowered form even where a character grows by a byte or two.
        out.resize(start + text.size() + 8);
        const auto done = text::lowerUtf8(text, out.data() + start, out.size() - start, true, changes);
        out.resize(start + done.produced);
        text.remove_prefix(done.consumed);
        changes.clear();
    }
    return out;
}

std::string escapedFields(const ActivityRecord& record)
{
    std::string escaped;
    const auto fields = record.fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) escaped += '\t';
        LogLine::appendEscaped(escaped, fields[i]);
    }
    return escaped;
}

}  // namespace

RecordKey::RecordKey(std::string_view escaped)
    : text_(lowered(escaped)), hash_(std::hash<std::string_view>{}(text_))
{
}

RecordKey::RecordKey(const ActivityRecord& record) : RecordKey(escapedFields(record)) {}

std::optional<RecordKey> RecordKey::ofStoredFields(std::string_view stored)
{
    int tabs = 0;
    for (const char c : stored) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') ++tabs;
        else if (c == '\\' || byte < 0x20 || byte == 0x7F) return std::nullopt;
    }
    if (tabs != 4) return std::nullopt;
    return RecordKey(stored);
}

}  // namespace orv::capture
