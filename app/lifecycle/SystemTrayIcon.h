#pragma once

#include "TrayIcon.h"

#include <QSystemTrayIcon>

#include <memory>

namespace orv::lifecycle {

// The desktop's notification area, through QSystemTrayIcon.
class SystemTrayIcon final : public TrayIcon {
public:
    bool add(const QIcon& icon, const QString& tip, std::function<void()> onPress) override;
    void remove() override;
    bool isShown() const override { return icon_ != nullptr; }
    void showMessage(const QString& title, const QString& text) override;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace orv::lifecycle
