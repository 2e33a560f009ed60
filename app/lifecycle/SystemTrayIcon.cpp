#include "SystemTrayIcon.h"

namespace orv::lifecycle {

bool SystemTrayIcon::add(const QIcon& icon, const QString& tip, std::function<void()> onPress)
{
    if (icon_) return true;
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    icon_ = std::make_unique<QSystemTrayIcon>(icon);
    icon_->setToolTip(tip);
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [onPress = std::move(onPress)](QSystemTrayIcon::ActivationReason reason) {
                         // A press of either button brings the window back; there is no menu.
                         if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context ||
                             reason == QSystemTrayIcon::DoubleClick)
                             onPress();
                     });
    icon_->show();
    return true;
}

void SystemTrayIcon::remove()
{
    if (!icon_) return;
    icon_->hide();
    // The press that asks for removal comes from the icon itself: delete it once that is over.
    icon_.release()->deleteLater();
}

void SystemTrayIcon::showMessage(const QString& title, const QString& text)
{
    if (icon_) icon_->showMessage(title, text, QSystemTrayIcon::Warning);
}

}  // namespace orv::lifecycle
