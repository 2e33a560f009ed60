#include "ProcessEnvironment.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace qdk::apifuns {

std::optional<std::string> ProcessEnvironment::variable(const char* name) const
{
    const char* value = ::secure_getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

std::string ProcessEnvironment::passwordHome() const
{
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    while (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    return found && found->pw_dir ? std::string(found->pw_dir) : std::string();
}

}  // namespace qdk::apifuns
