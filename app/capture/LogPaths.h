#pragma once

#include "LocalDateTime.h"

#include <filesystem>

namespace orv::capture {

// Where the daily log files are: logs folder/YYYYMM/DD.log, one month folder per month.
class LogPaths {
public:
    // $XDG_DATA_HOME/VLM/ORV/logs, or ~/.local/share/VLM/ORV/logs when XDG_DATA_HOME is unset or
    // not absolute. Throws std::system_error when there is no home folder either.
    static std::filesystem::path defaultLogsFolder();

    static std::filesystem::path monthFolder(const std::filesystem::path& logsFolder, const LocalDate& date);
    static std::filesystem::path dailyFile(const std::filesystem::path& logsFolder, const LocalDate& date);
};

}  // namespace orv::capture
