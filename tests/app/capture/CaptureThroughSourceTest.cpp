#include "CapturePrinters.h"
#include "DailyLogWriter.h"
#include "FakeClock.h"
#include "InMemoryNotificationSource.h"
#include "LogLine.h"
#include "NotificationReceiver.h"
#include "PosixLogFileSystem.h"
#include "ProgramObjects.h"
#include "ScratchDataHome.h"

#include <gtest/gtest.h>

namespace orv::capture {
namespace {

using namespace std::chrono_literals;

// Notifications from a source, decoded, tested for repeats and stored in a real file, come back
// from the file as the records they were, whatever bytes their names hold.
TEST(CaptureThroughSource, NotificationsComeBackFromTheDayFile)
{
    test::ScratchDataHome home;
    test::FakeClock clock({{2019, 7, 5}, 14, 3, 22});
    PosixLogFileSystem files;
    DailyLogWriter writer(home.logsFolder(), clock, files);
    lifecycle::ProgramObjects objects;
    ASSERT_NE(objects.genFuns(), nullptr);
    NotificationReceiver receiver(objects.genFuns(), writer);
    test::InMemoryNotificationSource source(receiver);

    source.post(0x2, "/home/me/report.txt")
        .post(0x2, "/home/me/REPORT.txt")  // a repeat, 1 s later
        .post(0x1, "/home/me/a.txt", "/home/me/b.txt")
        .post(0x8, "/home/me/tab\there")
        .post(0x2, "/home/me/line\nbreak\\and\rreturn")
        .post(0x4, "/home/me/\xff\xfe not UTF-8")
        .post(0x1000, "/home/me")  // no record
        .postMount(0x20, "/media/me/USB", "PHOTOS")
        .post(0x80000002, "/home/me/other.txt");  // no record
    std::vector<ActivityRecord> expected = {
        {"File", "Created", "/home/me/", "report.txt", ""},
        {"File", "Renamed", "/home/me/", "a.txt", "b.txt"},
        {"Folder", "Created", "/home/me/", "tab\there", ""},
        {"File", "Created", "/home/me/", "line\nbreak\\and\rreturn", ""},
        {"File", "Deleted", "/home/me/", "\xff\xfe not UTF-8", ""},
        {"Storage Media", "Inserted", "/media/me/USB/", "PHOTOS", ""},
    };
    while (source.deliverOne()) clock.advance(1s);

    std::vector<ActivityRecord> read;
    std::string rest = home.dailyBytes({2019, 7, 5});
    for (auto end = rest.find("\r\n"); end != std::string::npos; end = rest.find("\r\n")) {
        const auto entry = LogLine::parse(rest.substr(0, end));
        ASSERT_TRUE(entry) << rest.substr(0, end);
        read.push_back(entry->record);
        rest.erase(0, end + 2);
    }
    EXPECT_EQ(rest, "");
    EXPECT_EQ(read, expected);
}

}  // namespace
}  // namespace orv::capture
