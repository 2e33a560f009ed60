#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace orv::capture {

// The records of one day's file by the hash of their key: for each hash, where the first line
// that had it starts and its time of day. It knows hashes only; whoever finds a line here reads
// it back to see whether it is really the same record. A record whose hash an earlier, different
// record took is therefore never taken for a repeat: at worst it is stored once more.
//
// 16 bytes a slot, at most three quarters full, so a day of a million records takes 32 MiB.
class DuplicateIndex {
public:
    struct FirstLine {
        std::uint64_t offset;  // below 2^46
        int secondsOfDay;      // 0 to 86400
    };

    void clear();
    std::optional<FirstLine> find(std::uint64_t hash) const;
    // Keeps the line that holds the hash already; lines beyond 2^46 bytes are not indexed.
    void addIfAbsent(std::uint64_t hash, FirstLine line);
    std::size_t size() const { return used_; }

private:
    struct Slot {
        std::uint64_t hash;    // 0: free
        std::uint64_t packed;  // offset << 17 | secondsOfDay
    };

    static std::uint64_t storedHash(std::uint64_t hash) { return hash == 0 ? 1 : hash; }
    std::size_t slotOf(std::uint64_t hash) const;
    void grow();

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

}  // namespace orv::capture
