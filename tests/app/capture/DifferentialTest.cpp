#include "DailyLogWriter.h"
#include "FakeClock.h"
#include "LogLine.h"
#include "LogPaths.h"
#include "PosixLogFileSystem.h"
#include "ReferenceLogWriter.h"
#include "ScratchDataHome.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <cctype>

namespace orv::capture {
namespace {

namespace fs = std::filesystem;

std::map<fs::path, std::string> filesBelow(const fs::path& folder)
{
    std::map<fs::path, std::string> files;
    if (!fs::exists(folder)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), folder)] = orv::test::ScratchDir::read(entry.path());
    return files;
}

// Records that repeat now and then, in other letter cases and with names that need escaping.
class RecordStream {
public:
    explicit RecordStream(std::uint32_t seed) : random_(seed)
    {
        const char* words[][2] = {{"File", "Created"}, {"File", "Deleted"}, {"File", "Renamed"},
                                  {"Folder", "Created"}, {"Storage Media", "Inserted"}};
        const char* folders[] = {"/home/me/", "/home/me/Docs/", "/home/me/\xc3\x84rger/", "/tmp/a\tb/", "/mnt/\xff/"};
        const char* names[] = {"a.txt", "b.txt", "b.txt.bak", "Report.TXT", "x\\y", "line\nbreak", "\xc3\xa4" "b",
                               "\xc4\xb0stanbul", "tab\t", ""};
        for (int i = 0; i < 40; ++i) {
            const auto& w = words[pick(std::size(words))];
            pool_.push_back({w[0], w[1], folders[pick(std::size(folders))], names[pick(std::size(names))],
                             w[1] == std::string("Renamed") ? names[pick(std::size(names))] : ""});
        }
    }

    ActivityRecord next()
    {
        ActivityRecord record = pool_[pick(pool_.size())];
        for (auto* field : {&record.object, &record.action, &record.path, &record.originalName, &record.newName})
            for (char& c : *field)
                if (std::isalpha(static_cast<unsigned char>(c)) && pick(4) == 0) c = static_cast<char>(c ^ 0x20);
        return record;
    }
    std::chrono::seconds delay()
    {
        static constexpr int kDelays[] = {0, 0, 1, 2, 3, 4, 4, 5, 5, 6, 9, 40, 700, -2};
        return std::chrono::seconds(kDelays[pick(std::size(kDelays))]);
    }
    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }

private:
    std::mt19937 random_;
    std::vector<ActivityRecord> pool_;
};

// The same hand edit to both files: a line a person added, complete or not, readable or not.
void editByHand(RecordStream& stream, const LocalDateTime& now, const std::vector<fs::path>& files)
{
    std::string bytes;
    switch (stream.pick(3)) {
    case 0: bytes = LogLine::format({now, stream.next()}); break;
    case 1: bytes = "a note\r"; break;
    default: bytes = LogLine::format({now, stream.next()}).substr(2, 30); break;
    }
    for (const auto& file : files) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
    }
}

TEST(DifferentialTest, IndexedWriterStoresWhatAPlainRescanStores)
{
    for (const std::uint32_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        test::ScratchDataHome home;
        orv::test::ScratchDir referenceFolder;
        const fs::path referenceLogs = referenceFolder.path() / "logs";
        test::FakeClock clock({{2019, 12, 31}, 23, 40, 0});
        PosixLogFileSystem files;
        DailyLogWriter writer(home.logsFolder(), clock, files);
        test::ReferenceLogWriter reference(referenceLogs);
        RecordStream stream(seed);

        for (int i = 0; i < 2000; ++i) {
            clock.advance(stream.delay());
            if (stream.pick(50) == 0)
                editByHand(stream, clock.now(),
                           {home.dailyFile(clock.now().date), LogPaths::dailyFile(referenceLogs, clock.now().date)});
            const ActivityRecord record = stream.next();
            writer.write(record);
            reference.write(record, clock.now());
        }
        ASSERT_EQ(writer.keptRecords(), 0u);
        const auto written = filesBelow(home.logsFolder());
        EXPECT_EQ(written, filesBelow(referenceLogs));
        EXPECT_GE(written.size(), 2u);  // the stream crossed midnight
    }
}

}  // namespace
}  // namespace orv::capture
