#pragma once

#include "DuplicateIndex.h"
#include "FileDescriptor.h"
#include "FileState.h"
#include "LogEntry.h"
#include "LogFileSystem.h"
#include "RecordKey.h"

#include <filesystem>
#include <optional>
#include <string>

namespace orv::capture {

// One day's log file as the writer keeps it between records: open for appending, with an index
// of its records that is built once from the file and then kept up to date by each append. When
// the file changed behind the writer's back (its device, inode, size or modification time differ
// from what the last append or reading left), the index is built again; a file that was deleted
// is an empty day, created again (with its folders) by the next append.
//
// Every call may throw std::system_error; the file is then closed, and the next call starts
// afresh from what is on disk.
class DayLogFile {
public:
    DayLogFile(LogFileSystem& fileSystem, std::filesystem::path logsFolder);

    // The time of day of the first line of the record in `date`'s file, if it has one. Lines
    // whose time cannot be read are no records and never found.
    std::optional<int> firstSecondsOfDay(const LocalDate& date, const RecordKey& key);
    // Appends the entry's line to the file of its date with one write, first ending the file's
    // last line if it lacks its CR LF. A failed write leaves the file as it was.
    void append(const LogEntry& entry, const RecordKey& key);

    const std::filesystem::path& path() const { return path_; }
    std::size_t indexedRecords() const { return index_.size(); }

private:
    // Makes `date`'s file the current one and brings its index up to date with the disk.
    void open(const LocalDate& date);
    void close();
    void readIndex();
    std::string lineAt(std::uint64_t offset);
    void undoPartialAppend();

    LogFileSystem& fileSystem_;
    const std::filesystem::path logsFolder_;
    std::optional<LocalDate> date_;
    std::filesystem::path path_;
    FileDescriptor file_;
    FileState left_;              // the file as the last read or append left it
    std::string missingLineEnd_;  // what the last line lacks of its CR LF
    DuplicateIndex index_;
};

}  // namespace orv::capture
