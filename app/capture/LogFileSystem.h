#pragma once

#include "FileDescriptor.h"
#include "FileState.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace orv::capture {

// The file-system calls of the log writer. Called on the user-interface thread. Every failure
// throws std::system_error whose text names the failing call and the file.
class LogFileSystem {
public:
    virtual ~LogFileSystem() = default;

    // Creates the folder and every missing folder above it, each private (0700).
    virtual void createFolders(const std::filesystem::path& folder) = 0;
    // The file's state; nothing when it does not exist.
    virtual std::optional<FileState> stateOf(const std::filesystem::path& file) = 0;
    // Opens for reading and appending (every write lands at the end), creating the file private
    // (0600) when it is missing.
    virtual FileDescriptor openForAppend(const std::filesystem::path& file) = 0;
    virtual FileState stateOf(const FileDescriptor& file) = 0;
    // Reads up to `size` bytes at `offset`; fewer only at the end of the file.
    virtual std::size_t readAt(const FileDescriptor& file, std::uint64_t offset, char* buffer, std::size_t size) = 0;
    // Writes the bytes with one write(2); a short write throws as well.
    virtual void append(const FileDescriptor& file, std::string_view bytes) = 0;
    virtual void truncate(const FileDescriptor& file, std::uint64_t size) = 0;
};

}  // namespace orv::capture
