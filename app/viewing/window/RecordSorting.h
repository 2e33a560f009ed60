#pragma once

#include "LogRecords.h"

#include <cstdint>
#include <vector>

namespace orv::viewing {

enum class SortDirection { Ascending, Descending };

// Sorts `order`, a list's records by index, by one of its six columns. Column 0 sorts by the
// stored time, not by the text it is shown as (a month name or "AM" would put the rows of a
// journal out of order); records of the same second keep the order they were read in, turned
// round when descending, so that a reload and rows added as they are stored agree. Columns 1 to
// 5 sort by their text with letter case ignored (by the bytes of the text lowered with simple
// Unicode lower-casing, which for valid UTF-8 is the order of the characters); equal texts keep
// the order they had.
void sortRecords(std::vector<std::uint32_t>& order, const LogRecords& records, int column, SortDirection direction);

}  // namespace orv::viewing
