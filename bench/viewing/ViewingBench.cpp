// Prints how long the main window takes to show a History range of a million records (load,
// render, sort, colour and fit), to re-sort it on a header click, what a row costs in memory,
// and, for a burst of records stored into today's file, how long until the Today list shows them
// all and the longest time the user-interface thread was kept busy at a stretch.
#include "DailyLogWriter.h"
#include "FakeMessageBoxes.h"
#include "LogLine.h"
#include "LogPaths.h"
#include "PosixLogFileSystem.h"
#include "ProgramObjects.h"
#include "SystemClock.h"
#include "frmPubMain.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

using namespace orv;
using Stopwatch = std::chrono::steady_clock;
namespace fs = std::filesystem;

double millisecondsSince(Stopwatch::time_point start)
{
    return std::chrono::duration<double, std::milli>(Stopwatch::now() - start).count();
}

// Resident memory of the process in bytes.
std::uint64_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::uint64_t size = 0, resident = 0;
    if (!(statm >> size >> resident)) {
        std::fprintf(stderr, "cannot read /proc/self/statm\n");
        std::exit(1);
    }
    return resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

const char* const kObjects[] = {"File", "Folder", "File", "File"};
const char* const kActions[] = {"Created", "Deleted", "Renamed", "Created"};

capture::LogEntry entryOf(const capture::LocalDate& day, int n)
{
    capture::LogEntry entry;
    entry.time = {day, (n / 3600) % 24, (n / 60) % 60, n % 60};
    const int k = n % 4;
    entry.record = {kObjects[k], kActions[k],
                    "/home/me/Documents/projects/project-" + std::to_string(n % 97) + "/drafts and notes/",
                    "report-" + std::to_string(n) + ".odt", k == 2 ? "report-" + std::to_string(n) + " (final).odt" : ""};
    return entry;
}

// Writes `days` daily files ending yesterday, `total` records in all; returns their bytes.
std::uint64_t writeRange(const fs::path& logs, QDate firstDay, int days, int total)
{
    std::uint64_t bytes = 0;
    for (int d = 0; d < days; ++d) {
        const QDate date = firstDay.addDays(d);
        const capture::LocalDate day{date.year(), date.month(), date.day()};
        const fs::path file = capture::LogPaths::dailyFile(logs, day);
        fs::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        const int count = total / days + (d < total % days ? 1 : 0);
        for (int i = 0; i < count; ++i) out << capture::LogLine::format(entryOf(day, static_cast<int>(std::int64_t{i} * 86400 / count)));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
            std::exit(1);
        }
        out.close();
        bytes += fs::file_size(file);
    }
    return bytes;
}

void benchHistory(_GenFuns* genFuns, const fs::path& logs)
{
    constexpr int kDays = 31;
    constexpr int kRecords = 1000000;
    const capture::SystemClock clock;
    const auto now = clock.now();
    const QDate today(now.date.year, now.date.month, now.date.day);
    const QDate first = today.addDays(-kDays);
    const std::uint64_t fileBytes = writeRange(logs, first, kDays, kRecords);

    test::FakeMessageBoxes messages;  // the ranges are valid: no message is shown
    const settings::DtfSettings settings = settings::DtfSettings::defaults();
    viewing::frmPubMain window(genFuns, settings, logs, clock, messages, QLocale(QLocale::English, QLocale::UnitedStates));
    window.show();
    QApplication::processEvents();
    window.setHistoryDates(first, today.addDays(-1));

    const std::uint64_t before = residentBytes();
    auto start = Stopwatch::now();
    window.chooseHistoryView();
    QApplication::processEvents();  // painted
    const double load = millisecondsSince(start);
    const std::uint64_t after = residentBytes();
    const int rows = window.historyList()->records()->rowCount();

    // A header click on each column, Time last, each re-sorting and repainting the list.
    double sorts[6];
    for (const int column : {1, 2, 3, 4, 5, 0}) {
        start = Stopwatch::now();
        window.historyList()->records()->sortByHeaderClick(column);
        QApplication::processEvents();
        sorts[column] = millisecondsSince(start);
    }
    const double perRow = static_cast<double>(after - before) / rows;
    const double filePerRow = static_cast<double>(fileBytes) / rows;
    std::printf("history range: %d days, %d rows, %.1f MB of log files\n", kDays, rows, fileBytes / 1e6);
    std::printf("  load, render, sort, colour and fit: %8.0f ms\n", load);
    const char* const names[] = {"Time", "Object", "Action", "Path", "Original Name", "New Name"};
    for (int column = 0; column < 6; ++column)
        std::printf("  header click re-sort by %-14s %8.0f ms\n", names[column], sorts[column]);
    std::printf("  memory: %.0f bytes a row resident (the file holds %.0f): %.0f beyond the file's size\n", perRow,
                filePerRow, perRow - filePerRow);
}

