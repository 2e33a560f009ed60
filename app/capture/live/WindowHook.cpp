#include "WindowHook.h"

#include "HiddenWindow.h"
#include "NotificationEvent.h"
#include "ProgramVersion.h"

#include <QVariant>

namespace orv::capture::live {

namespace {

QString hexId(quintptr id) { return QString::number(id, 16).toUpper(); }

}  // namespace

WindowHook::WindowHook(HiddenWindow& window)
    : QObject(&window), window_(window), messageBoxes_(window.messageBoxes()), windowId_(window.windowId())
{
    connect(&window, &QObject::destroyed, this, &WindowHook::windowDestroyed);
}

bool WindowHook::install(HiddenWindow& window)
{
    if (window.property(kProperty).isValid()) {
        window.messageBoxes().show({lifecycle::kProgramName,
                                    QStringLiteral("Unable to successfully subclass &H") + hexId(window.windowId()),
                                    lifecycle::MessageIcon::Critical, lifecycle::MessageButtons::Ok});
        return false;
    }
    auto* hook = new WindowHook(window);
    window.installEventFilter(hook);
    window.setProperty(kProperty, QVariant::fromValue<QObject*>(hook));
    return true;
}

bool WindowHook::remove(HiddenWindow& window)
{
    WindowHook* hook = detach(window);
    delete hook;
    return hook != nullptr;
}

WindowHook* WindowHook::detach(QObject& window)
{
    auto* hook = qobject_cast<WindowHook*>(window.property(kProperty).value<QObject*>());
    if (!hook) return nullptr;
    window.setProperty(kProperty, QVariant());
    window.removeEventFilter(hook);
    return hook;
}

bool WindowHook::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == NotificationEvent::notificationType())
        window_.receiveEvents(static_cast<NotificationEvent*>(event)->notification());
    return false;
}

void WindowHook::windowDestroyed(QObject* window)
{
    // Only QObject's part of the window is left; the hook goes with the window's children.
    detach(*window);
    messageBoxes_.show({QStringLiteral("WndProc Error"), QStringLiteral("Unubclassed &H") + hexId(windowId_),
                        lifecycle::MessageIcon::Critical, lifecycle::MessageButtons::Ok});
}

}  // namespace orv::capture::live
