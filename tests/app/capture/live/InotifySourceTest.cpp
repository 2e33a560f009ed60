#include "CapturePrinters.h"
#include "ControlledInotify.h"
#include "LiveCapture.h"
#include "LiveTestFiles.h"
#include "LogLine.h"
#include "ScratchDir.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

namespace orv::capture::live::test {
namespace {

namespace fs = std::filesystem;
using Records = std::vector<ActivityRecord>;

class FolderCapture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(capture.load()); }

    orv::test::ScratchDir root;
    orv::test::ScratchDir outside;
    LiveCapture capture{{{root.path().string()}, {}, {}, {}}};
};

TEST_F(FolderCapture, CreatesAndDeletesReachTheDayLog)
{
    touch(root / "report.txt");
    fs::create_directory(root / "Reports");
    fs::remove(root / "report.txt");
    fs::remove(root / "Reports");

    const Records expected = {
        recordOf("File", "Created", root.path(), "report.txt"),
        recordOf("Folder", "Created", root.path(), "Reports"),
        recordOf("File", "Deleted", root.path(), "report.txt"),
        recordOf("Folder", "Deleted", root.path(), "Reports"),
    };
    EXPECT_EQ(capture.takeUntilMarker(root.path()), expected);

    // Through the hook, the receiver and the writer into the day's file.
    std::string log = capture.dailyLog();
    Records stored;
    for (auto end = log.find("\r\n"); end != std::string::npos; end = log.find("\r\n")) {
        stored.push_back(LogLine::parse(log.substr(0, end))->record);
        log.erase(0, end + 2);
    }
    ASSERT_EQ(stored.size(), expected.size() + 1);  // and the marker
    EXPECT_EQ(Records(stored.begin(), stored.end() - 1), expected);
}

TEST_F(FolderCapture, RenamesAndMovesInsideTheTree)
{
    fs::create_directories(root / "a" / "sub");
    fs::create_directory(root / "b");
    touch(root / "a" / "x.txt");
    capture.takeUntilMarker(root.path());

    fs::rename(root / "a" / "x.txt", root / "a" / "y.txt");  // in one folder
    fs::rename(root / "a" / "y.txt", root / "b" / "y.txt");  // to another folder, same name
    fs::rename(root / "a" / "sub", root / "a" / "Sub");      // a folder, only the case changes
    fs::rename(root / "a" / "Sub", root / "b" / "Sub");
    touch(root / "b" / "Sub" / "inside.txt");  // the moved folder is watched where it is now

    EXPECT_EQ(capture.takeUntilMarker(root.path()),
              (Records{
                  recordOf("File", "Renamed", root / "a", "x.txt", "y.txt"),
                  recordOf("File", "Renamed", root / "a", "y.txt", (root / "b" / "y.txt").string()),
                  recordOf("Folder", "Renamed", root / "a", "sub", "Sub"),
                  recordOf("Folder", "Renamed", root / "a", "Sub", (root / "b" / "Sub").string()),
                  recordOf("File", "Created", root / "b" / "Sub", "inside.txt"),
              }));
}

TEST_F(FolderCapture, RenamedFolderIsWatchedWithEverythingBelowIt)
{
    fs::create_directories(root / "x" / "y" / "z");
    capture.takeUntilMarker(root.path());

    fs::rename(root / "x", root / "renamed");
    touch(root / "renamed" / "y" / "new.txt");
    touch(root / "renamed" / "y" / "z" / "deeper.txt");

    EXPECT_EQ(capture.takeUntilMarker(root.path()),
              (Records{
                  recordOf("Folder", "Renamed", root.path(), "x", "renamed"),
                  recordOf("File", "Created", root / "renamed" / "y", "new.txt"),
                  recordOf("File", "Created", root / "renamed" / "y" / "z", "deeper.txt"),
              }));
}

