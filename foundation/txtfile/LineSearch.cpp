#include "LineSearch.h"

#include "UnicodeCase.h"
#include "Utf8Codec.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::txtfile {
namespace {

// Whether a byte begins a valid sequence depends on at most the three bytes after it, and a byte
// belongs to a sequence that begins at most three bytes before it.
constexpr std::size_t kContext = 3;
// The longest UTF-8 character: the least room that lower-casing needs to make progress.
constexpr std::size_t kLongestChar = 4;
constexpr std::size_t kCountBlock = 32;
constexpr std::size_t kLineReadChunk = 64 * 1024;
// A pattern byte counts as rare when it is less than one in kRareSpacing bytes of the first
// kRareSample bytes of the stream.
constexpr std::size_t kRareSample = 64 * 1024;
constexpr std::size_t kRareSpacing = 64;

bool isLineBreak(char c) { return c == '\n' || c == '\r'; }
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::optional<std::size_t> readAt(int fd, char* buffer, std::size_t size, std::int64_t offset)
{
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, size, offset);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) return std::nullopt;
    }
}

// The number of line ends (LF, CR LF, lone CR) in [begin, end); the byte at `end` decides about a
// CR just before it when end < limit.
std::int64_t countLineEnds(const char* begin, const char* end, const char* limit)
{
    auto p = reinterpret_cast<const unsigned char*>(begin);
    const auto e = reinterpret_cast<const unsigned char*>(end);
    const auto l = reinterpret_cast<const unsigned char*>(limit);
    std::int64_t count = 0;
    // A block of fixed length, so that the compiler counts with vector instructions; the block's
    // count fits a byte.
    while (static_cast<std::size_t>(e - p) > kCountBlock) {
        unsigned char inBlock = 0;
        for (std::size_t i = 0; i < kCountBlock; ++i)
            inBlock += (p[i] == '\n') | ((p[i] == '\r') & (p[i + 1] != '\n'));
        count += inBlock;
        p += kCountBlock;
    }
    for (; p < e; ++p) count += *p == '\n' || (*p == '\r' && (p + 1 == l || p[1] != '\n'));
    return count;
}

const char* firstLineBreak(const char* begin, const char* end)
{
    const auto lf = static_cast<const char*>(std::memchr(begin, '\n', static_cast<std::size_t>(end - begin)));
    const char* crEnd = lf ? lf : end;
    const auto cr = static_cast<const char*>(std::memchr(begin, '\r', static_cast<std::size_t>(crEnd - begin)));
    return cr ? cr : lf;
}

const char* lastLineBreak(const char* begin, const char* end)
{
    const auto lf = static_cast<const char*>(::memrchr(begin, '\n', static_cast<std::size_t>(end - begin)));
    const char* crBegin = lf ? lf + 1 : begin;
    const auto cr = static_cast<const char*>(::memrchr(crBegin, '\r', static_cast<std::size_t>(end - crBegin)));
    return cr ? cr : lf;
}

// The bytes of the line that begins at `offset`, without its terminator.
std::optional<std::string> readLine(int fd, std::int64_t offset)
{
    std::string line;
    for (;;) {
        const std::size_t old = line.size();
        line.resize(old + kLineReadChunk);
        const auto n = readAt(fd, line.data() + old, kLineReadChunk, offset + static_cast<std::int64_t>(old));
        if (!n) return std::nullopt;
        line.resize(old + *n);
        if (const char* end = firstLineBreak(line.data() + old, line.data() + line.size())) {
            line.resize(static_cast<std::size_t>(end - line.data()));
            return line;
        }
        if (*n == 0) return line;
    }
}

// Streams a file through a window of fixed size and finds the first line that matches. The window
// holds the file's bytes, or their lowered form when letter case is ignored; lines end in the same
// places in both. Anchors map window positions back to file offsets, since lowering can change the
// length of a character.
class LineScanner {
public:
    LineScanner(int fd, std::string pattern, std::u16string text, LineMatch how, std::size_t bufferSize)
        : fd_(fd), pattern_(std::move(pattern)), text_(std::move(text)), how_(how),
          lowering_(how == LineMatch::ContainsIgnoringCase),
          window_(bufferSize + pattern_.size() + 2 * kContext + kLongestChar),
          raw_(lowering_ ? bufferSize : 0)
    {
    }

