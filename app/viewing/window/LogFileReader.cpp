#include "LogFileReader.h"

#include "FileDescriptor.h"
#include "LineSplitter.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::viewing {

namespace {

constexpr std::size_t kReadBytes = std::size_t(1) << 20;

LogFileReader::Result failure(const char* call, const std::filesystem::path& file, int error)
{
    LogFileReader::Result result;
    result.outcome = LogFileReader::Outcome::Unreadable;
    result.error = std::string(call) + " " + file.string() + ": " + std::strerror(error);
    return result;
}

}  // namespace

LogFileReader::Result LogFileReader::read(const std::filesystem::path& file, LogRecords& records,
                                          const std::optional<Position>& resume)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};
        return failure("open", file, errno);
    }
    const capture::FileDescriptor descriptor(fd, file);
    struct stat status {};
    if (::fstat(fd, &status) != 0) return failure("fstat", file, errno);
    if (!S_ISREG(status.st_mode)) return failure("open", file, S_ISDIR(status.st_mode) ? EISDIR : EINVAL);

    Result result;
    result.outcome = Outcome::Read;
    result.position.device = static_cast<std::uint64_t>(status.st_dev);
    result.position.inode = static_cast<std::uint64_t>(status.st_ino);
    std::uint64_t offset = 0;
    if (resume && resume->device == result.position.device && resume->inode == result.position.inode &&
        resume->offset <= static_cast<std::uint64_t>(status.st_size)) {
        offset = resume->offset;
        result.fromStart = false;
    }

    LogRecords read;
    capture::LineSplitter splitter;
    const capture::LineSplitter::OnLine addLine = [&read](std::string_view line, std::uint64_t) { read.addLine(line); };
    const auto buffer = std::make_unique_for_overwrite<char[]>(kReadBytes);
    for (;;) {
        const ssize_t got = ::pread(fd, buffer.get(), kReadBytes, static_cast<off_t>(offset));
        if (got < 0) {
            if (errno == EINTR) continue;
            return failure("read", file, errno);
        }
        if (got == 0) break;
        splitter.feed(std::string_view(buffer.get(), static_cast<std::size_t>(got)), addLine);
        offset += static_cast<std::uint64_t>(got);
    }
    splitter.finish(addLine);
    result.position.offset = offset;
    records.append(std::move(read));
    return result;
}

}  // namespace orv::viewing
