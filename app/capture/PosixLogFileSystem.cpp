#include "PosixLogFileSystem.h"

#include <cerrno>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::capture {

namespace {

[[noreturn]] void fail(int error, const char* call, const std::filesystem::path& file)
{
    throw std::system_error(error, std::generic_category(), std::string(call) + " " + file.string());
}

FileState stateFrom(const struct stat& info)
{
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

}  // namespace

void PosixLogFileSystem::createFolders(const std::filesystem::path& folder)
{
    if (::mkdir(folder.c_str(), 0700) == 0) return;
    int error = errno;
    if (error == ENOENT && folder.has_relative_path() && folder.parent_path() != folder) {
        createFolders(folder.parent_path());
        if (::mkdir(folder.c_str(), 0700) == 0) return;
        error = errno;
    }
    if (error == EEXIST) {
        struct stat info{};
        if (::stat(folder.c_str(), &info) != 0) fail(errno, "stat", folder);
        if (S_ISDIR(info.st_mode)) return;
        error = ENOTDIR;
    }
    fail(error, "mkdir", folder);
}

std::optional<FileState> PosixLogFileSystem::stateOf(const std::filesystem::path& file)
{
    struct stat info{};
    if (::stat(file.c_str(), &info) == 0) return stateFrom(info);
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    fail(errno, "stat", file);
}

FileDescriptor PosixLogFileSystem::openForAppend(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) fail(errno, "open", file);
    return FileDescriptor(fd, file);
}

FileState PosixLogFileSystem::stateOf(const FileDescriptor& file)
{
    struct stat info{};
    if (::fstat(file.get(), &info) != 0) fail(errno, "fstat", file.path());
    return stateFrom(info);
}

std::size_t PosixLogFileSystem::readAt(const FileDescriptor& file, std::uint64_t offset, char* buffer,
                                       std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(file.get(), buffer + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno, "pread", file.path());
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void PosixLogFileSystem::append(const FileDescriptor& file, std::string_view bytes)
{
    ssize_t n;
    do n = ::write(file.get(), bytes.data(), bytes.size());
    while (n < 0 && errno == EINTR);
    if (n < 0) fail(errno, "write", file.path());
    if (static_cast<std::size_t>(n) != bytes.size())
        throw std::system_error(std::make_error_code(std::errc::io_error),
                                "write " + file.path().string() + ": " + std::to_string(n) + " of " +
                                    std::to_string(bytes.size()) + " bytes written");
}

void PosixLogFileSystem::truncate(const FileDescriptor& file, std::uint64_t size)
{
    if (::ftruncate(file.get(), static_cast<off_t>(size)) != 0) fail(errno, "ftruncate", file.path());
}

}  // namespace orv::capture
