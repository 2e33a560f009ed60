#include "FakeClock.h"

namespace orv::capture::test {

void FakeClock::advance(std::chrono::seconds by)
{
    using namespace std::chrono;
    const sys_days day = year_month_day{year{now_.date.year}, month{static_cast<unsigned>(now_.date.month)},
                                        std::chrono::day{static_cast<unsigned>(now_.date.day)}};
    const auto moved = day + hours{now_.hour} + minutes{now_.minute} + seconds{now_.second} + by;
    const auto movedDay = floor<days>(moved);
    const year_month_day date{movedDay};
    const hh_mm_ss time{moved - movedDay};
    now_ = {{static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
             static_cast<int>(static_cast<unsigned>(date.day()))},
            static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count())};
}

}  // namespace orv::capture::test
