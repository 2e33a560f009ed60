#include "LogLine.h"
#include "RecordKey.h"

#include <gtest/gtest.h>

namespace orv::capture {
namespace {

TEST(RecordKey, SameRecordWhenAllFieldsAreEqualIgnoringCase)
{
    using R = ActivityRecord;
    struct Row {
        const char* name;
        ActivityRecord a, b;
        bool same;
    };
    const Row rows[] = {
        {"ASCII letter case", {"File", "Created", "/Data/", "A.txt", ""}, {"FILE", "created", "/data/", "a.TXT", ""}, true},
        {"letters beyond ASCII", {"File", "Created", "/\xc3\x84/", "\xce\xa3", ""}, {"File", "Created", "/\xc3\xa4/", "\xcf\x83", ""}, true},
        {"bytes that are not UTF-8 compare as they are", {"File", "Created", "/", "\xff", ""}, {"File", "Created", "/", "\xfe", ""}, false},
        {"a TAB moved across fields", {"File", "Created", "/", "a\tb", "c"}, {"File", "Created", "/", "a", "b\tc"}, false},
        {"a name moved to the next field", {"File", "Renamed", "/", "a", ""}, {"File", "Renamed", "/", "", "a"}, false},
        {"an escape written out by hand", {"File", "Created", "/", "a\tb", ""}, {"File", "Created", "/", "a\\tb", ""}, false},
        {"upper-case hex in a name", {"File", "Created", "/", "\x1b", ""}, {"File", "Created", "/", "\\X1B", ""}, false},
        {"new name a prefix of the other", R{"File", "Renamed", "/", "a.txt", "b.txt"}, R{"File", "Renamed", "/", "a.txt", "b.txt.bak"}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RecordKey(row.a) == RecordKey(row.b), row.same);
        EXPECT_EQ(RecordKey(row.a).hash() == RecordKey(row.b).hash(), row.same);
    }
}

// Keys taken straight from stored fields are the keys of the records those lines hold.
TEST(RecordKey, StoredFieldsGiveTheKeyOfTheirRecord)
{
    const ActivityRecord plain[] = {
        {"File", "Created", "/Home/Me/", "Report.TXT", ""},
        {"Storage Media", "Inserted", "/media/\xc3\x84/", "\xff\xfe", ""},
        {"", "", "", "", ""},
    };
    for (const auto& record : plain) {
        const std::string line = LogLine::format({{{2019, 7, 5}, 1, 2, 3}, record});
        const auto key = RecordKey::ofStoredFields(line.substr(20, line.size() - 22));
        ASSERT_TRUE(key) << line;
        EXPECT_EQ(*key, RecordKey(record));
    }
    for (const char* stored : {"File\tCreated\t/\ta\\tb\t", "File\tCreated\t/\ta\x01\t", "File\tCreated\t/\ta\t\t",
                               "File\tCreated\t/\ta"})
        EXPECT_FALSE(RecordKey::ofStoredFields(stored)) << stored;
}

}  // namespace
}  // namespace orv::capture
