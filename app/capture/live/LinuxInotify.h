#pragma once

#include "FileDescriptor.h"
#include "InotifyInstance.h"

#include <vector>

namespace orv::capture::live {

// The kernel's inotify instance, with an eventfd that wake() signals.
class LinuxInotify final : public InotifyInstance {
public:
    // Throws std::system_error naming inotify_init1 or eventfd.
    LinuxInotify();

    AddedWatch addWatch(const std::string& folder, std::uint32_t mask) override;
    void removeWatch(int watch) override;
    void waitForEvents(std::vector<InotifyEvent>& events) override;
    void wake() override;
    std::uint64_t watchLimit() const override;

private:
    FileDescriptor inotify_;
    FileDescriptor wakeUp_;
    // Room for about ten thousand events per read(2), so that one call drains a busy queue.
    std::vector<char> buffer_;
};

}  // namespace orv::capture::live
