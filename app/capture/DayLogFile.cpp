#include "DayLogFile.h"

#include "LineSplitter.h"
#include "LogLine.h"
#include "LogPaths.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace orv::capture {

namespace {

constexpr std::size_t kReadPiece = std::size_t{1} << 20;
constexpr std::size_t kLinePiece = 512;

// What must come before a new line so that it does not join the file's last one.
std::string missingLineEnd(std::string_view lastBytes, std::uint64_t fileSize)
{
    if (fileSize == 0 || lastBytes.ends_with("\r\n")) return {};
    return lastBytes.ends_with('\r') ? "\n" : "\r\n";
}

struct StoredKey {
    RecordKey key;
    int secondsOfDay;
};

// The key and time of day of a stored line; nothing for a line that is no record.
std::optional<StoredKey> storedKeyOf(std::string_view line)
{
    const auto tab = line.find('\t');
    const auto time = LogLine::parseTime(line.substr(0, tab));
    if (!time) return std::nullopt;
    // Most lines are stored plainly; only the others need their fields unescaped.
    auto key = tab == std::string_view::npos ? std::nullopt : RecordKey::ofStoredFields(line.substr(tab + 1));
    if (!key) key = RecordKey(LogLine::parse(line)->record);
    return StoredKey{std::move(*key), time->secondsOfDay()};
}

}  // namespace

DayLogFile::DayLogFile(LogFileSystem& fileSystem, std::filesystem::path logsFolder)
    : fileSystem_(fileSystem), logsFolder_(std::move(logsFolder))
{
}

void DayLogFile::open(const LocalDate& date)
{
    if (date_ != date) {
        close();
        date_ = date;
        path_ = LogPaths::dailyFile(logsFolder_, date);
    }
    try {
        const auto onDisk = fileSystem_.stateOf(path_);
        if (!onDisk) {
            close();
            return;
        }
        if (file_.isOpen() && *onDisk == left_) return;
        file_ = fileSystem_.openForAppend(path_);
        readIndex();
    } catch (...) {
        close();
        throw;
    }
}

std::optional<int> DayLogFile::firstSecondsOfDay(const LocalDate& date, const RecordKey& key)
{
    open(date);
    if (!file_.isOpen()) return std::nullopt;
    const auto first = index_.find(key.hash());
    if (!first) return std::nullopt;
    try {
        const auto stored = storedKeyOf(lineAt(first->offset));
        if (!stored || stored->key != key) return std::nullopt;
    } catch (...) {
        close();
        throw;
    }
    return first->secondsOfDay;
}

void DayLogFile::append(const LogEntry& entry, const RecordKey& key)
{
    open(entry.time.date);
    try {
        if (!file_.isOpen()) {
            fileSystem_.createFolders(path_.parent_path());
            file_ = fileSystem_.openForAppend(path_);
            readIndex();
        }
        std::string bytes = missingLineEnd_;
        const std::uint64_t lineOffset = left_.size + bytes.size();
        bytes += LogLine::format(entry);
        try {
            fileSystem_.append(file_, bytes);
        } catch (...) {
            undoPartialAppend();
            throw;
        }
        left_ = fileSystem_.stateOf(file_);
        missingLineEnd_.clear();
        index_.addIfAbsent(key.hash(), {lineOffset, entry.time.secondsOfDay()});
    } catch (...) {
        close();
        throw;
    }
}

void DayLogFile::close()
{
    file_.reset();
    left_ = {};
    missingLineEnd_.clear();
    index_.clear();
}

void DayLogFile::readIndex()
{
    index_.clear();
    // Read what is there now; whatever is appended meanwhile changes the state, so the next open
    // reads the file again.
    left_ = fileSystem_.stateOf(file_);
    LineSplitter splitter;
    const LineSplitter::OnLine indexLine = [this](std::string_view line, std::uint64_t offset) {
        if (const auto stored = storedKeyOf(line)) index_.addIfAbsent(stored->key.hash(), {offset, stored->secondsOfDay});
    };
    std::vector<char> piece(static_cast<std::size_t>(std::min<std::uint64_t>(left_.size, kReadPiece)));
    std::uint64_t offset = 0;
    while (offset < left_.size) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(left_.size - offset, piece.size()));
        const std::size_t got = fileSystem_.readAt(file_, offset, piece.data(), wanted);
        splitter.feed(std::string_view(piece.data(), got), indexLine);
        offset += got;
        if (got < wanted) {
            // The file shrank while it was read: keep what was read, and make the state differ
            // from the disk's so that the next open reads the file again.
            left_.size = offset;
            left_.modifiedNs = -1;
            break;
        }
    }
    splitter.finish(indexLine);

    char last[2];
    const auto lastSize = static_cast<std::size_t>(std::min<std::uint64_t>(offset, sizeof last));
    const std::size_t got = fileSystem_.readAt(file_, offset - lastSize, last, lastSize);
    missingLineEnd_ = missingLineEnd(std::string_view(last, got), offset);
}

std::string DayLogFile::lineAt(std::uint64_t offset)
{
    std::string line;
    char piece[kLinePiece];
    for (;;) {
        const std::size_t got = fileSystem_.readAt(file_, offset + line.size(), piece, sizeof piece);
        const std::string_view bytes(piece, got);
        const auto end = bytes.find_first_of("\r\n");
        line.append(bytes.substr(0, end));
        if (end != std::string_view::npos || got < sizeof piece) return line;
    }
}

void DayLogFile::undoPartialAppend()
{
    // A short write (the disk filled up in the middle of the line) would leave a torn line that
    // the next record joins; cut it off again.
    try {
        if (fileSystem_.stateOf(file_).size > left_.size) fileSystem_.truncate(file_, left_.size);
    } catch (...) {
        // The write's own failure is what the caller reports. The file is closed and read again
        // at the next record, which then ends the torn line before its own.
    }
}

}  // namespace orv::capture
