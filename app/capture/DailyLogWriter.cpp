#include "DailyLogWriter.h"

#include <QSignalBlocker>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace orv::capture {

namespace {

constexpr int kRepeatSeconds = 5;

}  // namespace

DailyLogWriter::DailyLogWriter(std::filesystem::path logsFolder, const Clock& clock, LogFileSystem& fileSystem,
                               std::chrono::milliseconds retryInterval, QObject* parent)
    : QObject(parent), clock_(clock), dayFile_(fileSystem, std::move(logsFolder))
{
    retryTimer_.setSingleShot(true);
    retryTimer_.setInterval(retryInterval);
    connect(&retryTimer_, &QTimer::timeout, this, &DailyLogWriter::writeKeptRecords);
}

DailyLogWriter::~DailyLogWriter()
{
    if (kept_.empty()) return;
    const QSignalBlocker quiet(this);
    writeKeptRecords();
    if (!kept_.empty())
        qWarning("Orvane: %zu activity records could not be written to %s", kept_.size(),
                 dayFile_.path().parent_path().parent_path().c_str());
}

void DailyLogWriter::write(const ActivityRecord& record)
{
    LocalDateTime now;
    try {
        now = clock_.now();
    } catch (const std::system_error& error) {
        // Without a time there is no day to store the record in.
        reportFailure(error.what());
        return;
    }
    KeptRecord next{{now, record}, RecordKey(record)};
    if (!repeatsStoredRecord(next.entry, next.key)) {
        firstKept_.try_emplace(keptKey(now.date, next.key), now.secondsOfDay());
        kept_.push_back(std::move(next));
    }
    // A repeat, too, is a sign of life worth trying the records kept so far for.
    if (!kept_.empty()) writeKeptRecords();
}

// Lines on disk come before the records kept in memory, so the file's first line decides when
// there is one.
bool DailyLogWriter::repeatsStoredRecord(const LogEntry& entry, const RecordKey& key)
{
    std::optional<int> first;
    try {
        first = dayFile_.firstSecondsOfDay(entry.time.date, key);
    } catch (const std::system_error& error) {
        reportFailure(error.what());
    }
    if (!first) {
        const auto kept = firstKept_.find(keptKey(entry.time.date, key));
        if (kept != firstKept_.end()) first = kept->second;
    }
    return first && std::abs(entry.time.secondsOfDay() - *first) < kRepeatSeconds;
}

void DailyLogWriter::writeKeptRecords()
{
    while (!kept_.empty()) {
        try {
            dayFile_.append(kept_.front().entry, kept_.front().key);
        } catch (const std::system_error& error) {
            reportFailure(error.what());
            retryTimer_.start();
            return;
        }
        const LogEntry stored = std::move(kept_.front().entry);
        kept_.pop_front();
        emit recordStored(stored, dayFile_.path());
    }
    firstKept_.clear();
    retryTimer_.stop();
    if (failing_) {
        failing_ = false;
        emit writingResumed();
    }
}

void DailyLogWriter::reportFailure(const char* reason)
{
    if (failing_) return;
    failing_ = true;
    emit writingFailed(QString::fromUtf8(reason));
}

std::string DailyLogWriter::keptKey(const LocalDate& date, const RecordKey& key)
{
    char day[16];
    std::snprintf(day, sizeof day, "%04d%02d%02d\t", date.year, date.month, date.day);
    return day + key.text();
}

}  // namespace orv::capture
