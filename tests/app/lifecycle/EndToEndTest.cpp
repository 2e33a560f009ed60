// The real orv program, started as a user starts it, with its own home and data folders.
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

class OrvProcess {
public:
    OrvProcess(const std::filesystem::path& home, const std::filesystem::path& watched)
    {
        std::vector<std::string> env = {"HOME=" + home.string(), "XDG_DATA_HOME=" + (home / "data").string(),
                                        "XDG_RUNTIME_DIR=" + (home / "run").string(),
                                        "XDG_CACHE_HOME=" + (home / "cache").string(), "QT_QPA_PLATFORM=offscreen",
                                        "ASAN_OPTIONS=detect_leaks=0", "PATH=/usr/bin:/bin"};
        std::vector<char*> envp;
        for (auto& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string program = ORV_BINARY;
        std::string option = "--watch";
        std::string folder = watched.string();
        char* argv[] = {program.data(), option.data(), folder.data(), nullptr};
        EXPECT_EQ(posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, envp.data()), 0);
    }
    ~OrvProcess()
    {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    // The exit status once the process has ended within the deadline, or -1.
    int waitForExit(std::chrono::seconds deadline)
    {
        const auto end = Clock::now() + deadline;
        int status = 0;
        while (Clock::now() < end) {
            const pid_t done = waitpid(pid_, &status, WNOHANG);
            if (done == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
    void signal(int number) { kill(pid_, number); }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
};

std::set<std::string> recordsIn(const std::filesystem::path& logsFolder)
{
    std::set<std::string> records;
    if (!std::filesystem::exists(logsFolder)) return records;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(logsFolder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line.back() != '\r') continue;  // only whole lines count
            line.pop_back();
            records.insert(line.substr(line.find('\t') + 1));  // the fields after the time
        }
    }
    return records;
}

// Waits, with a deadline, until the log holds every expected record.
std::set<std::string> waitForRecords(const std::filesystem::path& logsFolder, const std::set<std::string>& expected)
{
    const auto end = Clock::now() + std::chrono::seconds(20);
    std::set<std::string> found;
    while (Clock::now() < end) {
        found = recordsIn(logsFolder);
        bool all = true;
        for (const auto& e : expected) all = all && found.count(e);
        if (all) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return found;
}

TEST(EndToEnd, OrvaneRecordsWhatHappensAndEndsCleanly)
{
    orv::test::ScratchDir home;
    std::filesystem::create_directories(home / "run");
    std::filesystem::permissions(home / "run", std::filesystem::perms::owner_all);
    const auto watched = home / "watched";
    std::filesystem::create_directories(watched);
    const auto logs = home / "data/VLM/ORV/logs";
    const std::string w = watched.string() + "/";

    OrvProcess orvane(home.path(), watched);
    // Recording has begun once a probe file shows in the log; probes made before the watch
    // existed never do.
    bool recording = false;
    for (int probe = 0; probe < 100 && !recording; ++probe) {
        const std::string name = "probe-" + std::to_string(probe) + ".txt";
        home.write("watched/" + name, "");
        const std::string record = "File\tCreated\t" + w + "\t" + name + "\t";
        const auto end = Clock::now() + std::chrono::milliseconds(500);
        while (!recording && Clock::now() < end) {
            recording = recordsIn(logs).count(record) == 1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ASSERT_TRUE(recording);
    EXPECT_NE(orv::test::ScratchDir::read(home / "data/VLM/ORV/configuration.ini").find("Sequence="), std::string::npos);

    home.write("watched/a.txt", "alpha");
    std::filesystem::rename(watched / "a.txt", watched / "b.txt");
    std::filesystem::create_directory(watched / "folder");
    // At a person's pace: each step once Orvane has seen the one before.
    const std::string folderCreated = "Folder\tCreated\t" + w + "\tfolder\t";
    waitForRecords(logs, {folderCreated});
    std::filesystem::rename(watched / "b.txt", watched / "folder/b.txt");
    const std::string moved = "File\tRenamed\t" + w + "\tb.txt\t" + w + "folder/b.txt";
    waitForRecords(logs, {moved});
    std::filesystem::remove(watched / "folder/b.txt");
    std::filesystem::remove(watched / "folder");

    const std::set<std::string> expected = {
        "File\tCreated\t" + w + "\ta.txt\t",
        "File\tRenamed\t" + w + "\ta.txt\tb.txt",
        folderCreated,
        moved,
        "File\tDeleted\t" + w + "folder/\tb.txt\t",
        "Folder\tDeleted\t" + w + "\tfolder\t",
    };
    auto found = waitForRecords(logs, expected);
    std::erase_if(found, [](const std::string& r) { return r.find("\tprobe-") != std::string::npos; });
    EXPECT_EQ(found, expected);

    // A second start ends at once, and the first goes on recording.
    OrvProcess second(home.path(), watched);
    EXPECT_EQ(second.waitForExit(std::chrono::seconds(20)), 0);
    home.write("watched/after.txt", "");
    EXPECT_EQ(waitForRecords(logs, {"File\tCreated\t" + w + "\tafter.txt\t"}).count("File\tCreated\t" + w + "\tafter.txt\t"), 1u);

    orvane.signal(SIGTERM);
    EXPECT_EQ(orvane.waitForExit(std::chrono::seconds(20)), 0);
    EXPECT_FALSE(std::filesystem::exists(home / "run/orv.lock"));
}

}  // namespace
