#pragma once

#include "InotifyEvent.h"
#include "InotifyInstance.h"
#include "MediaRoots.h"
#include "NotificationPoster.h"
#include "NotificationSource.h"
#include "WatchRules.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orv::capture::live {

// The folder source: watches the roots and every folder below them (but those the rules leave
// out) through inotify. Its reader thread does nothing but drain the kernel's queue into a queue
// of its own, as fast as the kernel fills it, so that the kernel's queue does not overflow while
// the rest is busy; its processing thread keeps the watched tree and posts each change as a
// notification; the user-interface thread only delivers them.
class InotifySource final : public NotificationSource, public MediaRoots {
public:
    using InstanceFactory = std::function<std::unique_ptr<InotifyInstance>()>;
    struct Statistics {
        std::size_t watches = 0;
        std::size_t overflows = 0;  // kernel queue overflows, each repaired
    };

    // roots: absolute folders without a trailing '/'. makeInstance gives the inotify instance of
    // each start (the kernel's by default).
    InotifySource(std::vector<std::string> roots, WatchRules rules, NotificationPoster& poster,
                  InstanceFactory makeInstance = {});
    ~InotifySource() override;
    InotifySource(const InotifySource&) = delete;
    InotifySource& operator=(const InotifySource&) = delete;

    void start() override;
    void stop() override;
    void addRoot(const std::string& folder) override;
    void removeRoot(const std::string& folder) override;

    // True from the moment every root given at construction is watched until stop().
    bool isWatching() const { return watching_; }
    // As of the processing thread's last pass; any thread.
    Statistics statistics() const { return {watches_, overflows_}; }

private:
    struct RootChange {
        bool add;
        std::string folder;
    };

    void read();
    void process();
    void changeRoots(RootChange change);

    std::vector<std::string> roots_;
    WatchRules rules_;
    NotificationPoster& poster_;
    InstanceFactory makeInstance_;

    std::unique_ptr<InotifyInstance> instance_;
    std::thread reader_;
    std::thread processor_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> watching_{false};
    std::atomic<std::size_t> watches_{0};
    std::atomic<std::size_t> overflows_{0};

    // What the processing thread has to do, filled by the reader thread and by addRoot/removeRoot.
    std::mutex mutex_;
    std::condition_variable work_;
    std::vector<InotifyEvent> events_;
    std::deque<RootChange> rootChanges_;
};

}  // namespace orv::capture::live
