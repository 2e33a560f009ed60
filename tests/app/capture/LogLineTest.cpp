#include "CapturePrinters.h"
#include "LogLine.h"

#include <gtest/gtest.h>

namespace orv::capture {
namespace {

const LocalDateTime kTime{{2019, 7, 5}, 14, 3, 22};

TEST(LogLine, FormatsSixTabSeparatedFieldsAndCrLf)
{
    EXPECT_EQ(LogLine::format({kTime, {"File", "Created", "/data/", "report.txt", ""}}),
              "2019-07-05 14:03:22\tFile\tCreated\t/data/\treport.txt\t\r\n");
    EXPECT_EQ(LogLine::format({{{2024, 1, 2}, 3, 4, 5}, {"File", "Renamed", "/a/", "x", "y"}}),
              "2024-01-02 03:04:05\tFile\tRenamed\t/a/\tx\ty\r\n");
}

TEST(LogLine, EscapesWhatWouldBreakTheLineAndRoundTrips)
{
    struct Row {
        std::string name;
        std::string stored;
    };
    const Row rows[] = {
        {"plain name.txt", "plain name.txt"},
        {"tab\there", "tab\\there"},
        {"back\\slash", "back\\\\slash"},
        {"two\r\nlines\n", "two\\r\\nlines\\n"},
        {"bell\x07 del\x7f esc\x1b", "bell\\x07 del\\x7F esc\\x1B"},
        {"\xff\xfe not UTF-8 \xc3", "\xff\xfe not UTF-8 \xc3"},
        {"Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac", "Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac"},
        {"looks escaped \\t \\x41", "looks escaped \\\\t \\\\x41"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        const LogEntry entry{kTime, {"File", "Renamed", "/dir\twith/" + row.name + "/", row.name, row.name + "2"}};
        const std::string line = LogLine::format(entry);
        std::string field;
        LogLine::appendEscaped(field, row.name);
        EXPECT_EQ(field, row.stored);
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 5);
        EXPECT_EQ(line.find_first_of("\r\n"), line.size() - 2);
        EXPECT_EQ(LogLine::parse(line), entry);
    }
}

TEST(LogLine, ReadsLinesAsTheLoaderDoes)
{
    using R = ActivityRecord;
    struct Row {
        const char* name;
        std::string line;
        std::optional<ActivityRecord> record;  // nothing: not a record
    };
    const std::string time = "2019-07-05 14:03:22";
    const Row rows[] = {
        {"without line end", time + "\tFile\tCreated\t/a/\tx\t", R{"File", "Created", "/a/", "x", ""}},
        {"ending in CR only", time + "\tFile\tCreated\t/a/\tx\t\r", R{"File", "Created", "/a/", "x", ""}},
        {"ending in LF only", time + "\tFile\tCreated\t/a/\tx\t\n", R{"File", "Created", "/a/", "x", ""}},
        {"three tabs", time + "\tFile\tCreated\t/a/", R{"File", "Created", "/a/", "", ""}},
        {"time alone", time, R{}},
        {"more than five tabs: the rest is the new name", time + "\tFile\tRenamed\t/a/\tx\ty\tz",
         R{"File", "Renamed", "/a/", "x", "y\tz"}},
        {"unknown escapes stand for themselves", time + "\tFile\tCreated\t/a/\t\\q\\x4\\x41\\", R{"File", "Created", "/a/", "\\q\\x4A\\", ""}},
        {"empty line", "", std::nullopt},
        {"text without tab", "hello", std::nullopt},
        {"month 13", "2019-13-05 14:03:22\tFile", std::nullopt},
        {"29 February of a common year", "2019-02-29 14:03:22\tFile", std::nullopt},
        {"29 February of a leap year", "2020-02-29 14:03:22\tFile", R{"File", "", "", "", ""}},
        {"hour 24", "2019-07-05 24:00:00\tFile", std::nullopt},
        {"digits missing", "2019-07-05 14:3:22\tFile", std::nullopt},
        {"a space after the time", time + " \tFile", std::nullopt},
        {"another separator", "2019/07/05 14:03:22\tFile", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto entry = LogLine::parse(row.line);
        ASSERT_EQ(entry.has_value(), row.record.has_value());
        if (entry) {
            EXPECT_EQ(entry->record, *row.record);
        }
    }
    EXPECT_EQ(LogLine::parse(time + "\tFile")->time, kTime);
}

}  // namespace
}  // namespace orv::capture
