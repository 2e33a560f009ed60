#include "SingleInstanceLock.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using orv::lifecycle::SingleInstanceLock;

TEST(SingleInstanceLock, OneHolderAtATimeAndALockOfADeadProcessIsTakenOver)
{
    orv::test::ScratchDir runtime;
    const QString folder = QString::fromStdString(runtime.path().string());

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstanceLock lock(folder);
        _exit(lock.acquire() ? 0 : 1);  // leaves its lock file behind, as a crash would
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(std::filesystem::exists(runtime / "orv.lock"));

    SingleInstanceLock first(folder);
    EXPECT_TRUE(first.acquire());
    SingleInstanceLock second(folder);
    EXPECT_FALSE(second.acquire());
    first.release();
    EXPECT_TRUE(second.acquire());
}

}  // namespace
