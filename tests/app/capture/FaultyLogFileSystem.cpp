#include "FaultyLogFileSystem.h"

#include <algorithm>
#include <system_error>

namespace orv::capture::test {

void FaultyLogFileSystem::append(const FileDescriptor& file, std::string_view bytes)
{
    if (!failure_) return PosixLogFileSystem::append(file, bytes);
    const auto landing = std::min(failure_->bytesLandingFirst, bytes.size());
    if (landing > 0) PosixLogFileSystem::append(file, bytes.substr(0, landing));
    throw std::system_error(failure_->error, std::generic_category(), "write " + file.path().string());
}

}  // namespace orv::capture::test
