#include "NotificationEvent.h"

#include <utility>

namespace orv::capture::live {

QEvent::Type NotificationEvent::notificationType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

NotificationEvent::NotificationEvent(std::uint32_t code, std::unique_ptr<ShellItem> first,
                                     std::unique_ptr<ShellItem> second)
    : QEvent(notificationType()), code_(code), first_(std::move(first)), second_(std::move(second))
{
}

}  // namespace orv::capture::live
