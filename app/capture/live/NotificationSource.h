#pragma once

namespace orv::capture::live {

// One kind of change that Orvane watches (folders, mounts), delivering what it sees through the
// NotificationPoster it was made with. start() and stop() are called on the user-interface
// thread.
class NotificationSource {
public:
    virtual ~NotificationSource() = default;

    // Begins to watch. Throws std::system_error naming the failing call when it cannot; nothing
    // is held then.
    virtual void start() = 0;
    // Ends the watch and frees what it holds; nothing is posted after it returns. Does nothing
    // when the source is not started.
    virtual void stop() = 0;
};

}  // namespace orv::capture::live
