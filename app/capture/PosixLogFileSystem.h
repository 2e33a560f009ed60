#pragma once

#include "LogFileSystem.h"

namespace orv::capture {

class PosixLogFileSystem : public LogFileSystem {
public:
    void createFolders(const std::filesystem::path& folder) override;
    std::optional<FileState> stateOf(const std::filesystem::path& file) override;
    FileDescriptor openForAppend(const std::filesystem::path& file) override;
    FileState stateOf(const FileDescriptor& file) override;
    std::size_t readAt(const FileDescriptor& file, std::uint64_t offset, char* buffer, std::size_t size) override;
    void append(const FileDescriptor& file, std::string_view bytes) override;
    void truncate(const FileDescriptor& file, std::uint64_t size) override;
};

}  // namespace orv::capture