    std::optional<FoundLine> run()
    {
        if (!fill()) return std::nullopt;
        if (!pattern_.empty()) chooseRareByte();
        for (;;) {
            // A candidate must leave room after it for the bytes that decide its last character.
            const std::size_t safeEnd = ended_ ? size_ : size_ - std::min(size_, kContext);
            while (const auto pos = nextCandidate(searchFrom_, safeEnd)) {
                if (verify(*pos)) return found(*pos);
                searchFrom_ = *pos + 1;
            }
            if (ended_) return std::nullopt;
            // A match that begins in the last pattern_.size() - 1 bytes may go on in the next read.
            const std::size_t tail = pattern_.empty() ? 0 : pattern_.size() - 1;
            advance(std::max(searchFrom_, safeEnd - std::min(safeEnd, tail)));
            if (!fill()) return std::nullopt;
        }
    }

private:
    struct Anchor {
        std::int64_t windowPos;
        std::int64_t fileOffset;
    };

    // Appends the next bytes of the stream to the window; false when reading fails.
    bool fill()
    {
        if (!lowering_) {
            const auto n = readAt(fd_, window_.data() + size_, window_.size() - size_, fileOffset_);
            if (!n) return false;
            ended_ = *n == 0;
            size_ += *n;
            fileOffset_ += static_cast<std::int64_t>(*n);
            return true;
        }
        if (!rawEnded_ && rawSize_ < raw_.size()) {
            const auto n = readAt(fd_, raw_.data() + rawSize_, raw_.size() - rawSize_,
                                  fileOffset_ + static_cast<std::int64_t>(rawSize_));
            if (!n) return false;
            rawEnded_ = *n == 0;
            rawSize_ += *n;
        }
        changes_.clear();
        const auto lowered = text::lowerUtf8({raw_.data(), rawSize_}, window_.data() + size_,
                                             window_.size() - size_, rawEnded_, changes_);
        const auto windowPos = static_cast<std::int64_t>(size_);
        anchors_.push_back({windowPos, fileOffset_});
        for (const auto& change : changes_)
            anchors_.push_back({windowPos + static_cast<std::int64_t>(change.output),
                                fileOffset_ + static_cast<std::int64_t>(change.input)});
        size_ += lowered.produced;
        fileOffset_ += static_cast<std::int64_t>(lowered.consumed);
        rawSize_ -= lowered.consumed;
        std::memmove(raw_.data(), raw_.data() + lowered.consumed, rawSize_);
        ended_ = rawEnded_ && rawSize_ == 0;
        return true;
    }

    // The first place in [from, to) where a match may begin that ends by `to`.
    std::optional<std::size_t> nextCandidate(std::size_t from, std::size_t to)
    {
        const char* w = window_.data();
        if (!pattern_.empty()) return findPattern(from, to);
        for (std::size_t pos = from; pos < to; ++pos) {
            const bool candidate = how_ == LineMatch::Equals ? isLineBreak(w[pos]) && lineStartsAt(pos)
                                                             : !isLineBreak(w[pos]);
            if (candidate) return pos;
        }
        return std::nullopt;
    }

    // Picks the byte of the pattern that is rarest in the first bytes of the stream, if it is rare.
    void chooseRareByte()
    {
        std::size_t counts[256] = {};
        const std::size_t sampled = std::min(size_, kRareSample);
        for (std::size_t i = 0; i < sampled; ++i) ++counts[static_cast<unsigned char>(window_[i])];
        const auto count = [&](std::size_t i) { return counts[static_cast<unsigned char>(pattern_[i])]; };
        std::size_t rarest = 0;
        for (std::size_t i = 1; i < pattern_.size(); ++i)
            if (count(i) < count(rarest)) rarest = i;
        if (count(rarest) * kRareSpacing < sampled) rareIndex_ = rarest;
    }

