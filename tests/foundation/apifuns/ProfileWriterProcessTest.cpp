#include "IniCalls.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using orv::test::IniCalls;
using orv::test::ScratchDir;

// Starts profile_writer with its standard output on `output` (a pipe's end), or on /dev/null.
pid_t startWriter(const std::vector<std::string>& arguments, int output = -1)
{
    std::vector<std::string> all{ORV_PROFILE_WRITER};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    EXPECT_EQ(posix_spawn_file_actions_init(&actions), 0);
    if (output >= 0)
        EXPECT_EQ(posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO), 0);
    else
        EXPECT_EQ(posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0), 0);
    pid_t child = -1;
    EXPECT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

int waitForExit(pid_t child)
{
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    return status;
}

// The values of k0 .. k<keys-1> (0 for a key not there yet) when `text` is exactly `preamble`
// followed by section [Keys] with entries k0, k1, ... in that order; nothing for any other text.
std::optional<std::vector<long>> keysIn(const std::string& text, const std::string& preamble, int keys)
{
    std::vector<long> values(keys, 0);
    if (text == preamble) return values;
    const std::string header = preamble + "[Keys]\r\n";
    if (!text.starts_with(header)) return std::nullopt;
    std::size_t at = header.size();
    for (int key = 0; key < keys && at < text.size(); ++key) {
        const std::string name = "k" + std::to_string(key) + "=";
        const std::size_t end = text.find("\r\n", at);
        if (text.compare(at, name.size(), name) != 0 || end == std::string::npos) return std::nullopt;
        const std::string number = text.substr(at + name.size(), end - at - name.size());
        if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
        values[key] = std::stol(number);
        at = end + 2;
    }
    if (at != text.size()) return std::nullopt;
    return values;
}

TEST(ProfileWriterProcesses, AWriterKilledAtAnyMomentLeavesEachKeyWithItsOldOrItsNewValue)
{
    ScratchDir dir;
    // A long line makes each write take a while, so that kills land inside writes too.
    const std::string preamble = "; kept as it is\r\n[Other]\r\nfiller=" + std::string(64 * 1024, 'x') + "\r\n";
    const std::string file = dir.write("crash.ini", preamble);
    constexpr int kKeys = 6;
    const IniCalls calls;
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> writesBeforeKill(1, 3 * kKeys);

    std::vector<long> before(kKeys, 0);
    for (int kill = 0; kill < 25; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        int progress[2];
        ASSERT_EQ(pipe2(progress, O_CLOEXEC), 0);
        // The round the last writer was in, again: a key it had not reached yet gets its value now.
        const long nextRound = std::max(*std::max_element(before.begin(), before.end()), 1L);
        const pid_t child = startWriter({file, "k", std::to_string(kKeys), std::to_string(nextRound), "0"}, progress[1]);
        ASSERT_GT(child, 0);
        close(progress[1]);
        // The writer announces each write before it starts it; it is killed right after one announcement.
        for (int seen = writesBeforeKill(random); seen > 0; --seen) {
            char dot;
            ASSERT_EQ(read(progress[0], &dot, 1), 1);
        }
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        const int status = waitForExit(child);
        close(progress[0]);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        const std::optional<std::vector<long>> after = keysIn(ScratchDir::read(file), preamble, kKeys);
        ASSERT_TRUE(after) << "torn file:\n" << ScratchDir::read(file).substr(preamble.size());
        // Keys are written in order, one round after the other: a prefix holds the new round, the
        // rest the one before, and nothing goes back.
        EXPECT_TRUE(std::is_sorted(after->rbegin(), after->rend()));
        EXPECT_LE(after->front() - after->back(), 1);
        for (int key = 0; key < kKeys; ++key) {
            EXPECT_GE((*after)[key], before[key]);
            const long value = (*after)[key];
            EXPECT_EQ(calls.read(file, "Keys", "k" + std::to_string(key)), value ? std::to_string(value) : "");
        }
        before = *after;
    }
}

TEST(ProfileWriterProcesses, TwoWritersOfOneFileEachKeepTheirKeys)
{
    ScratchDir dir;
    const std::string file = dir / "shared.ini";
    constexpr int kKeys = 120;
    // One round: every write adds an entry, so a write that got lost leaves a key missing.
    const pid_t first = startWriter({file, "a", std::to_string(kKeys), "1", "1"});
    const pid_t second = startWriter({file, "b", std::to_string(kKeys), "1", "1"});
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(waitForExit(first), 0);
    EXPECT_EQ(waitForExit(second), 0);

    const IniCalls calls;
    int missing = 0;
    for (int key = 0; key < kKeys; ++key)
        for (const char* prefix : {"a", "b"})
            if (calls.read(file, "Keys", prefix + std::to_string(key)) != "1") ++missing;
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1)
        << "temporary files left behind";
}

}  // namespace
