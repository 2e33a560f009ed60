#include "ProfileText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using qdk::apifuns::findProfileValue;
using qdk::apifuns::withProfileValue;

TEST(ProfileText, FindsTheFirstMatchingEntryOfTheFirstMatchingSection)
{
    struct Row {
        const char* name;
        std::string text, section, key;
        std::optional<std::string> value;
    };
    const Row rows[] = {
        {"plain", "[DTF]\r\nSequence=Month Day Year\r\n", "DTF", "Sequence", "Month Day Year"},
        {"names ignore letter case", "[dtf]\nSEQUENCE=x\n", "DtF", "sequence", "x"},
        {"letter case beyond ASCII", "[ÄRGER]\nSCHLÜSSEL=x\n", "ärger", "schlüssel", "x"},
        {"blanks around names and value", " [ DTF ] \n\t Year \t=  YY \t\n", " DTF", "Year ", "YY"},
        {"inner blanks stay", "[s]\nk=Month Day Year\n", "s", "k", "Month Day Year"},
        {"an empty value", "[s]\nk=\n", "s", "k", ""},
        {"a value holding '='", "[s]\nk=a=b\n", "s", "k", "a=b"},
        {"the first entry counts", "[s]\nk=1\nK=2\n", "s", "k", "1"},
        {"only the first section counts", "[s]\na=1\n[S]\nk=2\n", "s", "k", std::nullopt},
        {"the entry must be in its section", "[s]\n[t]\nk=1\n", "s", "k", std::nullopt},
        {"entries before any section", "k=1\n[s]\n", "s", "k", std::nullopt},
        {"a missing section", "[s]\nk=1\n", "t", "k", std::nullopt},
        {"comments are no entries", "[s]\n;k=1\n# k=2\n", "s", "k", std::nullopt},
        {"a line without '=' is no entry", "[s]\nk\nk=3\n", "s", "k", "3"},
        {"the last ']' closes the name", "[a]b]\nk=1\n", "a]b", "k", "1"},
        {"a '[' without ']' starts no section", "[s]\n[t\nk=1\n", "s", "k", "1"},
        {"byte-order mark", "\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "1"},
        {"last line without a line break", "[s]\nk=1", "s", "k", "1"},
        {"bytes that are no UTF-8", "[s]\nk=\xff\xfe\n", "s", "k", "\xff\xfe"},
        {"a binary file", std::string("[s]\nk=1\n\0", 9), "s", "k", std::nullopt},
        {"an empty text", "", "s", "k", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(findProfileValue(row.text, row.section, row.key), row.value);
    }
}

TEST(ProfileText, WritesInPlaceOrAddsAndKeepsEveryOtherByte)
{
    struct Row {
        const char* name;
        std::string text, section, key, value, expected;
    };
    const Row rows[] = {
        {"an empty file gets CR LF", "", "DTF", "Sequence", "Month Day Year", "[DTF]\r\nSequence=Month Day Year\r\n"},
        {"a value in place, spacing and letter case kept", "; c\r\n[Dtf]\r\n  Year =  YY  \r\nDay=D\r\n", "DTF",
         "year", "YYYY", "; c\r\n[Dtf]\r\n  Year =  YYYY  \r\nDay=D\r\n"},
        {"an empty value replaced", "[s]\nk=\n", "s", "k", "v", "[s]\nk=v\n"},
        {"a new entry after the section's last entry, LF kept", "[a]\nx=1\n\n[b]\ny=2\n", "A", "z", "3",
         "[a]\nx=1\nz=3\n\n[b]\ny=2\n"},
        {"a new entry in an empty section, before a comment", "[s]\n; about t\n[t]\n", "s", "k", "v",
         "[s]\nk=v\n; about t\n[t]\n"},
        {"a new entry after a last line without line break", "[s]\nx=1", "s", "k", "v", "[s]\nx=1\nk=v"},
        {"a new section at the end", "[s]\r\nx=1\r\n", "t", "k", "v", "[s]\r\nx=1\r\n[t]\r\nk=v\r\n"},
        {"a new section after a last line without line break", "[s]\nx=1", "t", "k", "v", "[s]\nx=1\n[t]\nk=v\n"},
        {"the first of two equal sections", "[s]\na=1\n[S]\nb=2\n", "s", "b", "3", "[s]\na=1\nb=3\n[S]\nb=2\n"},
        {"unknown lines and the byte-order mark stay", "\xEF\xBB\xBFjunk\n[s]\nno entry\nk=1\n", "s", "k", "2",
         "\xEF\xBB\xBFjunk\n[s]\nno entry\nk=2\n"},
        {"a file of only a byte-order mark", "\xEF\xBB\xBF", "s", "k", "v", "\xEF\xBB\xBF[s]\r\nk=v\r\n"},
        {"names and value lose their blanks", "", " s ", " k ", "  v  ", "[s]\r\nk=v\r\n"},
        {"a blank value is stored empty", "", "DTF", "Separator", " ", "[DTF]\r\nSeparator=\r\n"},
        {"brackets inside a section name", "", "a]b", "k", "v", "[a]b]\r\nk=v\r\n"},
        {"the same value changes nothing", "[s]\nk = v ; x\n", "s", "k", "v ; x", "[s]\nk = v ; x\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<std::string> written = withProfileValue(row.text, row.section, row.key, row.value);
        ASSERT_TRUE(written);
        EXPECT_EQ(*written, row.expected);
    }
}

TEST(ProfileText, RefusesWhatWouldChangeTheMeaningOfTheFile)
{
    struct Row {
        const char* name;
        std::string text, section, key, value;
    };
    const Row rows[] = {
        {"a binary file", std::string("\x7f" "ELF\0\0", 6), "s", "k", "v"},
        {"an empty key", "", "s", "  ", "v"},
        {"a key holding '='", "", "s", "a=b", "v"},
        {"a key that reads as a section", "", "s", "[t]", "v"},
        {"a key that reads as a comment", "", "s", ";k", "v"},
        {"a key that reads as a comment too", "", "s", "#k", "v"},
        {"a value with a line break", "", "s", "k", "v\n[t]"},
        {"a value with a carriage return", "", "s", "k", "v\rw"},
        {"a section name with a line break", "", "s]\r\n[t", "k", "v"},
        {"a NUL in a value", "", "s", "k", std::string("a\0b", 3)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(withProfileValue(row.text, row.section, row.key, row.value));
    }
}

TEST(ProfileText, AWrittenValueReadsBackWithoutItsBlanks)
{
    const std::string values[] = {"Month Day Year", "{Space}", "a=b", "[x]", "; not a comment", "\xff\xfe", "  x  ", ""};
    for (const std::string& value : values) {
        SCOPED_TRACE(value);
        const std::string text = *withProfileValue("[s]\nother=1\n", "S", "K", value);
        const std::string rewritten = *withProfileValue(text, "s", "k", value);
        EXPECT_EQ(rewritten, text);
        const std::size_t first = value.find_first_not_of(' ');
        const std::string expected = first == std::string::npos ? "" : value.substr(first, value.find_last_not_of(' ') - first + 1);
        EXPECT_EQ(findProfileValue(text, "s", "k"), expected);
        EXPECT_EQ(findProfileValue(text, "s", "other"), "1");
    }
}

}  // namespace
