#include "DuplicateIndex.h"

#include <bit>
#include <utility>

namespace orv::capture {

namespace {

constexpr int kSecondsBits = 17;
constexpr std::uint64_t kSecondsMask = (std::uint64_t{1} << kSecondsBits) - 1;
constexpr std::uint64_t kOffsetLimit = std::uint64_t{1} << (64 - kSecondsBits - 1);

}  // namespace

void DuplicateIndex::clear()
{
    slots_.clear();
    used_ = 0;
}

// The slot that holds hash, or the free slot where it belongs. The hash is mixed once more
// (Fibonacci hashing) so that hashes alike in their low bits do not crowd one run of slots; the
// rest is linear probing. Needs at least one free slot.
std::size_t DuplicateIndex::slotOf(std::uint64_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15u) >> (64 - std::countr_zero(slots_.size())));
    while (slots_[at].hash != 0 && slots_[at].hash != hash) at = (at + 1) & mask;
    return at;
}

std::optional<DuplicateIndex::FirstLine> DuplicateIndex::find(std::uint64_t hash) const
{
    if (slots_.empty()) return std::nullopt;
    const Slot& slot = slots_[slotOf(storedHash(hash))];
    if (slot.hash == 0) return std::nullopt;
    return FirstLine{slot.packed >> kSecondsBits, static_cast<int>(slot.packed & kSecondsMask)};
}

void DuplicateIndex::addIfAbsent(std::uint64_t hash, FirstLine line)
{
    if (line.offset >= kOffsetLimit) return;
    if ((used_ + 1) * 4 > slots_.size() * 3) grow();
    hash = storedHash(hash);
    Slot& slot = slots_[slotOf(hash)];
    if (slot.hash != 0) return;
    slot = {hash, line.offset << kSecondsBits | static_cast<std::uint64_t>(line.secondsOfDay)};
    ++used_;
}

void DuplicateIndex::grow()
{
    const std::size_t size = slots_.empty() ? 1024 : slots_.size() * 2;
    const std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(size, Slot{0, 0}));
    for (const Slot& slot : old)
        if (slot.hash != 0) slots_[slotOf(slot.hash)] = slot;
}

}  // namespace orv::capture
