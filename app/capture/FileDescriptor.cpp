#include "FileDescriptor.h"

#include <utility>

#include <unistd.h>

namespace orv::capture {

FileDescriptor::FileDescriptor(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_))
{
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        reset();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

FileDescriptor::~FileDescriptor() { reset(); }

void FileDescriptor::reset()
{
    // Each record reached the kernel with its own write(2), whose result was checked; for a local
    // file close(2) has nothing left to report, and the descriptor is gone whatever it answers.
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    path_.clear();
}

}  // namespace orv::capture
