#include "WatchProblems.h"

#include <algorithm>

namespace orv::capture::live {

namespace {

// A message names this many folders and counts the rest.
constexpr std::size_t kListed = 20;

void keep(std::vector<std::string>& list, std::size_t& more, std::string line)
{
    if (list.size() < kListed) list.push_back(std::move(line));
    else ++more;
}

std::string listed(const std::vector<std::string>& lines, std::size_t more)
{
    std::string text;
    for (const auto& line : lines) text += line + '\n';
    if (more > 0) text += "and " + std::to_string(more) + " more\n";
    return text;
}

}  // namespace

void WatchProblems::watchLimitReached(std::string folder)
{
    if (!limitTold_) keep(unwatched_, moreUnwatched_, std::move(folder));
}

void WatchProblems::failed(std::string folder, std::string error)
{
    keep(failures_, moreFailures_, folder + " (" + error + ")");
}

std::vector<std::string> WatchProblems::takeMessages(std::uint64_t limit)
{
    std::vector<std::string> messages;
    if (!unwatched_.empty()) {
        const std::uint64_t raised = std::max<std::uint64_t>(524288, 2 * limit);
        const std::string setting = "fs.inotify.max_user_watches=" + std::to_string(raised);
        messages.push_back("Orvane has reached the system's limit of " + std::to_string(limit) +
                           " watched folders (fs.inotify.max_user_watches). It goes on recording what happens "
                           "in the folders it watches, but not in these, nor in anything below them:\n" +
                           listed(unwatched_, moreUnwatched_) +
                           "\nTo raise the limit now and after every restart, run this command and then restart "
                           "Orvane:\necho " + setting + " | sudo tee /etc/sysctl.d/90-orvane.conf && sudo sysctl -p "
                           "/etc/sysctl.d/90-orvane.conf");
        unwatched_.clear();
        moreUnwatched_ = 0;
        limitTold_ = true;
    }
    if (!failures_.empty()) {
        messages.push_back("Orvane cannot record what happens in these folders:\n" + listed(failures_, moreFailures_));
        failures_.clear();
        moreFailures_ = 0;
    }
    return messages;
}

}  // namespace orv::capture::live
