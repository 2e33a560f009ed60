#pragma once

#include "LogRecords.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace orv::viewing {

// Reads daily log files into records, without ever waiting: a file that is not a regular file
// (a FIFO put in its place, a folder) is refused rather than opened for a read that could block.
class LogFileReader {
public:
    // Which file a read saw, and how far it read: where the next read of the same file resumes.
    struct Position {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::uint64_t offset = 0;
    };
    enum class Outcome {
        Read,        // the records are added
        Missing,     // no such file: nothing is added
        Unreadable,  // it exists but cannot be read: nothing is added, `error` says why
    };
    struct Result {
        Outcome outcome = Outcome::Missing;
        Position position;        // when Read: the file and its end
        bool fromStart = true;    // when Read: read from the first byte, not resumed
        std::string error;        // when Unreadable: the failed call, the file and the reason
    };

    // Adds the records of the file's lines to `records`. With `resume`, reads only what was added
    // behind it, unless the file is another one now or shorter (replaced, cut): then from the
    // start. Only a complete read adds records.
    static Result read(const std::filesystem::path& file, LogRecords& records,
                       const std::optional<Position>& resume = std::nullopt);
};

}  // namespace orv::viewing
