#pragma once

#include <cerrno>
#include <string>
#include <system_error>

namespace qdk::apifuns {

// The error of a failed system call, from errno, naming the call and what it worked on.
[[noreturn]] inline void throwSystemCallError(const char* call, const std::string& subject)
{
    throw std::system_error(errno, std::generic_category(), std::string(call) + " " + subject);
}

}  // namespace qdk::apifuns
