#include "TrayMinimizer.h"

#include "FakeTrayIcon.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using orv::lifecycle::TrayMinimizer;

using orv::test::FakeTrayIcon;

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
