#pragma once

#include "LocalDateTime.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace orv::viewing {

// The records of one list in the order they were read, kept compactly: a million rows cost little
// more than the log's own bytes. Lines are read by LogLine::parse; a line whose first field is no
// stored time is skipped. Fields are held unescaped, as UTF-8 bytes.
class LogRecords {
public:
    // The five text fields of a record; the first column of a list is the stored time.
    static constexpr int kFieldCount = 5;
    enum Field { Object, Action, Path, OriginalName, NewName };

    LogRecords() = default;
    LogRecords(LogRecords&& other) noexcept;
    LogRecords& operator=(LogRecords&& other) noexcept;
    LogRecords(const LogRecords&) = delete;
    LogRecords& operator=(const LogRecords&) = delete;

    // Adds the record of one line; false when the line holds none. New Name is kept only when the
    // Action is exactly "Renamed".
    bool addLine(std::string_view line);
    // Moves every record of `other` behind these.
    void append(LogRecords&& other);
    void clear();

    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }

    std::string_view field(std::size_t record, Field field) const;
    capture::LocalDateTime time(std::size_t record) const;
    // The stored time as a number that orders records as their times do.
    std::uint64_t timeKey(std::size_t record) const { return records_[record].timeKey; }

private:
    struct Record {
        const char* text;  // the five fields one after another, in a chunk of storage_
        std::array<std::uint32_t, kFieldCount> lengths;
        std::uint64_t timeKey;
    };

    char* reserve(std::size_t bytes);

    std::vector<Record> records_;
    // Fields are copied into chunks that never move, so that appending keeps every text in place.
    std::vector<std::unique_ptr<char[]>> chunks_;
    char* free_ = nullptr;
    std::size_t freeBytes_ = 0;
};

}  // namespace orv::viewing
