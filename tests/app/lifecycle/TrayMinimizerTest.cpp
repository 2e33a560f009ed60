#include "TrayMinimizer.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using orv::lifecycle::TrayMinimizer;

class FakeTrayIcon final : public orv::lifecycle::TrayIcon {
public:
    bool available = true;
    int added = 0;
    QString tip;
    std::function<void()> onPress;

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
    std::vector<QString> messages;
};

void settle()
{
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

TEST(TrayMinimizer, MinimizingLeavesExactlyOneIconAndAPressBringsTheWindowBack)
{
    QWidget window;
    FakeTrayIcon tray;
    TrayMinimizer minimizer(&window, tray, QStringLiteral("Orvane"));
    window.show();
    settle();

    for (int round = 1; round <= 2; ++round) {
        window.setWindowState(Qt::WindowMinimized);
        settle();
        EXPECT_EQ(tray.added, round);
        EXPECT_TRUE(tray.isShown());
        EXPECT_EQ(tray.tip, QStringLiteral("Orvane"));
        EXPECT_FALSE(window.isVisible());

        tray.onPress();
        settle();
        EXPECT_FALSE(tray.isShown());
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.isMinimized());
    }
}

TEST(TrayMinimizer, WithoutANotificationAreaTheWindowMinimizesAsUsual)
{
    QWidget window;
    FakeTrayIcon tray;
    tray.available = false;
    TrayMinimizer minimizer(&window, tray, QStringLiteral("Orvane"));
    window.show();
    settle();
    window.setWindowState(Qt::WindowMinimized);
    settle();
    EXPECT_FALSE(tray.isShown());
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
