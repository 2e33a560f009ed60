#include "LineSplitter.h"

namespace orv::capture {

void LineSplitter::feed(std::string_view piece, const OnLine& onLine)
{
    std::size_t i = 0;
    if (afterCr_ && !piece.empty()) {
        afterCr_ = false;
        if (piece[0] == '\n') {
            i = 1;
            lineOffset_ = streamOffset_ + 1;
        }
    }
    std::size_t lineStart = i;
    for (; i < piece.size(); ++i) {
        const char c = piece[i];
        if (c != '\r' && c != '\n') continue;
        const auto part = piece.substr(lineStart, i - lineStart);
        if (carried_.empty()) {
            onLine(part, lineOffset_);
        } else {
            carried_ += part;
            onLine(carried_, lineOffset_);
            carried_.clear();
        }
        if (c == '\r') {
            if (i + 1 == piece.size()) afterCr_ = true;
            else if (piece[i + 1] == '\n') ++i;
        }
        lineStart = i + 1;
        lineOffset_ = streamOffset_ + lineStart;
    }
    carried_ += piece.substr(lineStart);
    streamOffset_ += piece.size();
}

void LineSplitter::finish(const OnLine& onLine)
{
    if (!carried_.empty()) onLine(carried_, lineOffset_);
    carried_.clear();
}

}  // namespace orv::capture
