#pragma once

#include <QIcon>
#include <QString>

#include <functional>

namespace orv::lifecycle {

// The icon in the notification area that stands for the hidden main window.
// Used on the user-interface thread only.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // Shows the icon; onPress runs when the user presses a mouse button on it. False when the
    // desktop has no notification area, and nothing is shown.
    virtual bool add(const QIcon& icon, const QString& tip, std::function<void()> onPress) = 0;
    // Takes the icon away; nothing happens when none is shown.
    virtual void remove() = 0;
    virtual bool isShown() const = 0;
    // A balloon message beside the icon; nothing happens when no icon is shown.
    virtual void showMessage(const QString& title, const QString& text) = 0;
};

}  // namespace orv::lifecycle
