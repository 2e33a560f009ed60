#pragma once

#include <filesystem>

namespace orv::capture {

// Owns one open file descriptor, with the path it was opened by for error texts, and closes it
// when it goes.
class FileDescriptor {
public:
    FileDescriptor() = default;
    FileDescriptor(int fd, std::filesystem::path path);
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor();

    int get() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }
    bool isOpen() const { return fd_ >= 0; }
    void reset();

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

}  // namespace orv::capture