TEST_F(FolderCapture, MovesOutAreDeletesAndMovesInAreCreates)
{
    touch(root / "leaving.txt");
    fs::create_directories(root / "leaving" / "below");
    touch(outside / "arriving.txt");
    fs::create_directories(outside / "arriving" / "below");
    touch(outside / "arriving" / "below" / "was-there.txt");
    capture.takeUntilMarker(root.path());

    fs::rename(root / "leaving.txt", outside / "leaving.txt");
    fs::rename(root / "leaving", outside / "leaving");
    fs::rename(outside / "arriving.txt", root / "arriving.txt");
    fs::rename(outside / "arriving", root / "arriving");
    // What came in with the folder is not new.
    EXPECT_EQ(capture.takeUntilMarker(root.path()),
              (Records{
                  recordOf("File", "Deleted", root.path(), "leaving.txt"),
                  recordOf("Folder", "Deleted", root.path(), "leaving"),
                  recordOf("File", "Created", root.path(), "arriving.txt"),
                  recordOf("Folder", "Created", root.path(), "arriving"),
              }));

    // A folder that left is no longer watched; one that came is, with what is below it.
    touch(outside / "leaving" / "below" / "unseen.txt");
    touch(root / "arriving" / "below" / "seen.txt");
    EXPECT_EQ(capture.takeUntilMarker(root.path()),
              (Records{recordOf("File", "Created", root / "arriving" / "below", "seen.txt")}));
}

TEST_F(FolderCapture, NewFoldersAreListedAndEachItemReportedOnce)
{
    // Made faster than a watch can follow: most of it exists before its folder's watch does.
    fs::create_directories(root / "a" / "b" / "c" / "d");
    touch(root / "a" / "b" / "c" / "d" / "bottom.txt");
    EXPECT_EQ(capture.takeUntilMarker(root.path()),
              (Records{
                  recordOf("Folder", "Created", root.path(), "a"),
                  recordOf("Folder", "Created", root / "a", "b"),
                  recordOf("Folder", "Created", root / "a" / "b", "c"),
                  recordOf("Folder", "Created", root / "a" / "b" / "c", "d"),
                  recordOf("File", "Created", root / "a" / "b" / "c" / "d", "bottom.txt"),
              }));

    // A copied tree: the order among siblings is the file system's.
    Records expected;
    for (const std::string folder : {"one", "two", "three"}) {
        fs::create_directories(outside / "tree" / folder);
        expected.push_back(recordOf("Folder", "Created", root / "copy", folder));
        for (int i = 0; i < 20; ++i) {
            touch(outside / "tree" / folder / ("file-" + std::to_string(i)));
            expected.push_back(recordOf("File", "Created", root / "copy" / folder, "file-" + std::to_string(i)));
        }
    }
    expected.push_back(recordOf("Folder", "Created", root.path(), "copy"));
    fs::copy(outside / "tree", root / "copy", fs::copy_options::recursive);
    Records copied = capture.takeUntilMarker(root.path());
    std::sort(copied.begin(), copied.end(), [](const auto& l, const auto& r) { return l.fields() < r.fields(); });
    std::sort(expected.begin(), expected.end(), [](const auto& l, const auto& r) { return l.fields() < r.fields(); });
    EXPECT_EQ(copied, expected);
}

TEST_F(FolderCapture, HiddenAndExcludedFoldersAreNotWatchedBelowARoot)
{
    fs::create_directories(root / ".hidden");
    fs::create_directories(root / "visible");
    capture.takeUntilMarker(root.path());

    touch(root / ".hidden" / "unseen.txt");
    touch(root / "visible" / ".dotfile");  // hidden files are not left out
    EXPECT_EQ(capture.takeUntilMarker(root.path()),
              (Records{recordOf("File", "Created", root / "visible", ".dotfile")}));
}

TEST(FolderCaptureRules, ExcludedFoldersAndHiddenRoots)
{
    orv::test::ScratchDir scratch;
    fs::create_directories(scratch / ".root" / "data");
    LiveCapture capture({{(scratch / ".root").string()}, {(scratch / ".root" / "data").string()}, {}, {}});
    ASSERT_TRUE(capture.load());

    touch(scratch / ".root" / "data" / "own-write.log");
    touch(scratch / ".root" / "seen.txt");
    EXPECT_EQ(capture.takeUntilMarker(scratch / ".root"),
              (Records{recordOf("File", "Created", scratch / ".root", "seen.txt")}));
}

