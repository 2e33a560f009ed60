#pragma once

#include "TrayIcon.h"

#include <vector>

namespace orv::test {

// A notification area that a test presses; `available` false stands for a desktop without one.
class FakeTrayIcon final : public lifecycle::TrayIcon {
public:
    bool available = true;
    int added = 0;
    QString tip;
    std::function<void()> onPress;
    std::vector<QString> messages;

    bool add(const QIcon&, const QString& t, std::function<void()> press) override
    {
        if (!available) return false;
        ++added;
        tip = t;
        onPress = std::move(press);
        return true;
    }
    void remove() override { onPress = nullptr; }
    bool isShown() const override { return static_cast<bool>(onPress); }
    void showMessage(const QString&, const QString& text) override { messages.push_back(text); }
};

}  // namespace orv::test
