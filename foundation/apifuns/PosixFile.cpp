#include "PosixFile.h"

#include "SystemCallError.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace qdk::apifuns {

PosixFile::PosixFile(const std::string& path, int flags, mode_t mode) : descriptor_(-1), path_(path)
{
    if (path.find('\0') != std::string::npos) throw std::invalid_argument("a path that holds a NUL byte names no file");
    do descriptor_ = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    while (descriptor_ < 0 && errno == EINTR);
    if (descriptor_ < 0) throwSystemCallError("open", path);
}

PosixFile::PosixFile(int descriptor, std::string path) : descriptor_(descriptor), path_(std::move(path)) {}

PosixFile::PosixFile(PosixFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), path_(std::move(other.path_))
{
}

PosixFile::~PosixFile()
{
    // Only a descriptor that was read from, or whose writes were already synced, is closed here;
    // an error of close(2) then loses nothing.
    if (descriptor_ >= 0) ::close(descriptor_);
}

struct stat PosixFile::status() const
{
    struct stat st {};
    if (::fstat(descriptor_, &st) != 0) throwSystemCallError("fstat", path_);
    return st;
}

std::string PosixFile::readAll(std::size_t limit) const
{
    const struct stat st = status();
    if (!S_ISREG(st.st_mode))
        throw std::system_error(std::make_error_code(std::errc::invalid_argument), "read " + path_ + ": not a regular file");
    const auto tooLarge = [&] {
        return std::system_error(std::make_error_code(std::errc::file_too_large), "read " + path_);
    };
    if (static_cast<std::size_t>(st.st_size) > limit) throw tooLarge();

    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t have = 0;
    for (;;) {
        // One byte more than the limit allows shows that the file grew past it while being read.
        if (have == bytes.size()) bytes.resize(std::min(limit + 1, std::max<std::size_t>(bytes.size() * 2, 4096)));
        const ssize_t got = ::pread(descriptor_, bytes.data() + have, bytes.size() - have, static_cast<off_t>(have));
        if (got < 0) {
            if (errno == EINTR) continue;
            throwSystemCallError("read", path_);
        }
        if (got == 0) break;
        have += static_cast<std::size_t>(got);
        if (have > limit) throw tooLarge();
    }
    bytes.resize(have);
    return bytes;
}

void PosixFile::writeAll(std::string_view bytes) const
{
    while (!bytes.empty()) {
        const ssize_t put = ::write(descriptor_, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            throwSystemCallError("write", path_);
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
}

void PosixFile::sync() const
{
    if (::fsync(descriptor_) != 0) throwSystemCallError("fsync", path_);
}

void PosixFile::close()
{
    const int descriptor = std::exchange(descriptor_, -1);
    // On Linux the descriptor is gone even when close(2) reports EINTR, so it is never retried.
    if (::close(descriptor) != 0 && errno != EINTR) throwSystemCallError("close", path_);
}

}  // namespace qdk::apifuns
