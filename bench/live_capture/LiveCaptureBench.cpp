// Prints, for bursts of file operations under a watched tree, the generator's rate alone, with
// Orvane capturing into its log and with inotifywait; the records against the operations made,
// kernel overflows and the time from the burst's end to the last record. Then watches set up per
// second and memory per watched folder on 20,000 folders, and wake-ups per minute when idle.
#include "DailyLogWriter.h"
#include "HiddenWindow.h"
#include "InotifySource.h"
#include "LogPaths.h"
#include "MessageBoxes.h"
#include "NotificationReceiver.h"
#include "PosixLogFileSystem.h"
#include "ProgramObjects.h"
#include "SystemClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace orv::capture;
using namespace orv::capture::live;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFolders = 100;  // the burst's files are spread over this many folders
constexpr auto kQuiet = std::chrono::seconds(5);  // no record for this long: the log is complete

// "c12": the name of the 12th file created. Built by appending, which GCC 12 does not mistake
// for an overlapping copy as it does `"c" + std::to_string(12)`.
std::string numbered(char prefix, std::size_t number)
{
    std::string name(1, prefix);
    name += std::to_string(number);
    return name;
}

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

[[noreturn]] void fail(const std::string& what)
{
    std::perror(what.c_str());
    std::exit(1);
}

