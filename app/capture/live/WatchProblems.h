#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orv::capture::live {

// What kept the folder source from watching, gathered while it works and told to the user in a
// few messages rather than one per folder. The watch limit is told once per start.
class WatchProblems {
public:
    void watchLimitReached(std::string folder);
    // A folder that cannot be watched or listed, with the error naming the call.
    void failed(std::string folder, std::string error);

    bool any() const { return !unwatched_.empty() || !failures_.empty(); }
    // The messages to show for what was gathered since the last call; limit is the kernel's
    // watch limit.
    std::vector<std::string> takeMessages(std::uint64_t limit);

private:
    std::vector<std::string> unwatched_;
    std::size_t moreUnwatched_ = 0;
    bool limitTold_ = false;
    std::vector<std::string> failures_;
    std::size_t moreFailures_ = 0;
};

}  // namespace orv::capture::live
