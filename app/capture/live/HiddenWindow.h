#pragma once

#include "MessageBoxes.h"
#include "Notification.h"
#include "NotificationPoster.h"
#include "NotificationReceiver.h"
#include "NotificationRegistration.h"

#include <QObject>

namespace orv::capture::live {

// frmPubHide: the hidden object that notifications are posted to, one event each. Loading it
// installs the hook, which hands each notification to receiveEvents, and registers it, which
// starts the notification sources; unloading withdraws the registration and removes the hook.
// Lives on the user-interface thread; the poster's calls may come from any thread.
class HiddenWindow final : public QObject, public NotificationPoster {
    Q_OBJECT

public:
    HiddenWindow(NotificationReceiver& receiver, lifecycle::MessageBoxes& messageBoxes,
                 NotificationRegistration::SourceFactory makeSources, QObject* parent = nullptr);
    // Withdraws a registration left standing, so that no source posts to a window that is gone.
    // A hook left installed is the hook's to tell about.
    ~HiddenWindow() override;

    // The results are not examined: a hook that fails has told the user, and a registration that
    // fails leaves Orvane running without capture.
    void load();
    void unload();

    // Decodes one notification and writes the record it yields; the hook calls it.
    void receiveEvents(const Notification& notification);

    // What stands for a native window id in messages: the object's address, which stays the same
    // for its life.
    quintptr windowId() const;
    lifecycle::MessageBoxes& messageBoxes() const { return messageBoxes_; }
    NotificationRegistration& registration() { return registration_; }

    void postNotification(std::uint32_t code, std::unique_ptr<ShellItem> first,
                          std::unique_ptr<ShellItem> second = nullptr) override;
    void postProblem(std::string text) override;

protected:
    bool event(QEvent* event) override;

private:
    NotificationReceiver& receiver_;
    lifecycle::MessageBoxes& messageBoxes_;
    NotificationRegistration registration_;
};

}  // namespace orv::capture::live
