#include "HiddenWindow.h"

#include "NotificationEvent.h"
#include "ProblemEvent.h"
#include "ProgramVersion.h"
#include "Utf8Codec.h"
#include "WindowHook.h"

#include <QCoreApplication>

#include <utility>

namespace orv::capture::live {

HiddenWindow::HiddenWindow(NotificationReceiver& receiver, lifecycle::MessageBoxes& messageBoxes,
                           NotificationRegistration::SourceFactory makeSources, QObject* parent)
    : QObject(parent), receiver_(receiver), messageBoxes_(messageBoxes), registration_(std::move(makeSources))
{
    setObjectName(QStringLiteral("frmPubHide"));
}

HiddenWindow::~HiddenWindow() { registration_.withdraw(); }

void HiddenWindow::load()
{
    WindowHook::install(*this);
    registration_.registerWindow(*this);
}

void HiddenWindow::unload()
{
    registration_.withdraw();
    WindowHook::remove(*this);
}

void HiddenWindow::receiveEvents(const Notification& notification) { receiver_.receiveEvents(notification); }

quintptr HiddenWindow::windowId() const { return reinterpret_cast<quintptr>(static_cast<const QObject*>(this)); }

void HiddenWindow::postNotification(std::uint32_t code, std::unique_ptr<ShellItem> first,
                                    std::unique_ptr<ShellItem> second)
{
    QCoreApplication::postEvent(this, new NotificationEvent(code, std::move(first), std::move(second)));
}

void HiddenWindow::postProblem(std::string text)
{
    QCoreApplication::postEvent(this, new ProblemEvent(QString::fromStdU16String(text::decodeBytes(text))));
}

bool HiddenWindow::event(QEvent* event)
{
    if (event->type() == ProblemEvent::problemType()) {
        messageBoxes_.show({lifecycle::kProgramName, static_cast<ProblemEvent*>(event)->text(),
                            lifecycle::MessageIcon::Exclamation, lifecycle::MessageButtons::Ok});
        return true;
    }
    // A notification's work is the hook's; without the hook it ends here.
    if (event->type() == NotificationEvent::notificationType()) return true;
    return QObject::event(event);
}

}  // namespace orv::capture::live
