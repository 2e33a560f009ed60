#pragma once

#include "LinuxInotify.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <unordered_set>

namespace orv::capture::live::test {

// The kernel's inotify with two controls for tests: a watch limit of its own, far below the
// kernel's, and a pause that holds the reader back so that the kernel's queue fills up.
class ControlledInotify final : public InotifyInstance {
public:
    // watchLimit: 0 for the kernel's limit alone.
    explicit ControlledInotify(std::uint64_t watchLimit = 0) : limit_(watchLimit) {}

    // Returns once the reader waits outside read(2); events stay in the kernel's queue meanwhile.
    void pause();
    void resume();

    AddedWatch addWatch(const std::string& folder, std::uint32_t mask) override;
    void removeWatch(int watch) override;
    void waitForEvents(std::vector<InotifyEvent>& events) override;
    void wake() override { kernel_.wake(); }
    std::uint64_t watchLimit() const override { return limit_ ? limit_ : kernel_.watchLimit(); }

private:
    LinuxInotify kernel_;
    const std::uint64_t limit_;

    std::mutex mutex_;
    std::unordered_set<int> watches_;
    std::condition_variable changed_;
    bool paused_ = false;
    bool parked_ = false;
};

}  // namespace orv::capture::live::test
