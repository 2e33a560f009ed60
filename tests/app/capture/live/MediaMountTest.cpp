#include "CapturePrinters.h"
#include "LiveCapture.h"
#include "LiveTestFiles.h"
#include "ScratchDir.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <unistd.h>

namespace orv::capture::live::test {
namespace {

namespace fs = std::filesystem;

// Unmounts what it mounted, however the test ends.
class TmpfsMount {
public:
    explicit TmpfsMount(const fs::path& at) : at_(at)
    {
        mounted_ = ::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=1m") == 0;
        error_ = mounted_ ? 0 : errno;
    }
    ~TmpfsMount() { unmount(); }
    bool mounted() const { return mounted_; }
    int error() const { return error_; }
    bool unmount()
    {
        if (mounted_ && ::umount2(at_.c_str(), MNT_DETACH) == 0) mounted_ = false;
        return !mounted_;
    }

private:
    fs::path at_;
    bool mounted_ = false;
    int error_ = 0;
};

TEST(MediaMount, TmpfsBelowAMediaFolderIsInsertedWatchedAndRemoved)
{
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root; this test runs as uid " << ::geteuid();
    orv::test::ScratchDir scratch;
    fs::create_directories(scratch / "media" / "USB");
    fs::create_directories(scratch / "home");
    LiveCapture capture({{(scratch / "home").string()}, {}, {}, std::vector<std::string>{(scratch / "media").string()}});
    ASSERT_TRUE(capture.load());
    const auto watchesBefore = capture.folders().statistics().watches;

    TmpfsMount medium(scratch / "media" / "USB");
    ASSERT_TRUE(medium.mounted()) << "mount: " << std::strerror(medium.error());
    const ActivityRecord inserted{"Storage Media", "Inserted", (scratch / "media" / "USB").string() + "/", "USB", ""};
    ASSERT_TRUE(QTest::qWaitFor([&] { return capture.records().size() == 1; }, 30000));
    EXPECT_EQ(capture.records().front(), inserted);

    // Watched like a root from now on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return capture.folders().statistics().watches > watchesBefore; }, 30000));
    EXPECT_EQ(capture.takeUntilMarker(scratch / "media" / "USB"), std::vector<ActivityRecord>{inserted});

    ASSERT_TRUE(medium.unmount()) << "umount2: " << std::strerror(errno);
    const ActivityRecord removed{"Storage Media", "Removed", (scratch / "media" / "USB").string() + "/", "USB", ""};
    ASSERT_TRUE(QTest::qWaitFor([&] { return !capture.records().empty(); }, 30000));
    EXPECT_EQ(capture.records(), std::vector<ActivityRecord>{removed});
}

}  // namespace
}  // namespace orv::capture::live::test