fs::path freshFolder(const fs::path& base, const char* name)
{
    std::string pattern = (base / (std::string(name) + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) fail("mkdtemp " + pattern);
    return pattern;
}

// A disk run after another one would meet freed inodes; start each from a clean cache.
void settleDisk()
{
    ::sync();
    if (::geteuid() != 0) return;
    std::ofstream("/proc/sys/vm/drop_caches") << "3\n";
}

struct Burst {
    std::size_t files;
    bool foldersDuring;
    std::size_t folders() const { return foldersDuring ? (files + kFolders - 1) / kFolders : 0; }
    std::size_t records() const { return 3 * files + folders(); }        // created, renamed, deleted
    std::size_t kernelEvents() const { return 4 * files + folders(); }  // the rename is two
};

void prepare(const fs::path& tree, const Burst& burst)
{
    if (!burst.foldersDuring)
        for (int i = 0; i < kFolders; ++i) fs::create_directory(tree / numbered('f', i));
}

// Each file is created, renamed and deleted; returns the seconds taken.
double generate(const fs::path& tree, const Burst& burst)
{
    const auto start = Clock::now();
    for (std::size_t i = 0; i < burst.files; ++i) {
        fs::path folder;
        if (burst.foldersDuring) {
            folder = tree / numbered('d', i / kFolders);
            if (i % kFolders == 0 && ::mkdir(folder.c_str(), 0755) != 0) fail("mkdir");
        } else {
            folder = tree / numbered('f', i % kFolders);
        }
        const std::string created = (folder / numbered('c', i)).string();
        const std::string renamed = (folder / numbered('r', i)).string();
        const int fd = ::open(created.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0) fail("open " + created);
        ::close(fd);
        if (::rename(created.c_str(), renamed.c_str()) != 0) fail("rename");
        if (::unlink(renamed.c_str()) != 0) fail("unlink");
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class PrintedMessageBoxes final : public orv::lifecycle::MessageBoxes {
public:
    orv::lifecycle::MessageAnswer show(const orv::lifecycle::MessageRequest& request) override
    {
        std::fprintf(stderr, "message: %s\n", request.text.toLocal8Bit().constData());
        return orv::lifecycle::MessageAnswer::Ok;
    }
};

// Orvane's capture of one tree into a log below dataHome, as the program puts it together.
class Capture {
public:
    Capture(const fs::path& tree, const fs::path& dataHome)
        : writer_(dataHome / "VLM" / "ORV" / "logs", clock_, files_),
          receiver_(objects_.genFuns(), writer_),
          window_(receiver_, boxes_, [this, tree](NotificationPoster& poster) {
              std::vector<std::unique_ptr<NotificationSource>> sources;
              auto source = std::make_unique<InotifySource>(std::vector<std::string>{tree.string()},
                                                            WatchRules({}), poster);
              source_ = source.get();
              sources.push_back(std::move(source));
              return sources;
          })
    {
        QObject::connect(&writer_, &DailyLogWriter::recordStored, [this] {
            ++stored_;
            lastStored_ = Clock::now();
        });
    }

    // Seconds until the tree is watched.
    double load()
    {
        const auto start = Clock::now();
        window_.load();
        while (!source_->isWatching()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return secondsSince(start);
    }
    void unload() { window_.unload(); }

    std::size_t stored() const { return stored_; }
    Clock::time_point lastStored() const { return lastStored_; }
    InotifySource& source() { return *source_; }

private:
    SystemClock clock_;
    PosixLogFileSystem files_;
    DailyLogWriter writer_;
    orv::lifecycle::ProgramObjects objects_;
    NotificationReceiver receiver_;
    PrintedMessageBoxes boxes_;
    InotifySource* source_ = nullptr;
    HiddenWindow window_;
    std::size_t stored_ = 0;
    Clock::time_point lastStored_ = Clock::now();
};

void runWithOrvane(const fs::path& base, const fs::path& dataBase, const Burst& burst, bool disk)
{
    const fs::path tree = freshFolder(base, "orv-tree");
    const fs::path data = freshFolder(dataBase, "orv-data");
    prepare(tree, burst);
    if (disk) settleDisk();
    Capture capture(tree, data);
    capture.load();

    std::atomic<bool> done{false};
    double seconds = 0;
    std::thread generator([&] {
        seconds = generate(tree, burst);
        done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    generator.join();
    const auto burstEnd = Clock::now();
    while (capture.stored() < burst.records() && Clock::now() - capture.lastStored() < kQuiet)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double tail = std::max(0.0, std::chrono::duration<double>(capture.lastStored() - burstEnd).count());
    const auto overflows = capture.source().statistics().overflows;
    capture.unload();
    std::printf("  with Orvane:      %9.0f ops/s   records %zu of %zu (%.2f%%)   overflows %zu   last record %.3f s "
                "after the burst\n",
                3.0 * burst.files / seconds, capture.stored(), burst.records(),
                100.0 * capture.stored() / burst.records(), overflows, tail);
    fs::remove_all(tree);
    fs::remove_all(data);
}

std::size_t countLines(const fs::path& file, std::size_t& overflows)
{
    std::ifstream in(file);
    std::size_t lines = 0;
    overflows = 0;
    for (std::string line; std::getline(in, line);) {
        ++lines;
        if (line.find("Q_OVERFLOW") != std::string::npos) ++overflows;
    }
    return lines;
}

void runWithInotifywait(const fs::path& base, const Burst& burst, bool disk)
{
    const fs::path tree = freshFolder(base, "iw-tree");
    const fs::path output = freshFolder(base, "iw-out") / "events";
    prepare(tree, burst);
    if (disk) settleDisk();
    QProcess watcher;
    watcher.setStandardOutputFile(QString::fromStdString(output.string()));
    watcher.start("inotifywait", {"-m", "-r", "-e", "create,delete,moved_from,moved_to", "--format", "%e %w%f",
                                  QString::fromStdString(tree.string())});
    watcher.setReadChannel(QProcess::StandardError);
    QByteArray said;
    while (!said.contains("Watches established")) {
        if (!watcher.waitForReadyRead(30000) && watcher.state() != QProcess::Running) {
            std::printf("  with inotifywait: could not start it (%s)\n", watcher.errorString().toLocal8Bit().constData());
            return;
        }
        said += watcher.readAllStandardError();
    }
    const double seconds = generate(tree, burst);
    const auto burstEnd = Clock::now();
    auto lastGrowth = Clock::now();
    std::uintmax_t size = 0;
    std::size_t overflows = 0;
    std::size_t lines = 0;
    while (Clock::now() - lastGrowth < kQuiet) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // polling another program's output
        const auto now = fs::file_size(output);
        if (now != size) {
            size = now;
            lastGrowth = Clock::now();
            lines = countLines(output, overflows);
            if (lines >= burst.kernelEvents()) break;
        }
    }
    const double tail = std::max(0.0, std::chrono::duration<double>(lastGrowth - burstEnd).count());
    watcher.kill();
    watcher.waitForFinished();
    lines = countLines(output, overflows);
    std::printf("  with inotifywait: %9.0f ops/s   events %zu of %zu (%.2f%%)   overflows %zu   last event %.3f s "
                "after the burst\n",
                3.0 * burst.files / seconds, lines, burst.kernelEvents(), 100.0 * lines / burst.kernelEvents(),
                overflows, tail);
    fs::remove_all(tree);
    fs::remove_all(output.parent_path());
}

void runBursts(const char* label, const fs::path& base, const fs::path& dataBase, std::size_t files, bool disk)
{
    for (const bool foldersDuring : {false, true}) {
        const Burst burst{files, foldersDuring};
        std::printf("%s, %zu files%s (%zu operations):\n", label, files,
                    foldersDuring ? " in folders made during the burst" : " in 100 folders", 3 * files + burst.folders());
        {
            const fs::path tree = freshFolder(base, "alone-tree");
            prepare(tree, burst);
            if (disk) settleDisk();
            const double seconds = generate(tree, burst);
            std::printf("  generator alone:  %9.0f ops/s\n", 3.0 * files / seconds);
            fs::remove_all(tree);
        }
        runWithOrvane(base, dataBase, burst, disk);
        runWithInotifywait(base, burst, disk);
    }
}

// Heap in use: the resident size would hide what the bursts before freed and left mapped.
std::size_t heapInUse() { return ::mallinfo2().uordblks; }

long contextSwitches()
{
    long total = 0;
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "status");
        for (std::string line; std::getline(in, line);)
            if (line.starts_with("voluntary_ctxt_switches:") || line.starts_with("nonvoluntary_ctxt_switches:"))
                total += std::stol(line.substr(line.find(':') + 1));
    }
    return total;
}

void runWatchSetup(const fs::path& base, const fs::path& dataBase)
{
    constexpr int kTop = 20;
    constexpr int kBelow = 999;  // with the top folders: 20,000 folders
    const fs::path tree = freshFolder(base, "setup-tree");
    const fs::path data = freshFolder(dataBase, "setup-data");
    for (int i = 0; i < kTop; ++i)
        for (int j = 0; j < kBelow; ++j) fs::create_directories(tree / numbered('t', i) / numbered('s', j));
    settleDisk();
    Capture capture(tree, data);
    const std::size_t before = heapInUse();
    const double seconds = capture.load();
    const auto watches = capture.source().statistics().watches;
    const std::size_t after = heapInUse();
    std::printf("Watch set-up on %zu folders (disk): %.0f watches/s (%.2f s), %.0f bytes of Orvane's heap per "
                "watched folder (the kernel's own not counted)\n",
                watches, watches / seconds, seconds, double(after - before) / watches);

    constexpr int kIdleSeconds = 60;
    const long switchesBefore = contextSwitches();
    QEventLoop idle;
    QTimer::singleShot(kIdleSeconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    // The one wake-up of the timer that ends the wait is the benchmark's own.
    std::printf("Idle with %zu folders watched: %ld wake-ups in %d s (all threads, the timer's own left out)\n",
                watches, contextSwitches() - switchesBefore - 1, kIdleSeconds);
    capture.unload();
    fs::remove_all(tree);
    fs::remove_all(data);
}

std::string readSetting(const char* file)
{
    std::string value = "?";
    std::ifstream(file) >> value;
    return value;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const fs::path disk = fs::absolute(argc > 1 ? argv[1] : ".");
    const std::size_t files = argc > 2 ? std::stoul(argv[2]) : 100000;
    const fs::path shm = "/dev/shm";

    std::printf("inotify: max_queued_events %s, max_user_watches %s\n",
                readSetting("/proc/sys/fs/inotify/max_queued_events").c_str(),
                readSetting("/proc/sys/fs/inotify/max_user_watches").c_str());
    runBursts("Disk", disk, disk, files, true);
    runBursts("tmpfs", shm, disk, files, false);
    runWatchSetup(disk, disk);
    return 0;
}
