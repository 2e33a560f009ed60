#include "LiveSources.h"

#include "InotifySource.h"
#include "MountTableSource.h"
#include "SystemMountFacts.h"

namespace orv::capture::live {

std::vector<std::unique_ptr<NotificationSource>> makeLiveSources(const LiveCaptureSettings& settings,
                                                                 NotificationPoster& poster)
{
    auto folders = std::make_unique<InotifySource>(settings.roots, WatchRules(settings.excludedFolders), poster);
    auto mounts = std::make_unique<MountTableSource>(poster, folders.get(), std::make_unique<SystemMountFacts>(),
                                                     MountClassifier(settings.mediaFolders));
    std::vector<std::unique_ptr<NotificationSource>> sources;
    sources.push_back(std::move(folders));
    sources.push_back(std::move(mounts));
    return sources;
}

}  // namespace orv::capture::live
