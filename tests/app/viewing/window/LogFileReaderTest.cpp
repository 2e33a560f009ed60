#include "LogFileReader.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace {

using orv::test::ScratchDir;
using orv::viewing::LogFileReader;
using orv::viewing::LogRecords;
using Outcome = LogFileReader::Outcome;

const std::string kLine = "2006-02-08 10:00:00\tFile\tCreated\t/a/\tx\t\r\n";

void appendTo(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

TEST(LogFileReader, GivesNothingAtOnceForFilesItCannotRead)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir / "folder.log");
    // A FIFO in the place of a day's file: opening it for reading would wait for a writer.
    ASSERT_EQ(::mkfifo((dir / "fifo.log").c_str(), 0600), 0);
    struct Row {
        const char* name;
        Outcome outcome;
    };
    for (const Row row : {Row{"missing.log", Outcome::Missing}, Row{"folder.log", Outcome::Unreadable},
                          Row{"fifo.log", Outcome::Unreadable}, Row{"missing/01.log", Outcome::Missing}}) {
        SCOPED_TRACE(row.name);
        LogRecords records;
        const auto result = LogFileReader::read(dir / row.name, records);
        EXPECT_EQ(result.outcome, row.outcome);
        EXPECT_TRUE(records.empty());
        if (row.outcome == Outcome::Unreadable) {
            EXPECT_NE(result.error.find(row.name), std::string::npos);
        }
    }
}

TEST(LogFileReader, ResumesBehindWhatItReadUnlessTheFileIsAnotherOne)
{
    ScratchDir dir;
    const auto file = dir.write("08.log", kLine + kLine + "2006-02-08 10:00:01\tlast line without its end");
    LogRecords records;
    const auto first = LogFileReader::read(file, records);
    ASSERT_EQ(first.outcome, Outcome::Read);
    EXPECT_TRUE(first.fromStart);
    EXPECT_EQ(records.size(), 3u);
    EXPECT_EQ(first.position.offset, std::filesystem::file_size(file));

    // The writer ends the open line before its own.
    appendTo(file, "\r\n" + kLine);
    LogRecords added;
    const auto second = LogFileReader::read(file, added, first.position);
    EXPECT_FALSE(second.fromStart);
    EXPECT_EQ(added.size(), 1u);

    LogRecords none;
    const auto third = LogFileReader::read(file, none, second.position);
    EXPECT_FALSE(third.fromStart);
    EXPECT_TRUE(none.empty());

    // Cut shorter, and replaced by another file: read from the start.
    std::filesystem::resize_file(file, kLine.size());
    LogRecords cut;
    const auto fourth = LogFileReader::read(file, cut, third.position);
    EXPECT_TRUE(fourth.fromStart);
    EXPECT_EQ(cut.size(), 1u);

    const auto other = dir.write("other.log", kLine + kLine + kLine + kLine + kLine);
    std::filesystem::rename(other, file);
    LogRecords replaced;
    const auto fifth = LogFileReader::read(file, replaced, fourth.position);
    EXPECT_TRUE(fifth.fromStart);
    EXPECT_EQ(replaced.size(), 5u);
}

}  // namespace
