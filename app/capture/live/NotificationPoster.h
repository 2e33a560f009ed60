#pragma once

#include "ShellItem.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orv::capture::live {

// Where the notification sources hand what they see. Both calls may come from any thread; what
// is posted reaches the user-interface thread later, in the order it was posted.
class NotificationPoster {
public:
    virtual ~NotificationPoster() = default;

    // One notification: an event code of the shell event table and up to two items.
    virtual void postNotification(std::uint32_t code, std::unique_ptr<ShellItem> first,
                                  std::unique_ptr<ShellItem> second = nullptr) = 0;
    // Something the user must be told, as the text to show.
    virtual void postProblem(std::string text) = 0;
};

}  // namespace orv::capture::live
