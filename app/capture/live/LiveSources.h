#pragma once

#include "LiveCaptureSettings.h"
#include "NotificationPoster.h"
#include "NotificationSource.h"

#include <memory>
#include <vector>

namespace orv::capture::live {

// The notification sources of Linux, in the order they start: the folder source (inotify), then
// the mount source, which hands media to the folder source.
std::vector<std::unique_ptr<NotificationSource>> makeLiveSources(const LiveCaptureSettings& settings,
                                                                 NotificationPoster& poster);

}  // namespace orv::capture::live
