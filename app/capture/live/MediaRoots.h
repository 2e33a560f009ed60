#pragma once

#include <string>

namespace orv::capture::live {

// The folder source as the mount source sees it: media are watched like the roots from their
// insertion to their removal. Called on the user-interface thread; the calls take effect on the
// folder source's own thread, in order.
class MediaRoots {
public:
    virtual ~MediaRoots() = default;

    // Watches the folder and everything below it; its present content is not reported.
    virtual void addRoot(const std::string& folder) = 0;
    // Stops watching a folder given to addRoot, without reporting anything.
    virtual void removeRoot(const std::string& folder) = 0;
};

}  // namespace orv::capture::live
