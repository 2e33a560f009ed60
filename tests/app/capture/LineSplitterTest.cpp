#include "LineSplitter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace orv::capture {
namespace {

using Lines = std::vector<std::pair<std::string, std::uint64_t>>;

Lines split(const std::vector<std::string_view>& pieces)
{
    Lines lines;
    LineSplitter splitter;
    const LineSplitter::OnLine collect = [&](std::string_view line, std::uint64_t offset) {
        lines.emplace_back(line, offset);
    };
    for (const auto piece : pieces) splitter.feed(piece, collect);
    splitter.finish(collect);
    return lines;
}

// Every way of cutting the text into three pieces gives the same lines at the same offsets, so
// no line end is lost or doubled at a piece's edge.
TEST(LineSplitter, SameLinesWhereverThePiecesEnd)
{
    struct Row {
        std::string_view text;
        Lines lines;
    };
    const Row rows[] = {
        {"a\r\nbc\rd\ne", {{"a", 0}, {"bc", 3}, {"d", 6}, {"e", 8}}},
        {"a\r\n\r\nb\r\n", {{"a", 0}, {"", 3}, {"b", 5}}},
        {"\r\r\n\n", {{"", 0}, {"", 1}, {"", 3}}},
        {"no line end", {{"no line end", 0}}},
        {"", {}},
    };
    for (const auto& row : rows) {
        for (std::size_t i = 0; i <= row.text.size(); ++i)
            for (std::size_t j = i; j <= row.text.size(); ++j) {
                SCOPED_TRACE(::testing::Message() << '"' << row.text << "\" cut at " << i << ", " << j);
                EXPECT_EQ(split({row.text.substr(0, i), row.text.substr(i, j - i), row.text.substr(j)}), row.lines);
            }
    }
}

}  // namespace
}  // namespace orv::capture
