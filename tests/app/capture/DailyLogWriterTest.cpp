#include "CapturePrinters.h"
#include "DailyLogWriter.h"
#include "FakeClock.h"
#include "FaultyLogFileSystem.h"
#include "LogLine.h"
#include "ScratchDataHome.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace orv::capture {
namespace {

using namespace std::chrono_literals;
using test::FakeClock;
using test::ScratchDataHome;
namespace fs = std::filesystem;

const LocalDateTime kStart{{2019, 7, 5}, 14, 3, 22};
const LocalDate kDay = kStart.date;
const ActivityRecord kReport{"File", "Created", "/data/", "report.txt", ""};
const ActivityRecord kOther{"File", "Deleted", "/data/", "old.txt", ""};

// A writer on real files in a data folder of its own, with a clock the test moves, and what it
// signalled.
struct Rig {
    explicit Rig(LocalDateTime start = kStart, std::chrono::milliseconds retry = 1h) : clock(start), writer(home.logsFolder(), clock, files, retry)
    {
        QObject::connect(&writer, &DailyLogWriter::recordStored,
                         [this](const LogEntry& entry, const fs::path& file) {
                             stored.push_back(entry);
                             storedIn.push_back(file);
                         });
        QObject::connect(&writer, &DailyLogWriter::writingFailed,
                         [this](const QString& reason) { failures.push_back(reason.toStdString()); });
        QObject::connect(&writer, &DailyLogWriter::writingResumed, [this] { ++resumed; });
    }

    // Writes the record after moving the clock on.
    LogEntry writeAfter(std::chrono::seconds delay, const ActivityRecord& record)
    {
        clock.advance(delay);
        writer.write(record);
        return {clock.now(), record};
    }
    std::string bytes(const LocalDate& day = kDay) const { return home.dailyBytes(day); }

