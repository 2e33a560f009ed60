#include "IniCalls.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using orv::test::IniCalls;
using orv::test::ScratchDir;

mode_t modeOf(const fs::path& file)
{
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0);
    return st.st_mode & 07777;
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ProfileFile, ReadIniGivesTheEmptyTextForWhatItCannotRead)
{
    ScratchDir dir;
    const std::string entry = "[s]\r\nk=v\r\nempty=\r\n";
    dir.write("good.ini", entry);
    dir.write("binary.ini", std::string("[s]\r\nk=v\r\n\0\x01", 12));
    fs::create_directory(dir / "folder.ini");
    ASSERT_EQ(::mkfifo((dir / "fifo.ini").c_str(), 0600), 0);

    struct Row {
        const char* name;
        std::string file, section, key;
    };
    const Row rows[] = {
        {"a missing file", dir / "missing.ini", "s", "k"},
        {"a missing folder", dir / "missing" / "good.ini", "s", "k"},
        {"a folder", dir / "folder.ini", "s", "k"},
        {"a FIFO, which is not waited for", dir / "fifo.ini", "s", "k"},
        {"a binary file", dir / "binary.ini", "s", "k"},
        {"a path holding a NUL", (dir / "good.ini").string() + std::string("\0x", 2), "s", "k"},
        {"a missing section", dir / "good.ini", "t", "k"},
        {"a missing key", dir / "good.ini", "s", "x"},
        {"an empty value", dir / "good.ini", "s", "empty"},
    };
    const IniCalls calls;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(calls.read(row.file, row.section, row.key), "");
    }
    EXPECT_EQ(calls.read(dir / "good.ini", "S", "K"), "v");
}

TEST(ProfileFile, WriteIniCreatesTheFileThenAddsAndChangesOnlyItsLine)
{
    ScratchDir dir;
    const std::string file = (dir / "caf\xff.ini").string();  // a name that is not UTF-8
    const IniCalls calls;

    ASSERT_EQ(calls.write(file, "DTF", "Separator", " "), S_OK);
    EXPECT_EQ(ScratchDir::read(file), "[DTF]\r\nSeparator=\r\n");
    EXPECT_EQ(modeOf(file), 0600);
    EXPECT_EQ(calls.read(file, "DTF", "Separator"), "");

    ASSERT_EQ(calls.write(file, "DTF", "Year", "YYYY"), S_OK);
    EXPECT_EQ(ScratchDir::read(file), "[DTF]\r\nSeparator=\r\nYear=YYYY\r\n");

    ASSERT_EQ(calls.write(file, "dtf", "SEPARATOR", "-"), S_OK);
    EXPECT_EQ(ScratchDir::read(file), "[DTF]\r\nSeparator=-\r\nYear=YYYY\r\n");
    EXPECT_EQ(calls.read(file, "Dtf", "separator"), "-");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"caf\xff.ini"});  // no temporary file left
}

TEST(ProfileFile, WriteIniKeepsPermissionsAndReplacesTheFileALinkNames)
{
    ScratchDir dir;
    const fs::path target = dir.write("real/orv.ini", "[s]\nk=1\n");
    fs::permissions(target, fs::perms(0640));
    fs::create_directory_symlink(dir / "real", dir / "linked-folder");
    fs::create_symlink(target, dir / "link.ini");

    const IniCalls calls;
    ASSERT_EQ(calls.write(dir / "link.ini", "s", "k", "2"), S_OK);
    ASSERT_EQ(calls.write(dir / "linked-folder" / "orv.ini", "s", "j", "3"), S_OK);
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(ScratchDir::read(target), "[s]\nk=2\nj=3\n");
    EXPECT_EQ(modeOf(target), 0640);
    EXPECT_EQ(namesIn(dir / "real"), std::vector<std::string>{"orv.ini"});
}

TEST(ProfileFile, WriteIniLeavesWhatItCannotWriteAsItWas)
{
    ScratchDir dir;
    const std::string binary("\x7f" "ELF\0\x02\x01", 7);
    dir.write("binary.ini", binary);
    fs::create_directory(dir / "folder.ini");
    fs::create_symlink(dir / "nowhere.ini", dir / "dangling.ini");

    struct Row {
        const char* name;
        std::string file, key;
    };
    const Row rows[] = {
        {"a missing folder", dir / "missing" / "orv.ini", "k"},
        {"a folder", dir / "folder.ini", "k"},
        {"a binary file", dir / "binary.ini", "k"},
        {"a link to nothing", dir / "dangling.ini", "k"},
        {"a key that cannot be written, into a missing file", dir / "new.ini", "a=b"},
    };
    const IniCalls calls;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(calls.write(row.file, "s", row.key, "v"), S_OK);
    }
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"binary.ini", "dangling.ini", "folder.ini"}));
    EXPECT_EQ(ScratchDir::read(dir / "binary.ini"), binary);
    EXPECT_TRUE(fs::is_empty(dir / "folder.ini"));
}

TEST(ProfileFile, ReadIniCutsALongValueBeforeTheCharacterThatCrossesTheLimit)
{
    ScratchDir dir;
    const std::string file = dir / "long.ini";
    struct Row {
        const char* name;
        std::string value, expected;
    };
    const std::string limit(65534, 'a');
    const Row rows[] = {
        {"at the limit", limit, limit},
        {"beyond it", limit + "bcd", limit},
        {"a character across it", std::string(65533, 'a') + "\xc3\xa9", std::string(65533, 'a')},
        {"a character ending at it", std::string(65531, 'a') + "\xe2\x82\xac" + "b", std::string(65531, 'a') + "\xe2\x82\xac"},
        {"bytes that are no character are cut anywhere", std::string(65533, 'a') + "\xff\xff", std::string(65533, 'a') + "\xff"},
    };
    const IniCalls calls;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(calls.write(file, "s", "k", row.value), S_OK);
        EXPECT_EQ(calls.read(file, "s", "k"), row.expected);
    }
}

TEST(ProfileFile, WriteIniHandsBackEachTextAsItWasWritten)
{
    ScratchDir dir;
    const qdk::Bstr file = IniCalls::text((dir / "orv.ini").string());
    qdk::Bstr path = file, section(u"s"), key(u"k"), value(std::u16string(u"a\xD800"));  // a lone surrogate
    const IniCalls calls;
    ASSERT_EQ(calls.api()->WriteIni(path.slot(), section.slot(), key.slot(), value.slot()), S_OK);
    EXPECT_EQ(path.view(), file.view());
    EXPECT_EQ(section.view(), u"s");
    EXPECT_EQ(value.view(), u"a\uFFFD");
    EXPECT_EQ(calls.read(dir / "orv.ini", "s", "k"), "a\xEF\xBF\xBD");
}

}  // namespace