    // memchr over the rare byte skips through the window far faster than memmem, which is kept
    // for patterns without a rare byte, and for good once the rare byte turns out to be common.
    std::optional<std::size_t> findPattern(std::size_t from, std::size_t to)
    {
        const char* w = window_.data();
        const std::size_t length = pattern_.size();
        if (to < from + length) return std::nullopt;
        if (rareIndex_) {
            const std::size_t k = *rareIndex_;
            const char* p = w + from + k;
            const char* const last = w + to - length + k;
            std::size_t hits = 0;
            while (p <= last) {
                p = static_cast<const char*>(std::memchr(p, pattern_[k], static_cast<std::size_t>(last - p) + 1));
                if (!p) return std::nullopt;
                if (std::memcmp(p - k, pattern_.data(), length) == 0) return static_cast<std::size_t>(p - k - w);
                ++p;
                if (++hits > kRareSpacing && hits * kRareSpacing > static_cast<std::size_t>(p - w) - from) {
                    rareIndex_.reset();
                    from = static_cast<std::size_t>(p - k - w);
                    break;
                }
            }
            if (rareIndex_) return std::nullopt;
        }
        const void* hit = ::memmem(w + from, to - from, pattern_.data(), length);
        if (!hit) return std::nullopt;
        return static_cast<std::size_t>(static_cast<const char*>(hit) - w);
    }

    bool lineStartsAt(std::size_t pos) const
    {
        if (pos == 0) return dropped_ == 0;  // otherwise the window keeps bytes before any candidate
        const char before = window_[pos - 1];
        return before == '\n' || (before == '\r' && window_[pos] != '\n');
    }

    bool lineEndsAt(std::size_t pos) const { return pos == size_ ? ended_ : isLineBreak(window_[pos]); }

    // Whether the candidate at `pos` is a match of the decoded text. The raw bytes can match where
    // the text does not: a needle's U+DC80..U+DCFF may stand for a byte that is part of a valid
    // sequence in the line. Decoding from a character start just before the candidate to a few
    // bytes past it gives the line's own characters there.
    bool verify(std::size_t pos) const
    {
        if (how_ == LineMatch::Equals) return lineStartsAt(pos) && lineEndsAt(pos + pattern_.size());
        if (pattern_.empty()) return true;
        const char* w = window_.data();
        // Back to the nearest byte that can begin a sequence; continuation bytes all the way back
        // mean that pos is inside no sequence, and each of them decodes alone.
        std::size_t begin = pos;
        while (begin > 0 && pos - begin < kContext && isContinuation(w[begin])) --begin;
        const std::size_t end = std::min(size_, pos + pattern_.size() + kContext);
        const std::u16string before = text::decodeBytes({w + begin, pos - begin});
        const std::u16string around = text::decodeBytes({w + begin, end - begin});
        return around.starts_with(before) && around.compare(before.size(), text_.size(), text_) == 0;
    }

    std::optional<FoundLine> found(std::size_t pos) const
    {
        const char* w = window_.data();
        const std::int64_t number = linesBefore_ + countLineEnds(w + counted_, w + pos, w + size_) + 1;
        const char* lastBreak = lastLineBreak(w + counted_, w + pos);
        const std::int64_t lineStart = lastBreak ? fileOffsetAt(lastBreak + 1 - w) : lineStart_;
        const auto bytes = readLine(fd_, lineStart);
        if (!bytes) return std::nullopt;
        return FoundLine{number, text::decodeBytes(*bytes)};
    }

    std::int64_t fileOffsetAt(std::ptrdiff_t pos) const
    {
        // The first anchor is never after the window's start, and between anchors the window and
        // the file advance together.
        const auto after = std::upper_bound(anchors_.begin(), anchors_.end(), pos,
                                            [](std::ptrdiff_t p, const Anchor& a) { return p < a.windowPos; });
        const Anchor& anchor = *std::prev(after);
        return anchor.fileOffset + (pos - anchor.windowPos);
    }

