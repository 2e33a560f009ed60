#include "InMemoryNotificationSource.h"

#include "FileItem.h"
#include "MountPointItem.h"

namespace orv::capture::test {

namespace {

std::unique_ptr<ShellItem> fileItem(std::optional<std::string> path)
{
    if (!path) return nullptr;
    return std::make_unique<FileItem>(std::move(*path));
}

}  // namespace

InMemoryNotificationSource& InMemoryNotificationSource::post(std::uint32_t code, std::optional<std::string> first,
                                                             std::optional<std::string> second)
{
    queue_.push_back({code, fileItem(std::move(first)), fileItem(std::move(second))});
    return *this;
}

InMemoryNotificationSource& InMemoryNotificationSource::postMount(std::uint32_t code, std::string mountPoint,
                                                                  std::string volumeLabel)
{
    queue_.push_back({code, std::make_unique<MountPointItem>(std::move(mountPoint), std::move(volumeLabel)), nullptr});
    return *this;
}

bool InMemoryNotificationSource::deliverOne()
{
    if (queue_.empty()) return false;
    const Queued next = std::move(queue_.front());
    queue_.pop_front();
    receiver_.receiveEvents({next.code, next.first.get(), next.second.get()});
    return true;
}

void InMemoryNotificationSource::deliverAll()
{
    while (deliverOne()) {
    }
}

}  // namespace orv::capture::test
