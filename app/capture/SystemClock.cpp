#include "SystemClock.h"

#include <cerrno>
#include <ctime>
#include <system_error>

namespace orv::capture {

LocalDateTime SystemClock::now() const
{
    timespec stamp{};
    if (clock_gettime(CLOCK_REALTIME, &stamp) != 0)
        throw std::system_error(errno, std::generic_category(), "clock_gettime");
    tm local{};
    if (!localtime_r(&stamp.tv_sec, &local)) throw std::system_error(errno, std::generic_category(), "localtime_r");
    return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace orv::capture
