#pragma once

#include "NotificationReceiver.h"
#include "ShellItem.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

namespace orv::capture::test {

// A notification source that tests fill: "code 0x1, items /a/x.txt and /a/y.txt". It owns the
// items and delivers its notifications one at a time, in order, to the receiver, as a real source
// does.
class InMemoryNotificationSource {
public:
    explicit InMemoryNotificationSource(NotificationReceiver& receiver) : receiver_(receiver) {}

    // Items by file path; no item when not given.
    InMemoryNotificationSource& post(std::uint32_t code, std::optional<std::string> first = std::nullopt,
                                     std::optional<std::string> second = std::nullopt);
    InMemoryNotificationSource& postMount(std::uint32_t code, std::string mountPoint, std::string volumeLabel);

    // Delivers the oldest notification; false when none is waiting.
    bool deliverOne();
    void deliverAll();

private:
    struct Queued {
        std::uint32_t code;
        std::unique_ptr<ShellItem> first;
        std::unique_ptr<ShellItem> second;
    };

    NotificationReceiver& receiver_;
    std::deque<Queued> queue_;
};

}  // namespace orv::capture::test
