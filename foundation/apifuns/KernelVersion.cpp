#include "KernelVersion.h"

#include <charconv>

#include <sys/utsname.h>

namespace qdk::apifuns {

std::int32_t kernelMajorVersion()
{
    struct utsname names {};
    if (::uname(&names) != 0) return 0;
    return majorVersionOf(names.release);
}

std::int32_t majorVersionOf(std::string_view release)
{
    std::int32_t major = 0;
    const auto [end, error] = std::from_chars(release.data(), release.data() + release.size(), major);
    return error == std::errc() && major >= 0 ? major : 0;
}

}  // namespace qdk::apifuns
