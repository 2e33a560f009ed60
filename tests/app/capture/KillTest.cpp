#include "LogLine.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <system_error>
#include <algorithm>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orv::capture {
namespace {

namespace fs = std::filesystem;

struct Child {
    pid_t pid;
    int output;  // reads the child's acknowledgements
};

Child startWriter(const fs::path& logs, int run)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category(), "pipe2");
    posix_spawn_file_actions_t actions;
    if (const int error = posix_spawn_file_actions_init(&actions))
        throw std::system_error(error, std::generic_category(), "posix_spawn_file_actions_init");
    if (const int error = posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO))
        throw std::system_error(error, std::generic_category(), "posix_spawn_file_actions_adddup2");
    std::string program = ORV_LOG_WRITER_CHILD;
    std::string folder = logs.string();
    std::string runText = std::to_string(run);
    char* argv[] = {program.data(), folder.data(), runText.data(), nullptr};
    pid_t pid = 0;
    const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    if (error != 0) throw std::system_error(error, std::generic_category(), "posix_spawn");
    return {pid, pipe[0]};
}

// Reads acknowledgements until `wanted` have come; false when the child ended first.
bool awaitAcknowledgements(int output, int wanted)
{
    char buffer[4096];
    while (wanted > 0) {
        const ssize_t n = ::read(output, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        wanted -= static_cast<int>(std::count(buffer, buffer + n, '\n'));
    }
    return true;
}

// A writer killed with SIGKILL at random moments leaves only whole lines, and every record it
// acknowledged is in the file, in order.
TEST(KillTest, EveryLineIsWholeAfterSigkill)
{
    orv::test::ScratchDir scratch;
    const fs::path logs = scratch.path() / "logs";
    std::mt19937 random(20190705);
    std::map<int, int> acknowledged;
    constexpr int kRuns = 12;
    for (int run = 0; run < kRuns; ++run) {
        const Child child = startWriter(logs, run);
        const int wanted = std::uniform_int_distribution<int>(0, 400)(random);
        const bool alive = awaitAcknowledgements(child.output, wanted);
        ASSERT_EQ(::kill(child.pid, SIGKILL), 0) << std::strerror(errno);
        int status = 0;
        ASSERT_EQ(::waitpid(child.pid, &status, 0), child.pid) << std::strerror(errno);
        ::close(child.output);
        ASSERT_TRUE(alive) << "the writer ended by itself in run " << run;
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        acknowledged[run] = wanted;
    }

    std::map<int, int> stored;  // run: records found, which must be numbered 0, 1, 2...
    for (const auto& entry : fs::recursive_directory_iterator(logs)) {
        if (!entry.is_regular_file()) continue;
        std::string rest = orv::test::ScratchDir::read(entry.path());
        SCOPED_TRACE(entry.path().string());
        EXPECT_TRUE(rest.empty() || rest.ends_with("\r\n"));
        for (auto end = rest.find("\r\n"); end != std::string::npos; end = rest.find("\r\n")) {
            const std::string line = rest.substr(0, end);
            rest.erase(0, end + 2);
            const auto parsed = LogLine::parse(line);
            ASSERT_TRUE(parsed) << line;
            ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
            const auto& record = parsed->record;
            ASSERT_TRUE(record.path.starts_with("/kill/run")) << line;
            const int run = std::stoi(record.path.substr(9));
            const std::string number = std::to_string(stored[run]++);
            ASSERT_EQ(record.originalName, "name\t" + number + "\\\xff.txt") << line;
        }
        EXPECT_EQ(rest, "");
    }
    for (int run = 0; run < kRuns; ++run) EXPECT_GE(stored[run], acknowledged[run]) << "run " << run;
}

}  // namespace
}  // namespace orv::capture
