#pragma once

#include "ActivityRecord.h"
#include "Clock.h"
#include "DayLogFile.h"
#include "LogEntry.h"
#include "LogFileSystem.h"
#include "RecordKey.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <deque>
#include <filesystem>
#include <string>
#include <unordered_map>

namespace orv::capture {

// Stores each record as one line of the daily log file of its local date, unless the same
// record (all five fields, letter case ignored) was stored less than five seconds earlier: the
// day's first line of the record decides, compared by time of day.
//
// A record that cannot be written (a full disk, a folder that cannot be made) is kept in memory;
// records kept are written in order, before any later one, at the next record or when the retry
// timer fires. The failure is signalled once, when it starts, and its end once as well.
//
// Lives on the user-interface thread; each record is on disk before write() returns.
class DailyLogWriter : public QObject {
    Q_OBJECT

public:
    DailyLogWriter(std::filesystem::path logsFolder, const Clock& clock, LogFileSystem& fileSystem,
                   std::chrono::milliseconds retryInterval = std::chrono::seconds(2), QObject* parent = nullptr);
    // Makes a last attempt to write the records it keeps.
    ~DailyLogWriter() override;

    void write(const ActivityRecord& record);

    std::size_t keptRecords() const { return kept_.size(); }

signals:
    // A line was stored in dailyFile.
    void recordStored(const orv::capture::LogEntry& entry, const std::filesystem::path& dailyFile);
    // Records can no longer be written, for the reason given; they are kept until they can.
    void writingFailed(const QString& reason);
    // Every kept record has been written.
    void writingResumed();

private:
    struct KeptRecord {
        LogEntry entry;
        RecordKey key;
    };

    bool repeatsStoredRecord(const LogEntry& entry, const RecordKey& key);
    void writeKeptRecords();
    void reportFailure(const char* reason);
    static std::string keptKey(const LocalDate& date, const RecordKey& key);

    const Clock& clock_;
    DayLogFile dayFile_;
    std::deque<KeptRecord> kept_;
    // Time of day of the first kept record of each date and key, for the repeat test of records
    // whose earlier lines are not on disk yet.
    std::unordered_map<std::string, int> firstKept_;
    QTimer retryTimer_;
    bool failing_ = false;
};

}  // namespace orv::capture
