#pragma once

#include "NotificationSource.h"
#include "NotificationPoster.h"

#include <functional>
#include <memory>
#include <vector>

namespace orv::capture::live {

class HiddenWindow;

// The hidden window's registration for notifications: registering makes and starts the
// notification sources, withdrawing stops them and frees them. Used on the user-interface thread.
class NotificationRegistration {
public:
    // Makes the sources of one registration, posting to the poster given.
    using SourceFactory = std::function<std::vector<std::unique_ptr<NotificationSource>>(NotificationPoster&)>;

    explicit NotificationRegistration(SourceFactory makeSources);
    ~NotificationRegistration();
    NotificationRegistration(const NotificationRegistration&) = delete;
    NotificationRegistration& operator=(const NotificationRegistration&) = delete;

    // False when registered already (nothing happens then), or when a source cannot start: its
    // failure is posted to the window as a problem and no source is left running.
    bool registerWindow(HiddenWindow& window);
    // False when not registered. Notifications posted before the sources stopped are delivered
    // before it returns.
    bool withdraw();
    bool isRegistered() const { return window_ != nullptr; }

private:
    static void stopAll(std::vector<std::unique_ptr<NotificationSource>>& sources);

    SourceFactory makeSources_;
    HiddenWindow* window_ = nullptr;
    std::vector<std::unique_ptr<NotificationSource>> sources_;
};

}  // namespace orv::capture::live
