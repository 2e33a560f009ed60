#include "LogRecords.h"

#include "LogLine.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace orv::viewing {

namespace {

constexpr std::size_t kChunkBytes = std::size_t(1) << 20;

std::uint64_t keyOf(const capture::LocalDateTime& t)
{
    std::uint64_t key = static_cast<std::uint64_t>(t.date.year);
    key = key * 16 + static_cast<std::uint64_t>(t.date.month);
    key = key * 32 + static_cast<std::uint64_t>(t.date.day);
    key = key * 32 + static_cast<std::uint64_t>(t.hour);
    key = key * 64 + static_cast<std::uint64_t>(t.minute);
    return key * 64 + static_cast<std::uint64_t>(t.second);
}

}  // namespace

LogRecords::LogRecords(LogRecords&& other) noexcept
    : records_(std::move(other.records_)),
      chunks_(std::move(other.chunks_)),
      free_(std::exchange(other.free_, nullptr)),
      freeBytes_(std::exchange(other.freeBytes_, 0))
{
    other.records_.clear();
    other.chunks_.clear();
}

LogRecords& LogRecords::operator=(LogRecords&& other) noexcept
{
    records_ = std::move(other.records_);
    chunks_ = std::move(other.chunks_);
    free_ = std::exchange(other.free_, nullptr);
    freeBytes_ = std::exchange(other.freeBytes_, 0);
    other.records_.clear();
    other.chunks_.clear();
    return *this;
}

bool LogRecords::addLine(std::string_view line)
{
    auto entry = capture::LogLine::parse(line);
    if (!entry) return false;
    const capture::ActivityRecord& r = entry->record;
    const std::string_view newName = r.action == "Renamed" ? std::string_view(r.newName) : std::string_view();
    const std::array<std::string_view, kFieldCount> fields{r.object, r.action, r.path, r.originalName, newName};
    std::size_t bytes = 0;
    for (const auto f : fields) bytes += f.size();
    char* text = reserve(bytes);
    Record record{text, {}, keyOf(entry->time)};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i].empty()) std::memcpy(text, fields[i].data(), fields[i].size());
        text += fields[i].size();
        record.lengths[i] = static_cast<std::uint32_t>(fields[i].size());
    }
    records_.push_back(record);
    return true;
}

char* LogRecords::reserve(std::size_t bytes)
{
    if (bytes > freeBytes_) {
        // A record longer than a chunk gets a chunk of its own; the current one stays open.
        if (bytes > kChunkBytes / 4) {
            chunks_.push_back(std::make_unique_for_overwrite<char[]>(bytes));
            return chunks_.back().get();
        }
        chunks_.push_back(std::make_unique_for_overwrite<char[]>(kChunkBytes));
        free_ = chunks_.back().get();
        freeBytes_ = kChunkBytes;
    }
    char* at = free_;
    free_ += bytes;
    freeBytes_ -= bytes;
    return at;
}

void LogRecords::append(LogRecords&& other)
{
    if (records_.empty()) {
        *this = std::move(other);
        return;
    }
    records_.insert(records_.end(), other.records_.begin(), other.records_.end());
    chunks_.insert(chunks_.end(), std::make_move_iterator(other.chunks_.begin()),
                   std::make_move_iterator(other.chunks_.end()));
    // The other's open chunk is ours now and may take the next records.
    if (other.freeBytes_ > freeBytes_) {
        free_ = other.free_;
        freeBytes_ = other.freeBytes_;
    }
    other.clear();
}

void LogRecords::clear()
{
    records_.clear();
    records_.shrink_to_fit();
    chunks_.clear();
    free_ = nullptr;
    freeBytes_ = 0;
}

std::string_view LogRecords::field(std::size_t record, Field field) const
{
    const Record& r = records_[record];
    std::size_t offset = 0;
    for (int i = 0; i < field; ++i) offset += r.lengths[static_cast<std::size_t>(i)];
    return {r.text + offset, r.lengths[static_cast<std::size_t>(field)]};
}

capture::LocalDateTime LogRecords::time(std::size_t record) const
{
    std::uint64_t key = records_[record].timeKey;
    capture::LocalDateTime t;
    t.second = static_cast<int>(key % 64);
    key /= 64;
    t.minute = static_cast<int>(key % 64);
    key /= 64;
    t.hour = static_cast<int>(key % 32);
    key /= 32;
    t.date.day = static_cast<int>(key % 32);
    key /= 32;
    t.date.month = static_cast<int>(key % 16);
    t.date.year = static_cast<int>(key / 16);
    return t;
}

}  // namespace orv::viewing
