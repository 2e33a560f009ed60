#pragma once

#include "InotifyEvent.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv::capture::live {

// One inotify instance. waitForEvents() is called on the folder source's reader thread, addWatch()
// and removeWatch() on its processing thread, wake() from any thread. Failures throw
// std::system_error naming the call, except those of addWatch, which the caller acts on.
class InotifyInstance {
public:
    struct AddedWatch {
        int watch = -1;
        int error = 0;  // errno of inotify_add_watch; 0 when the watch was added
    };

    virtual ~InotifyInstance() = default;

    // Watches one folder (not following a symbolic link). The same folder reached by another
    // path gives back the watch it already has.
    virtual AddedWatch addWatch(const std::string& folder, std::uint32_t mask) = 0;
    // A watch the kernel has already dropped (its folder deleted or unmounted) is no error.
    virtual void removeWatch(int watch) = 0;
    // Waits for events or for wake(), and appends the events that are there.
    virtual void waitForEvents(std::vector<InotifyEvent>& events) = 0;
    virtual void wake() = 0;
    // The number of watches a user may hold (fs.inotify.max_user_watches).
    virtual std::uint64_t watchLimit() const = 0;
};

}  // namespace orv::capture::live
