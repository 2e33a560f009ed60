#pragma once

#include <optional>
#include <string>

namespace qdk::apifuns {

// What folder look-ups read from the process they run in. Tests give their own.
class UserEnvironment {
public:
    virtual ~UserEnvironment() = default;
    // The environment variable's value; nothing when it is not set.
    virtual std::optional<std::string> variable(const char* name) const = 0;
    // The user's home folder from the password database, for when HOME is not set; "" when unknown.
    virtual std::string passwordHome() const = 0;
};

}  // namespace qdk::apifuns