void benchBurst(_GenFuns* genFuns, const fs::path& logs)
{
    constexpr int kBefore = 100000;
    constexpr int kBurst = 10000;
    constexpr int kPerEvent = 50;  // notifications handled per pass of the event loop
    const capture::SystemClock clock;
    const auto now = clock.now();
    {
        const fs::path file = capture::LogPaths::dailyFile(logs, now.date);
        fs::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < kBefore; ++i) out << capture::LogLine::format(entryOf(now.date, static_cast<int>(std::int64_t{i} * 3600 / kBefore)));
    }
    test::FakeMessageBoxes messages;  // the ranges are valid: no message is shown
    const settings::DtfSettings settings = settings::DtfSettings::defaults();
    viewing::frmPubMain window(genFuns, settings, logs, clock, messages, QLocale(QLocale::English, QLocale::UnitedStates));
    window.show();
    window.loadTodayFile();
    QApplication::processEvents();

    capture::PosixLogFileSystem files;
    capture::DailyLogWriter writer(logs, clock, files);
    QObject::connect(&writer, &capture::DailyLogWriter::recordStored, &window, &viewing::frmPubMain::recordStored);

    int written = 0;
    double longest = 0;
    double shownAfter = -1;
    const auto start = Stopwatch::now();
    auto last = start;
    QTimer source;
    source.setInterval(0);
    QObject::connect(&source, &QTimer::timeout, [&] {
        for (int i = 0; i < kPerEvent && written < kBurst; ++i, ++written)
            writer.write({"File", "Created", "/home/me/burst/", "burst-" + std::to_string(written) + ".tmp", ""});
        if (written == kBurst) source.stop();
    });
    QTimer heartbeat;
    heartbeat.setInterval(0);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const auto t = Stopwatch::now();
        longest = std::max(longest, std::chrono::duration<double, std::milli>(t - last).count());
        last = t;
        if (window.todayList()->records()->rowCount() == kBefore + kBurst) {
            shownAfter = millisecondsSince(start);
            QApplication::quit();
        }
    });
    source.start();
    heartbeat.start();
    QApplication::exec();
    std::printf("burst: %d records stored into a day of %d while the Today list is shown\n", kBurst, kBefore);
    std::printf("  all shown after:                    %8.0f ms\n", shownAfter);
    std::printf("  longest stretch the thread was busy:%8.0f ms (writing %d records included)\n", longest, kPerEvent);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::current_path();
    const fs::path dir = base / ("viewing-bench-" + std::to_string(getpid()));
    QApplication application(argc, argv);
    const auto genFuns = lifecycle::createLibraryObject<_GenFuns>(CLSID_GenFuns, IID__GenFuns);
    if (!genFuns) {
        std::fprintf(stderr, "the library's GenFuns object cannot be created\n");
        return 1;
    }
    benchHistory(genFuns.get(), dir / "history");
    benchBurst(genFuns.get(), dir / "burst");
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    return 0;
}
