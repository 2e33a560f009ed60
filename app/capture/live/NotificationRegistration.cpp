#include "NotificationRegistration.h"

#include "HiddenWindow.h"
#include "NotificationEvent.h"

#include <QCoreApplication>

#include <system_error>

namespace orv::capture::live {

NotificationRegistration::NotificationRegistration(SourceFactory makeSources) : makeSources_(std::move(makeSources)) {}

NotificationRegistration::~NotificationRegistration() { withdraw(); }

bool NotificationRegistration::registerWindow(HiddenWindow& window)
{
    if (window_) return false;
    auto sources = makeSources_(window);
    std::size_t started = 0;
    try {
        for (; started < sources.size(); ++started) sources[started]->start();
    } catch (const std::system_error& error) {
        sources.resize(started);
        stopAll(sources);
        window.postProblem(std::string("Orvane cannot record your operations: ") + error.what());
        return false;
    }
    sources_ = std::move(sources);
    window_ = &window;
    return true;
}

bool NotificationRegistration::withdraw()
{
    if (!window_) return false;
    stopAll(sources_);
    // What the sources saw before they stopped still belongs in the log.
    QCoreApplication::sendPostedEvents(window_, NotificationEvent::notificationType());
    while (!sources_.empty()) sources_.pop_back();
    window_ = nullptr;
    return true;
}

// Later sources may feed earlier ones (media handed to the folder source), so they stop first.
void NotificationRegistration::stopAll(std::vector<std::unique_ptr<NotificationSource>>& sources)
{
    for (auto it = sources.rbegin(); it != sources.rend(); ++it) (*it)->stop();
}

}  // namespace orv::capture::live
