// Prints records per second through decode + repeat test + write for a day of 1k and a day of
// 1M records, and the time to build the repeat index from a file of 1M lines.
#include "DailyLogWriter.h"
#include "FileItem.h"
#include "LogPaths.h"
#include "NotificationReceiver.h"
#include "PosixLogFileSystem.h"
#include "ProgramObjects.h"
#include "SystemClock.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace orv::capture;
using Stopwatch = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr std::size_t kBlock = 1000;

// Items as a source would hold them: every tenth notification repeats the one before it, which
// the repeat test drops after reading the first line back.
std::vector<FileItem> makeItems(std::size_t count)
{
    std::vector<FileItem> items;
    items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t n = i % 10 == 9 ? i - 1 : i;
        items.emplace_back("/home/me/Documents/project-" + std::to_string(n / 1000) + "/notes and drafts/file-" +
                           std::to_string(n) + ".txt");
    }
    return items;
}

double secondsOf(Stopwatch::duration d) { return std::chrono::duration<double>(d).count(); }

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Feeds the notifications of one day; returns the time of each block of kBlock records.
std::vector<double> runDay(_GenFuns* genFuns, const fs::path& logs, const std::vector<FileItem>& items)
{
    const SystemClock clock;
    PosixLogFileSystem files;
    DailyLogWriter writer(logs, clock, files);
    NotificationReceiver receiver(genFuns, writer);
    std::vector<double> blocks;
    auto blockStart = Stopwatch::now();
    for (std::size_t i = 0; i < items.size(); ++i) {
        receiver.receiveEvents({0x00000002, &items[i], nullptr});
        if ((i + 1) % kBlock == 0) {
            const auto now = Stopwatch::now();
            blocks.push_back(secondsOf(now - blockStart));
            blockStart = now;
        }
    }
    if (writer.keptRecords() != 0) {
        std::fprintf(stderr, "records could not be written below %s\n", logs.c_str());
        std::exit(1);
    }
    return blocks;
}

// Drops the file's pages from the cache, so that the next read comes from the disk.
void evictFromCache(const fs::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fdatasync(fd) != 0 || ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) != 0) {
        std::perror(file.c_str());
        std::exit(1);
    }
    ::close(fd);
}

// The first record of a writer started on an existing day builds the index from the file.
double firstRecordSeconds(_GenFuns* genFuns, const fs::path& logs, const FileItem& item)
{
    const SystemClock clock;
    PosixLogFileSystem files;
    DailyLogWriter writer(logs, clock, files);
    NotificationReceiver receiver(genFuns, writer);
    const auto start = Stopwatch::now();
    receiver.receiveEvents({0x00000002, &item, nullptr});
    return secondsOf(Stopwatch::now() - start);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::current_path();
    std::string pattern = (base / "capture-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path work = pattern;
    orv::lifecycle::ProgramObjects objects;
    if (!objects.genFuns()) {
        std::fprintf(stderr, "GenFuns cannot be created\n");
        return 1;
    }

    // A fresh folder for every day, and the small days run beside the big one in the same run.
    const auto smallItems = makeItems(kBlock);
    std::vector<double> smallDays;
    for (int run = 0; run < 7; ++run)
        smallDays.push_back(runDay(objects.genFuns(), work / ("small-" + std::to_string(run)), smallItems)[0]);

    constexpr std::size_t kBig = 1'000'000;
    const auto bigItems = makeItems(kBig);
    const fs::path bigLogs = work / "big";
    const auto bigStart = Stopwatch::now();
    const auto blocks = runDay(objects.genFuns(), bigLogs, bigItems);
    const double bigSeconds = secondsOf(Stopwatch::now() - bigStart);

    const double smallPerRecord = median(smallDays) / kBlock;
    const double lastPerRecord = median(std::vector<double>(blocks.end() - 11, blocks.end())) / kBlock;
    std::printf("day of 1k records:  %9.0f records/s  %6.2f us/record (median of %zu fresh days)\n",
                1 / smallPerRecord, smallPerRecord * 1e6, smallDays.size());
    std::printf("day of 1M records:  %9.0f records/s  %6.2f us/record over the whole day (%.1f s)\n",
                kBig / bigSeconds, bigSeconds / kBig * 1e6, bigSeconds);
    std::printf("  first 1k of the day %6.2f us/record, last 11k (median block) %6.2f us/record\n",
                blocks.front() / kBlock * 1e6, lastPerRecord * 1e6);
    std::printf("  cost per record at 1M / at 1k: %.2f (last blocks), %.2f (whole day)\n",
                lastPerRecord / smallPerRecord, bigSeconds / kBig / smallPerRecord);

    fs::path bigFile;
    for (const auto& entry : fs::recursive_directory_iterator(bigLogs))
        if (entry.is_regular_file() && (bigFile.empty() || entry.file_size() > fs::file_size(bigFile))) bigFile = entry.path();
    const auto lines = kBig - kBig / 10;
    const FileItem another("/home/me/another.txt");
    evictFromCache(bigFile);
    const double cold = firstRecordSeconds(objects.genFuns(), bigLogs, another);
    const double warm = firstRecordSeconds(objects.genFuns(), bigLogs, another);
    std::printf("index built from %zu lines (%.0f MiB) at start: %.3f s from disk, %.3f s from the page cache\n",
                static_cast<std::size_t>(lines), fs::file_size(bigFile) / 1048576.0, cold, warm);

    std::error_code ignored;
    fs::remove_all(work, ignored);
    return 0;
}
