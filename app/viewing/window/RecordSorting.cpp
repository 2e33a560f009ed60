#include "RecordSorting.h"

#include "UnicodeCase.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orv::viewing {

namespace {

void sortByTime(std::vector<std::uint32_t>& order, const LogRecords& records, bool descending)
{
    struct TimeKey {
        std::uint64_t time;
        std::uint32_t record;
    };
    std::vector<TimeKey> keys;
    keys.reserve(order.size());
    for (const std::uint32_t record : order) keys.push_back({records.timeKey(record), record});
    const auto before = [](const TimeKey& x, const TimeKey& y) {
        return x.time != y.time ? x.time < y.time : x.record < y.record;
    };
    const auto after = [&](const TimeKey& x, const TimeKey& y) { return before(y, x); };
    // Rows are mostly read in the order of their times: spare those the sort.
    if (descending) {
        if (!std::is_sorted(keys.begin(), keys.end(), after)) {
            if (std::is_sorted(keys.begin(), keys.end(), before)) std::reverse(keys.begin(), keys.end());
            else std::sort(keys.begin(), keys.end(), after);
        }
    } else if (!std::is_sorted(keys.begin(), keys.end(), before)) {
        std::sort(keys.begin(), keys.end(), before);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].record;
}

// The lowered text of every distinct text of a column, one after another.
struct LoweredTexts {
    struct Text {
        std::uint64_t head;  // its first eight bytes, big-endian: most comparisons end here
        std::uint32_t offset;
        std::uint32_t length;
        std::uint32_t distinct;  // which distinct text it is
    };
    std::string bytes;
    std::vector<Text> texts;

    void add(std::string_view text, std::uint32_t distinct)
    {
        const std::size_t offset = bytes.size();
        // Simple lower-casing makes a character at most half as long again.
        bytes.resize(offset + text.size() * 3 / 2 + 4);
        std::vector<text::Utf8LengthChange> ignored;
        std::size_t produced = 0;
        for (std::size_t consumed = 0; consumed < text.size();) {
            const auto step = text::lowerUtf8(text.substr(consumed), bytes.data() + offset + produced,
                                              bytes.size() - offset - produced, true, ignored);
            consumed += step.consumed;
            produced += step.produced;
            ignored.clear();
            if (step.consumed == 0) bytes.resize(bytes.size() + 8);
        }
        bytes.resize(offset + produced);
        std::uint64_t head = 0;
        for (std::size_t i = 0; i < 8; ++i)
            head = head << 8 | (i < produced ? static_cast<unsigned char>(bytes[offset + i]) : 0u);
        texts.push_back({head, static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(produced), distinct});
    }

    int compare(const Text& x, const Text& y) const
    {
        if (x.head != y.head) return x.head < y.head ? -1 : 1;
        const std::size_t common = std::min(x.length, y.length);
        if (common > 8) {
            const int c = std::memcmp(bytes.data() + x.offset + 8, bytes.data() + y.offset + 8, common - 8);
            if (c != 0) return c;
        }
        return x.length == y.length ? 0 : (x.length < y.length ? -1 : 1);
    }
};

// Columns hold few distinct texts (objects, actions, folders) or short ones (names): the distinct
// texts are lowered and sorted once, and the rows then placed by the rank of their text, keeping
// their order among equals.
void sortByText(std::vector<std::uint32_t>& order, const LogRecords& records, LogRecords::Field field, bool descending)
{
    std::unordered_map<std::string_view, std::uint32_t> distinctOf;
    distinctOf.reserve(1024);
    std::vector<std::uint32_t> distinctAt(order.size());
    std::vector<std::string_view> distinct;
    for (std::size_t row = 0; row < order.size(); ++row) {
        const std::string_view text = records.field(order[row], field);
        const auto [at, added] = distinctOf.try_emplace(text, static_cast<std::uint32_t>(distinct.size()));
        if (added) distinct.push_back(text);
        distinctAt[row] = at->second;
    }
    distinctOf = {};

    LoweredTexts lowered;
    lowered.texts.reserve(distinct.size());
    for (std::size_t i = 0; i < distinct.size(); ++i) lowered.add(distinct[i], static_cast<std::uint32_t>(i));
    std::sort(lowered.texts.begin(), lowered.texts.end(),
              [&](const auto& x, const auto& y) { return lowered.compare(x, y) < 0; });
    // Texts that differ only in letter case share a rank.
    std::vector<std::uint32_t> rankOf(distinct.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < lowered.texts.size(); ++i) {
        if (i > 0 && lowered.compare(lowered.texts[i - 1], lowered.texts[i]) != 0) ++rank;
        rankOf[lowered.texts[i].distinct] = descending ? static_cast<std::uint32_t>(distinct.size()) - 1 - rank : rank;
    }

    std::vector<std::uint32_t> start(distinct.size() + 1, 0);
    for (const std::uint32_t d : distinctAt) ++start[rankOf[d] + 1];
    for (std::size_t r = 1; r < start.size(); ++r) start[r] += start[r - 1];
    std::vector<std::uint32_t> sorted(order.size());
    for (std::size_t row = 0; row < order.size(); ++row) sorted[start[rankOf[distinctAt[row]]]++] = order[row];
    order = std::move(sorted);
}

}  // namespace

void sortRecords(std::vector<std::uint32_t>& order, const LogRecords& records, int column, SortDirection direction)
{
    const bool descending = direction == SortDirection::Descending;
    if (column == 0) sortByTime(order, records, descending);
    else sortByText(order, records, static_cast<LogRecords::Field>(column - 1), descending);
}

}  // namespace orv::viewing
