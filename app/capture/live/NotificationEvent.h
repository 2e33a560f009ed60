#pragma once

#include "Notification.h"
#include "ShellItem.h"

#include <QEvent>

#include <cstdint>
#include <memory>

namespace orv::capture::live {

// One notification on its way to the hidden window, posted from whichever thread saw it. The
// event owns its items; they live until the event has been handled.
class NotificationEvent final : public QEvent {
public:
    // The type of every notification event, registered with Qt once.
    static QEvent::Type notificationType();

    NotificationEvent(std::uint32_t code, std::unique_ptr<ShellItem> first, std::unique_ptr<ShellItem> second);

    Notification notification() const { return {code_, first_.get(), second_.get()}; }

private:
    std::uint32_t code_;
    std::unique_ptr<ShellItem> first_;
    std::unique_ptr<ShellItem> second_;
};

}  // namespace orv::capture::live
