#include "ReferenceLogWriter.h"

#include "LogLine.h"
#include "LogPaths.h"
#include "ScratchDir.h"
#include "UnicodeCase.h"
#include "Utf8Codec.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace orv::capture::test {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return text::toLower(text::decodeBytes(a)) == text::toLower(text::decodeBytes(b));
}

bool sameRecord(const ActivityRecord& a, const ActivityRecord& b)
{
    const auto fa = a.fields();
    const auto fb = b.fields();
    for (std::size_t i = 0; i < fa.size(); ++i)
        if (!sameIgnoringCase(fa[i], fb[i])) return false;
    return true;
}

// The time of day of the first line of the record: lines end at CR LF, CR or LF.
std::optional<int> firstLineOf(const std::string& bytes, const ActivityRecord& record)
{
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        const auto stored = LogLine::parse(std::string_view(bytes).substr(start, end - start));
        if (stored && sameRecord(stored->record, record)) return stored->time.secondsOfDay();
        start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return std::nullopt;
}

}  // namespace

void ReferenceLogWriter::write(const ActivityRecord& record, const LocalDateTime& now)
{
    const auto file = LogPaths::dailyFile(logsFolder_, now.date);
    const std::string bytes = std::filesystem::exists(file) ? orv::test::ScratchDir::read(file) : std::string();
    const auto first = firstLineOf(bytes, record);
    if (first && std::abs(now.secondsOfDay() - *first) < 5) return;

    std::string line;
    if (!bytes.empty() && !bytes.ends_with("\r\n")) line = bytes.ends_with('\r') ? "\n" : "\r\n";
    line += LogLine::format({now, record});
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << line;
    if (!out.flush()) throw std::runtime_error("cannot append to " + file.string());
}

}  // namespace orv::capture::test
