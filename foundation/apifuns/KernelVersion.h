#pragma once

#include <cstdint>
#include <string_view>

namespace qdk::apifuns {

// The major version of the running kernel (6 for "6.1.0-18-amd64"); 0 when it cannot be read.
std::int32_t kernelMajorVersion();

// The number a kernel release text starts with; 0 when it starts with none.
std::int32_t majorVersionOf(std::string_view release);

}  // namespace qdk::apifuns
