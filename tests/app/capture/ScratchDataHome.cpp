#include "ScratchDataHome.h"

#include "LogPaths.h"

#include <cstdlib>

namespace orv::capture::test {

ScratchDataHome::ScratchDataHome()
{
    if (const char* now = std::getenv("XDG_DATA_HOME")) previous_ = now;
    ::setenv("XDG_DATA_HOME", dir_.path().c_str(), 1);
}

ScratchDataHome::~ScratchDataHome()
{
    if (previous_) ::setenv("XDG_DATA_HOME", previous_->c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
}

std::filesystem::path ScratchDataHome::logsFolder() const { return LogPaths::defaultLogsFolder(); }

std::filesystem::path ScratchDataHome::dailyFile(const LocalDate& date) const
{
    return LogPaths::dailyFile(logsFolder(), date);
}

std::string ScratchDataHome::dailyBytes(const LocalDate& date) const
{
    return orv::test::ScratchDir::read(dailyFile(date));
}

}  // namespace orv::capture::test
