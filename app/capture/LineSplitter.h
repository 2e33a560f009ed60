#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orv::capture {

// Cuts a stream of bytes, given in pieces of any size, into lines. A line ends at CR LF, at LF or
// at a lone CR; the line end is not part of the line, and a last line without one still counts.
// Each line comes with the offset of its first byte in the stream.
class LineSplitter {
public:
    using OnLine = std::function<void(std::string_view line, std::uint64_t offset)>;

    void feed(std::string_view piece, const OnLine& onLine);
    // The last line, when the stream does not end in a line end.
    void finish(const OnLine& onLine);

private:
    std::string carried_;         // the start of a line that the previous pieces left open
    std::uint64_t streamOffset_ = 0;  // offset of the next piece
    std::uint64_t lineOffset_ = 0;    // offset of the open line
    bool afterCr_ = false;        // the previous piece ended in CR, whose LF may start this one
};

}  // namespace orv::capture
