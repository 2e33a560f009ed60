#pragma once

#include "ShellItem.h"

#include <cstdint>

namespace orv::capture {

// What a notification source delivers for one change: an event code of the shell event table
// and up to two items (old and new name of a rename). The items belong to the source and are
// valid only while the notification is handled.
struct Notification {
    std::uint32_t eventCode = 0;
    const ShellItem* first = nullptr;
    const ShellItem* second = nullptr;
};

}  // namespace orv::capture
