#include "DuplicateIndex.h"

#include <gtest/gtest.h>

namespace orv::capture {
namespace {

TEST(DuplicateIndex, KeepsTheFirstLineOfEachHash)
{
    DuplicateIndex index;
    EXPECT_EQ(index.find(42), std::nullopt);
    index.addIfAbsent(42, {100, 3600});
    index.addIfAbsent(42, {200, 7200});
    const auto first = index.find(42);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->offset, 100u);
    EXPECT_EQ(first->secondsOfDay, 3600);
    EXPECT_EQ(index.size(), 1u);
    index.clear();
    EXPECT_EQ(index.find(42), std::nullopt);
}

// Hashes alike in their low bits, and hashes alike in their high bits, through many growths.
TEST(DuplicateIndex, FindsEveryLineThroughCollisionsAndGrowth)
{
    DuplicateIndex index;
    constexpr std::uint64_t kCount = 100'000;
    for (std::uint64_t i = 0; i < kCount; ++i) {
        const std::uint64_t hash = i % 2 ? i * 0x9E3779B97F4A7C15u : i << 20;  // half of them alike below bit 20
        index.addIfAbsent(hash, {i * 64, static_cast<int>(i % 86401)});
    }
    EXPECT_EQ(index.size(), kCount);
    for (std::uint64_t i = 0; i < kCount; ++i) {
        const std::uint64_t hash = i % 2 ? i * 0x9E3779B97F4A7C15u : i << 20;
        const auto line = index.find(hash);
        ASSERT_TRUE(line) << i;
        EXPECT_EQ(line->offset, i * 64);
        EXPECT_EQ(line->secondsOfDay, static_cast<int>(i % 86401));
    }
}

}  // namespace
}  // namespace orv::capture
