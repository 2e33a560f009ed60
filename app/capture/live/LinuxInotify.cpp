#include "LinuxInotify.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace orv::capture::live {

namespace {

std::system_error failure(const char* call) { return std::system_error(errno, std::generic_category(), call); }

// Drains the eventfd; it holds a counter, not a queue.
void clearWakeUp(int fd)
{
    std::uint64_t count = 0;
    if (::read(fd, &count, sizeof count) < 0 && errno != EAGAIN) throw failure("read (eventfd)");
}

}  // namespace

LinuxInotify::LinuxInotify() : buffer_(256 * 1024)
{
    const int inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify < 0) throw failure("inotify_init1");
    inotify_ = FileDescriptor(inotify, "inotify");
    const int wakeUp = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeUp < 0) throw failure("eventfd");
    wakeUp_ = FileDescriptor(wakeUp, "eventfd");
}

InotifyInstance::AddedWatch LinuxInotify::addWatch(const std::string& folder, std::uint32_t mask)
{
    const int watch = ::inotify_add_watch(inotify_.get(), folder.c_str(), mask | IN_DONT_FOLLOW | IN_ONLYDIR);
    if (watch < 0) return {-1, errno};
    return {watch, 0};
}

void LinuxInotify::removeWatch(int watch)
{
    if (::inotify_rm_watch(inotify_.get(), watch) != 0 && errno != EINVAL) throw failure("inotify_rm_watch");
}

void LinuxInotify::waitForEvents(std::vector<InotifyEvent>& events)
{
    pollfd watched[2] = {{inotify_.get(), POLLIN, 0}, {wakeUp_.get(), POLLIN, 0}};
    int ready = 0;
    do {
        ready = ::poll(watched, 2, -1);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) throw failure("poll");
    if (watched[1].revents != 0) clearWakeUp(wakeUp_.get());
    if (watched[0].revents == 0) return;

    ssize_t size = 0;
    do {
        size = ::read(inotify_.get(), buffer_.data(), buffer_.size());
    } while (size < 0 && errno == EINTR);
    if (size < 0) {
        if (errno == EAGAIN) return;
        throw failure("read (inotify)");
    }
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= size;) {
        inotify_event header;
        std::memcpy(&header, buffer_.data() + at, sizeof header);
        const char* name = buffer_.data() + at + sizeof header;
        // The name is padded with NULs to an aligned length.
        events.push_back({header.wd, header.mask, header.cookie, std::string(name, ::strnlen(name, header.len))});
        at += static_cast<ssize_t>(sizeof header + header.len);
    }
}

void LinuxInotify::wake()
{
    const std::uint64_t one = 1;
    if (::write(wakeUp_.get(), &one, sizeof one) < 0 && errno != EAGAIN) throw failure("write (eventfd)");
}

std::uint64_t LinuxInotify::watchLimit() const
{
    std::ifstream file("/proc/sys/fs/inotify/max_user_watches");
    std::uint64_t limit = 0;
    file >> limit;
    return limit;
}

}  // namespace orv::capture::live
