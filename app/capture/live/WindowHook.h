#pragma once

#include "MessageBoxes.h"

#include <QObject>

namespace orv::capture::live {

class HiddenWindow;

// The hook on the hidden window: an event filter that hands every notification event to the
// window's receiveEvents and then lets it pass on, like every other event. While it is installed
// the window carries the property "OldWndProc", which holds the hook.
class WindowHook final : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kProperty = "OldWndProc";

    // False, after telling the user, when the window carries a hook already; that hook stays.
    static bool install(HiddenWindow& window);
    // False when the window carries no hook.
    static bool remove(HiddenWindow& window);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowHook(HiddenWindow& window);
    // Takes the hook off a window; the caller sees to the hook object.
    static WindowHook* detach(QObject& window);
    // The window is being destroyed with the hook still on it.
    void windowDestroyed(QObject* window);

    HiddenWindow& window_;
    lifecycle::MessageBoxes& messageBoxes_;
    quintptr windowId_;
};

}  // namespace orv::capture::live
