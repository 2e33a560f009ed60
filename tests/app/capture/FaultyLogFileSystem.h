#pragma once

#include "PosixLogFileSystem.h"

#include <optional>

namespace orv::capture::test {

// The real file system, except that writes can be made to fail the way a full disk fails them:
// part of the bytes land, then the call reports the error.
class FaultyLogFileSystem final : public PosixLogFileSystem {
public:
    void failWrites(int error, std::size_t bytesLandingFirst) { failure_ = Failure{error, bytesLandingFirst}; }
    void heal() { failure_.reset(); }

    void append(const FileDescriptor& file, std::string_view bytes) override;

private:
    struct Failure {
        int error;
        std::size_t bytesLandingFirst;
    };
    std::optional<Failure> failure_;
};

}  // namespace orv::capture::test