    ScratchDataHome home;
    FakeClock clock;
    test::FaultyLogFileSystem files;
    DailyLogWriter writer;
    std::vector<LogEntry> stored;
    std::vector<fs::path> storedIn;
    std::vector<std::string> failures;
    int resumed = 0;
};

std::string lines(std::initializer_list<LogEntry> entries)
{
    std::string all;
    for (const auto& entry : entries) all += LogLine::format(entry);
    return all;
}

void writeFile(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

fs::perms permissionsOf(const fs::path& path) { return fs::status(path).permissions() & fs::perms::all; }

TEST(DailyLogWriter, CreatesPrivateFoldersAndADayFileAtMidnight)
{
    Rig rig({{2019, 7, 31}, 23, 59, 58});
    const auto lastOfJuly = rig.writeAfter(0s, kReport);
    const auto firstOfAugust = rig.writeAfter(3s, kReport);

    EXPECT_EQ(rig.bytes({2019, 7, 31}), lines({lastOfJuly}));
    EXPECT_EQ(rig.bytes({2019, 8, 1}), lines({firstOfAugust}));
    const fs::path logs = rig.home.logsFolder();
    EXPECT_EQ(logs, rig.home.path() / "VLM/ORV/logs");
    for (const auto& folder : {rig.home.path() / "VLM", rig.home.path() / "VLM/ORV", logs, logs / "201907", logs / "201908"})
        EXPECT_EQ(permissionsOf(folder), fs::perms::owner_all) << folder;
    for (const auto& file : {logs / "201907/31.log", logs / "201908/01.log"})
        EXPECT_EQ(permissionsOf(file), fs::perms::owner_read | fs::perms::owner_write) << file;
    EXPECT_EQ(rig.stored, (std::vector<LogEntry>{lastOfJuly, firstOfAugust}));
    EXPECT_EQ(rig.storedIn, (std::vector<fs::path>{logs / "201907/31.log", logs / "201908/01.log"}));
}

TEST(DailyLogWriter, SameRecordWithinFiveSecondsIsNotStoredAgain)
{
    const ActivityRecord toBak{"File", "Renamed", "/data/", "a.txt", "b.txt.bak"};
    const ActivityRecord toB{"File", "Renamed", "/data/", "a.txt", "b.txt"};
    struct Row {
        const char* name;
        ActivityRecord first;
        std::chrono::seconds delay;
        ActivityRecord second;
        bool storedAgain;
    };
    const Row rows[] = {
        {"same second", kReport, 0s, kReport, false},
        {"3 s later", kReport, 3s, kReport, false},
        {"4 s later", kReport, 4s, kReport, false},
        {"exactly 5 s later", kReport, 5s, kReport, true},
        {"clock set back by 3 s", kReport, -3s, kReport, false},
        {"letter case differs", kReport, 2s, {"FILE", "created", "/DATA/", "Report.TXT", ""}, false},
        {"non-ASCII letter case differs", {"Folder", "Created", "/\xc3\x9c" "bung/", "\xc3\x84rger", ""}, 2s,
         {"Folder", "Created", "/\xc3\xbc" "bung/", "\xc3\xa4rger", ""}, false},
        {"rename to b.txt after a rename to b.txt.bak", toBak, 2s, toB, true},
        {"rename to b.txt.bak after a rename to b.txt", toB, 2s, toBak, true},
        {"another record", kReport, 1s, kOther, true},
        {"same names in another folder", kReport, 1s, {"File", "Created", "/data/sub/", "report.txt", ""}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig;
        const auto first = rig.writeAfter(0s, row.first);
        const auto second = rig.writeAfter(row.delay, row.second);
        EXPECT_EQ(rig.bytes(), row.storedAgain ? lines({first, second}) : lines({first}));
        EXPECT_EQ(rig.stored.size(), row.storedAgain ? 2u : 1u);
    }
}

TEST(DailyLogWriter, OnlyTheDaysFirstLineOfARecordCounts)
{
    Rig rig;
    const auto first = rig.writeAfter(0s, kReport);
    const auto second = rig.writeAfter(10s, kReport);
    const auto third = rig.writeAfter(2s, kReport);  // 2 s after the second, 12 s after the first
    rig.writeAfter(-10s, kReport);                   // 2 s after the first
    EXPECT_EQ(rig.bytes(), lines({first, second, third}));
}

TEST(DailyLogWriter, ReadsHandEditedFiles)
{
    const std::string earlier = LogLine::format({{kDay, 10, 0, 0}, kOther});
    const std::string withoutLineEnd = earlier.substr(0, earlier.size() - 2);
    const std::string sameRecordJustBefore = "2019-07-05 14:03:20\tFILE\tCreated\t/data/\tREPORT.txt\t";
    struct Row {
        const char* name;
        std::string before;
        std::string between;  // what comes between the old bytes and the new line; nothing stored when null
        bool stored = true;
    };
    const Row rows[] = {
        {"first line of the record with a time that cannot be read",
         "2019-07-05 14:03:2x\tFile\tCreated\t/data/\treport.txt\t\r\n", ""},
        {"last line without its line end", withoutLineEnd, "\r\n"},
        {"last line ending in CR", withoutLineEnd + "\r", "\n"},
        {"last line ending in LF", withoutLineEnd + "\n", "\r\n"},
        {"the record 2 s before, by hand and without line end", sameRecordJustBefore, "", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig;
        writeFile(rig.home.dailyFile(kDay), row.before);
        const auto entry = rig.writeAfter(0s, kReport);
        EXPECT_EQ(rig.bytes(), row.stored ? row.before + row.between + lines({entry}) : row.before);
        if (!row.stored) continue;
        rig.writeAfter(2s, kReport);  // and the new line is found as the record's first
        EXPECT_EQ(rig.bytes(), row.before + row.between + lines({entry}));
    }
}

TEST(DailyLogWriter, NoticesFilesChangedBehindItsBack)
{
    struct Row {
        const char* name;
        std::function<void(Rig&, const fs::path&)> edit;
        std::function<std::string(Rig&)> thenWrite;  // writes, and returns the file's expected bytes
    };
    const Row rows[] = {
        {"a line appended by hand",
         [](Rig& rig, const fs::path& file) {
             std::ofstream(file, std::ios::binary | std::ios::app) << LogLine::format({rig.clock.now(), kOther});
         },
         [](Rig& rig) {
             const LogEntry handWritten{rig.clock.now(), kOther};
             rig.writeAfter(2s, kOther);  // a repeat of the hand-written line
             return lines({{kStart, kReport}, handWritten});
         }},
        {"the file emptied",
         [](Rig&, const fs::path& file) { fs::resize_file(file, 0); },
         [](Rig& rig) { return lines({rig.writeAfter(1s, kReport)}); }},
        {"the file replaced by another one",
         [](Rig& rig, const fs::path& file) {
             const auto other = file.parent_path() / "new";
             writeFile(other, LogLine::format({rig.clock.now(), kOther}));
             fs::rename(other, file);
         },
         [](Rig& rig) {
             const LogEntry replacing{rig.clock.now(), kOther};
             rig.writeAfter(2s, kOther);
             return lines({replacing, rig.writeAfter(0s, kReport)});
         }},
        {"the file deleted", [](Rig&, const fs::path& file) { fs::remove(file); },
         [](Rig& rig) { return lines({rig.writeAfter(1s, kReport)}); }},
        {"the whole data folder deleted", [](Rig& rig, const fs::path&) { fs::remove_all(rig.home.path() / "VLM"); },
         [](Rig& rig) { return lines({rig.writeAfter(1s, kReport)}); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig;
        rig.writeAfter(0s, kReport);
        row.edit(rig, rig.home.dailyFile(kDay));
        const std::string expected = row.thenWrite(rig);
        EXPECT_EQ(rig.bytes(), expected);
        EXPECT_TRUE(rig.failures.empty());
    }
}

TEST(DailyLogWriter, KeepsRecordsThatCannotBeWrittenAndWritesThemInOrderLater)
{
    Rig rig;
    // A file where the month folder belongs: no day file can be made.
    const fs::path monthFolder = rig.home.logsFolder() / "201907";
    writeFile(monthFolder, "in the way");

    const auto a = rig.writeAfter(0s, kReport);
    const auto b = rig.writeAfter(1s, kOther);
    rig.writeAfter(1s, kReport);  // a repeat of a record kept in memory
    const auto c = rig.writeAfter(5s, kReport);
    ASSERT_EQ(rig.failures.size(), 1u);
    EXPECT_EQ(rig.failures[0], "mkdir " + monthFolder.string() + ": Not a directory");
    EXPECT_TRUE(rig.stored.empty());
    EXPECT_EQ(rig.writer.keptRecords(), 3u);

    fs::remove(monthFolder);
    const auto d = rig.writeAfter(1s, kOther);
    EXPECT_EQ(rig.bytes(), lines({a, b, c, d}));
    EXPECT_EQ(rig.stored, (std::vector<LogEntry>{a, b, c, d}));
    EXPECT_EQ(rig.resumed, 1);
    EXPECT_EQ(rig.failures.size(), 1u);
    EXPECT_EQ(rig.writer.keptRecords(), 0u);
}

TEST(DailyLogWriter, RetryTimerWritesKeptRecordsWithoutANewOne)
{
    Rig rig(kStart, 1ms);
    const fs::path monthFolder = rig.home.logsFolder() / "201907";
    writeFile(monthFolder, "in the way");
    const auto a = rig.writeAfter(0s, kReport);
    ASSERT_EQ(rig.failures.size(), 1u);

    fs::remove(monthFolder);
    QSignalSpy resumed(&rig.writer, &DailyLogWriter::writingResumed);
    ASSERT_TRUE(resumed.wait(30'000));
    EXPECT_EQ(rig.bytes(), lines({a}));
}

TEST(DailyLogWriter, ShortWriteLeavesNoTornLine)
{
    Rig rig;
    const auto a = rig.writeAfter(0s, kReport);
    rig.files.failWrites(ENOSPC, 10);
    const auto b = rig.writeAfter(1s, kOther);
    ASSERT_EQ(rig.failures.size(), 1u);
    EXPECT_EQ(rig.failures[0], "write " + rig.home.dailyFile(kDay).string() + ": No space left on device");
    EXPECT_EQ(rig.bytes(), lines({a}));

    rig.files.heal();
    rig.writeAfter(1s, kReport);  // a repeat, which still gets the kept record written
    EXPECT_EQ(rig.bytes(), lines({a, b}));
    EXPECT_EQ(rig.resumed, 1);
}

}  // namespace
}  // namespace orv::capture