    // Counts the lines before `next`, the first place that a later candidate may begin, and drops
    // the bytes that neither it nor its verification need.
    void advance(std::size_t next)
    {
        char* w = window_.data();
        linesBefore_ += countLineEnds(w + counted_, w + next, w + size_);
        if (const char* lastBreak = lastLineBreak(w + counted_, w + next)) lineStart_ = fileOffsetAt(lastBreak + 1 - w);
        const std::size_t drop = next - std::min(next, kContext);
        std::memmove(w, w + drop, size_ - drop);
        size_ -= drop;
        counted_ = searchFrom_ = next - drop;
        dropped_ += static_cast<std::int64_t>(drop);
        for (auto& anchor : anchors_) anchor.windowPos -= static_cast<std::int64_t>(drop);
        const auto firstAfterStart = std::upper_bound(anchors_.begin(), anchors_.end(), std::int64_t{0},
                                                      [](std::int64_t p, const Anchor& a) { return p < a.windowPos; });
        anchors_.erase(anchors_.begin(), std::prev(firstAfterStart));
    }

    const int fd_;
    const std::string pattern_;  // the bytes searched for: the needle's UTF-8 form, lowered if need be
    const std::u16string text_;  // the needle as verification compares it
    const LineMatch how_;
    const bool lowering_;
    std::optional<std::size_t> rareIndex_;  // of the pattern byte that findPattern looks for first

    std::vector<char> window_;
    std::size_t size_ = 0;
    std::size_t searchFrom_ = 0;  // where the next candidate may begin
    std::size_t counted_ = 0;     // the lines before this position are counted
    std::int64_t dropped_ = 0;    // stream bytes already dropped from the window's front
    std::int64_t linesBefore_ = 0;
    std::int64_t lineStart_ = 0;  // file offset of the line that holds window_[counted_]
    std::vector<Anchor> anchors_{{0, 0}};
    std::int64_t fileOffset_ = 0;  // of the next byte to read, or of raw_[0] when lowering
    bool ended_ = false;

    // Lowering only: file bytes read but not yet lowered.
    std::vector<char> raw_;
    std::size_t rawSize_ = 0;
    bool rawEnded_ = false;
    std::vector<text::Utf8LengthChange> changes_;
};

// Closes the file however the search ends. A failing close cannot lose data of a file only read.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(int fd) : fd_(fd) {}
    ~ReadOnlyFile() { ::close(fd_); }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    int fd() const { return fd_; }

    bool isRegular() const
    {
        struct stat status;
        return ::fstat(fd_, &status) == 0 && S_ISREG(status.st_mode);
    }

private:
    int fd_;
};

int openForReading(const std::string& path)
{
    if (path.find('\0') != std::string::npos) return -1;  // the kernel would see a shorter path
    int fd;
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it changes nothing for regular files.
    do fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

std::optional<FoundLine> findFirstLine(const std::string& path, std::u16string_view needle, LineMatch how)
{
    return findFirstLine(path, needle, how, kLineSearchBufferSize);
}

std::optional<FoundLine> findFirstLine(const std::string& path, std::u16string_view needle, LineMatch how,
                                       std::size_t bufferSize)
{
    if (needle.find_first_of(u"\r\n") != std::u16string_view::npos) return std::nullopt;
    std::u16string text = how == LineMatch::ContainsIgnoringCase ? text::toLower(needle) : std::u16string(needle);
    std::string pattern = text::encodeText(text);
    // A text that does not come back from its bytes (a lone surrogate, or byte forms that together
    // make a valid sequence) cannot be part of a decoded line.
    if (text::decodeBytes(pattern) != text) return std::nullopt;
    const int fd = openForReading(path);
    if (fd < 0) return std::nullopt;
    const ReadOnlyFile file(fd);
    if (!file.isRegular()) return std::nullopt;
    return LineScanner(file.fd(), std::move(pattern), std::move(text), how, std::max(bufferSize, kLongestChar)).run();
}

}  // namespace orv::txtfile
