// Throughput of the line search on a large daily log without a match, next to grep on the same file.
//
// Usage: bench_line_search [FOLDER [NEEDLE]]
// The 200 MB file is made once in FOLDER (default $TMPDIR, else /tmp) and kept for later runs.
// NEEDLE (UTF-8, default a record's search text) must occur in no line.
// Every figure is the best of several runs with the file in the page cache.

#include "LineSearch.h"
#include "Utf8Codec.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using orv::txtfile::LineMatch;

constexpr std::uintmax_t kFileSize = 200'000'000;
constexpr int kRuns = 5;

// A search text of the kind the log writer looks for: a record without its time. The generator
// never writes the folder "Steuer", so no line holds it.
const std::u16string kDefaultNeedle = u"File\tDeleted\t/home/ana/Documents/Steuer/\tErklärung-2030.pdf\t";

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "bench_line_search: %s\n", what.c_str());
    std::exit(1);
}

[[noreturn]] void failCall(const char* call, int error)
{
    fail(std::string(call) + ": " + std::strerror(error));
}

std::string logLine(std::mt19937& random, int second)
{
    static const char* const objects[] = {"File", "File", "File", "Folder"};
    static const char* const actions[] = {"Created", "Deleted", "Renamed", "Created", "Deleted"};
    static const char* const folders[] = {"/home/ana/Documents/", "/home/ana/Downloads/", "/home/ana/Projects/orvane/src/",
                                          "/home/ana/Pictures/2030/Sommer/", "/media/ana/USB-STICK/Backup/",
                                          "/home/ana/Документы/", "/home/ana/.cache/thumbnails/large/"};
    static const char* const stems[] = {"report", "Präsentation", "budget", "IMG_4711", "notes", "отчёт",
                                        "LineSearch", "invoice-0815", "Übersicht", "README"};
    static const char* const extensions[] = {".txt", ".pdf", ".odt", ".jpg", ".cpp", ".h", ".md", ""};
    const auto pick = [&random](const auto& list) {
        return list[std::uniform_int_distribution<std::size_t>(0, std::size(list) - 1)(random)];
    };
    char time[32];
    std::snprintf(time, sizeof time, "2031-03-14 %02d:%02d:%02d", second / 3600 % 24, second / 60 % 60, second % 60);
    const std::string action = pick(actions);
    const std::string name = std::string(pick(stems)) + "-" + std::to_string(random() % 1000) + pick(extensions);
    const std::string newName = action == "Renamed" ? std::string(pick(stems)) + pick(extensions) : "";
    return std::string(time) + "\t" + pick(objects) + "\t" + action + "\t" + pick(folders) + "\t" + name + "\t" +
           newName + "\r\n";
}

// Writes the file under a temporary name first, so that an interrupted run leaves no short file.
void makeLogFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (std::filesystem::file_size(file, error) >= kFileSize && !error) return;
    std::printf("making %s ...\n", file.c_str());
    const std::filesystem::path partial = file.string() + ".partial";
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    std::mt19937 random(2031);
    std::string chunk;
    std::uintmax_t written = 0;
    for (int second = 0; written < kFileSize; ++second) {
        chunk += logLine(random, second);
        if (chunk.size() >= (1 << 20)) {
            out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            written += chunk.size();
            chunk.clear();
        }
    }
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    out.close();
    if (!out) fail("cannot write " + partial.string());
    std::filesystem::rename(partial, file);
}

double bestSeconds(const std::function<void()>& run)
{
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// Runs grep with its output thrown away; grep -c without a match prints 0 and exits with 1.
void runGrep(const std::vector<std::string>& arguments)
{
    posix_spawn_file_actions_t actions;
    if (int e = posix_spawn_file_actions_init(&actions)) failCall("posix_spawn_file_actions_init", e);
    if (int e = posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0))
        failCall("posix_spawn_file_actions_addopen", e);
    std::vector<char*> argv;
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid;
    const int spawned = posix_spawnp(&pid, "grep", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) failCall("posix_spawnp grep", spawned);
    int status;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) failCall("waitpid", errno);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 1) fail("grep found the needle or failed");
}

long peakRssKiB()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) failCall("getrusage", errno);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path folder = argc > 1 ? argv[1] : tmp && *tmp ? tmp : "/tmp";
    const std::filesystem::path file = folder / "orv-bench-line-search.log";
    makeLogFile(file);
    const double megabytes = static_cast<double>(std::filesystem::file_size(file)) / 1e6;

    // grep does the same job in the same character set.
    if (setenv("LC_ALL", "C.UTF-8", 1) != 0) failCall("setenv", errno);
    const std::u16string needle = argc > 2 ? orv::text::decodeBytes(argv[2]) : kDefaultNeedle;
    const std::string needleBytes = orv::text::encodeText(needle);
    runGrep({"grep", "-F", "-c", needleBytes, file.string()});  // brings the file into the page cache

    const long rssBefore = peakRssKiB();
    std::printf("file %.0f MB, needle \"%s\" (no line holds it), best of %d runs\n", megabytes, needleBytes.c_str(),
                kRuns);
    std::printf("%-22s %10s %10s %8s\n", "mode", "ours MB/s", "grep MB/s", "ratio");
    const struct {
        const char* name;
        LineMatch how;
        const char* grepFlags;
    } modes[] = {{"Contains", LineMatch::Contains, "-Fc"}, {"ContainsIgnoringCase", LineMatch::ContainsIgnoringCase, "-Fic"}};
    for (const auto& mode : modes) {
        const double ours = bestSeconds([&] {
            if (orv::txtfile::findFirstLine(file.string(), needle, mode.how)) fail("the search found the needle");
        });
        const double grep = bestSeconds([&] { runGrep({"grep", mode.grepFlags, needleBytes, file.string()}); });
        std::printf("%-22s %10.0f %10.0f %8.2f\n", mode.name, megabytes / ours, megabytes / grep, grep / ours);
    }
    std::printf("peak RSS: %ld KiB before searching, %ld KiB after (the file is %.0f MB)\n", rssBefore, peakRssKiB(),
                megabytes);
    return 0;
}
