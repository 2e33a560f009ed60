#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <sys/stat.h>
#include <sys/types.h>

namespace qdk::apifuns {

// An open file descriptor that closes with its owner. Every operation checks its system call and
// throws std::system_error naming the call and the path.
class PosixFile {
public:
    // open(2) of `path` (raw Linux bytes); O_CLOEXEC is added. A path that holds a NUL byte names
    // no file and is refused before any call.
    PosixFile(const std::string& path, int flags, mode_t mode = 0);
    // Takes over a descriptor that is already open.
    PosixFile(int descriptor, std::string path);
    PosixFile(PosixFile&& other) noexcept;
    PosixFile& operator=(PosixFile&&) = delete;
    PosixFile(const PosixFile&) = delete;
    ~PosixFile();

    int descriptor() const { return descriptor_; }
    const std::string& path() const { return path_; }
    struct stat status() const;

    // The whole content from offset 0 of a regular file of at most `limit` bytes; throws for
    // anything else, since reading a FIFO or a device could wait or never end.
    std::string readAll(std::size_t limit) const;
    void writeAll(std::string_view bytes) const;
    void sync() const;
    // Closes now, so that an error of close(2) is seen.
    void close();

private:
    int descriptor_;
    std::string path_;
};

}  // namespace qdk::apifuns
