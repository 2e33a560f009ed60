#pragma once

#include "UserEnvironment.h"

namespace qdk::apifuns {

// The environment of this process and the password entry of its effective user.
class ProcessEnvironment final : public UserEnvironment {
public:
    // Unset in a set-user-ID program (secure_getenv), whose environment belongs to another user.
    std::optional<std::string> variable(const char* name) const override;
    std::string passwordHome() const override;
};

}  // namespace qdk::apifuns
