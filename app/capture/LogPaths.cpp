#include "LogPaths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace orv::capture {

namespace {

std::filesystem::path homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home == '/') return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    const int error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found);
    if (error != 0) throw std::system_error(error, std::generic_category(), "getpwuid_r");
    if (!found || !found->pw_dir || *found->pw_dir != '/')
        throw std::system_error(std::make_error_code(std::errc::no_such_file_or_directory),
                                "getpwuid_r: no home folder for this user");
    return found->pw_dir;
}

}  // namespace

std::filesystem::path LogPaths::defaultLogsFolder()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const std::filesystem::path base =
        dataHome && *dataHome == '/' ? std::filesystem::path(dataHome) : homeFolder() / ".local/share";
    return base / "VLM" / "ORV" / "logs";
}

std::filesystem::path LogPaths::monthFolder(const std::filesystem::path& logsFolder, const LocalDate& date)
{
    char name[16];
    std::snprintf(name, sizeof name, "%04d%02d", date.year, date.month);
    return logsFolder / name;
}

std::filesystem::path LogPaths::dailyFile(const std::filesystem::path& logsFolder, const LocalDate& date)
{
    char name[16];
    std::snprintf(name, sizeof name, "%02d.log", date.day);
    return monthFolder(logsFolder, date) / name;
}

}  // namespace orv::capture
