#include "ControlledInotify.h"

#include <cerrno>

#include <sys/inotify.h>

namespace orv::capture::live::test {

void ControlledInotify::pause()
{
    std::unique_lock lock(mutex_);
    paused_ = true;
    kernel_.wake();
    changed_.wait(lock, [&] { return parked_; });
}

void ControlledInotify::resume()
{
    const std::lock_guard lock(mutex_);
    paused_ = false;
    changed_.notify_all();
}

InotifyInstance::AddedWatch ControlledInotify::addWatch(const std::string& folder, std::uint32_t mask)
{
    const std::lock_guard lock(mutex_);
    if (limit_ && watches_.size() >= limit_) return {-1, ENOSPC};
    const auto added = kernel_.addWatch(folder, mask);
    if (added.error == 0) watches_.insert(added.watch);
    return added;
}

void ControlledInotify::removeWatch(int watch)
{
    const std::lock_guard lock(mutex_);
    watches_.erase(watch);
    kernel_.removeWatch(watch);
}

void ControlledInotify::waitForEvents(std::vector<InotifyEvent>& events)
{
    {
        std::unique_lock lock(mutex_);
        if (paused_) {
            parked_ = true;
            changed_.notify_all();
            changed_.wait(lock, [&] { return !paused_; });
            parked_ = false;
        }
    }
    const auto first = events.size();
    kernel_.waitForEvents(events);
    const std::lock_guard lock(mutex_);
    for (auto i = first; i < events.size(); ++i)
        if (events[i].mask & IN_IGNORED) watches_.erase(events[i].watch);
}

}  // namespace orv::capture::live::test
