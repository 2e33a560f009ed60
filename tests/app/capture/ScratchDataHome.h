#pragma once

#include "LocalDateTime.h"
#include "ScratchDir.h"

#include <filesystem>
#include <optional>
#include <string>

namespace orv::capture::test {

// Points XDG_DATA_HOME at a fresh scratch folder while it lives, so that the logs folder of the
// test is its own.
class ScratchDataHome {
public:
    ScratchDataHome();
    ~ScratchDataHome();
    ScratchDataHome(const ScratchDataHome&) = delete;
    ScratchDataHome& operator=(const ScratchDataHome&) = delete;

    const std::filesystem::path& path() const { return dir_.path(); }
    std::filesystem::path logsFolder() const;
    std::filesystem::path dailyFile(const LocalDate& date) const;
    // The daily file's bytes; "" when it does not exist.
    std::string dailyBytes(const LocalDate& date) const;

private:
    orv::test::ScratchDir dir_;
    std::optional<std::string> previous_;
};

}  // namespace orv::capture::test