std::size_t kernelQueueLength()
{
    std::ifstream in("/proc/sys/fs/inotify/max_queued_events");
    std::size_t length = 0;
    in >> length;
    return length;
}

TEST(FolderCaptureOverflow, LostQueueIsRepairedFromTheFolders)
{
    const std::size_t queue = kernelQueueLength();
    ASSERT_GT(queue, 0u);
    if (queue > 200000) GTEST_SKIP() << "the kernel's inotify queue holds " << queue << " events, too many to fill";

    orv::test::ScratchDir root;
    fs::create_directory(root / "full");
    touch(root / "doomed.txt");
    ControlledInotify* kernel = nullptr;
    LiveCapture capture({{root.path().string()}, {}, [&] {
                             auto made = std::make_unique<ControlledInotify>();
                             kernel = made.get();
                             return made;
                         }, {}});
    ASSERT_TRUE(capture.load());

    kernel->pause();
    const std::size_t count = queue + 1000;
    Records expected{recordOf("File", "Deleted", root.path(), "doomed.txt")};
    fs::remove(root / "doomed.txt");
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = "f" + std::to_string(i);
        touch(root / "full" / name);
        expected.push_back(recordOf("File", "Created", root / "full", name));
    }
    kernel->resume();

    ASSERT_TRUE(capture.waitForRecords(expected.size()));
    Records seen = capture.takeUntilMarker(root.path());
    EXPECT_GE(capture.folders().statistics().overflows, 1u);
    std::sort(seen.begin(), seen.end(), [](const auto& l, const auto& r) { return l.fields() < r.fields(); });
    std::sort(expected.begin(), expected.end(), [](const auto& l, const auto& r) { return l.fields() < r.fields(); });
    EXPECT_EQ(seen.size(), expected.size());
    EXPECT_TRUE(seen == expected);
}

TEST(FolderCaptureWatchLimit, ToldOnceWithTheFoldersLeftAndTheCommand)
{
    orv::test::ScratchDir root;
    for (const char* folder : {"a", "b", "c", "d"}) fs::create_directory(root / folder);
    LiveCapture capture({{root.path().string()}, {}, [] { return std::make_unique<ControlledInotify>(3); }, {}});
    ASSERT_TRUE(capture.load());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !capture.boxes.shown.empty(); }, 30000));

    const QString text = capture.boxes.shown.front().text;
    int unwatched = 0;
    for (const char* folder : {"a", "b", "c", "d"})
        if (text.contains(QString::fromStdString((root / folder).string()) + '\n')) ++unwatched;
    EXPECT_EQ(unwatched, 2) << text.toStdString();  // the root and two folders take the three watches
    EXPECT_TRUE(text.contains("sudo sysctl")) << text.toStdString();
    EXPECT_TRUE(text.contains("fs.inotify.max_user_watches=524288")) << text.toStdString();

    // Orvane goes on with what it watches, and does not tell again.
    fs::create_directory(root / "e");
    touch(root / "e" / "f.txt");
    EXPECT_EQ(capture.takeUntilMarker(root.path()), (Records{recordOf("Folder", "Created", root.path(), "e")}));
    EXPECT_EQ(capture.boxes.shown.size(), 1u);
}

TEST(FolderCaptureRoots, RootThatCannotBeWatchedIsTold)
{
    orv::test::ScratchDir scratch;
    const auto missing = (scratch / "missing").string();
    LiveCapture capture({{missing}, {}, {}, {}});
    ASSERT_TRUE(capture.load());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !capture.boxes.shown.empty(); }, 30000));
    const auto text = capture.boxes.shown.front().text.toStdString();
    EXPECT_NE(text.find(missing + " (inotify_add_watch: No such file or directory)"), std::string::npos) << text;
}

}  // namespace
}  // namespace orv::capture::live::test
