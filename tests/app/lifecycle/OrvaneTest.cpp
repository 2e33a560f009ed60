#include "Orvane.h"

#include "FakeMessageBoxes.h"
#include "FakeTrayIcon.h"
#include "ScratchDir.h"
#include "SystemClock.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QLabel>
#include <QMainWindow>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using orv::lifecycle::MessageAnswer;
using orv::lifecycle::Orvane;

// A run with no notification sources, in a data folder of its own.
struct OrvaneRun {
    orv::test::ScratchDir data;
    orv::capture::SystemClock clock;
    orv::test::FakeMessageBoxes boxes;
    orv::test::FakeTrayIcon tray;
    std::unique_ptr<Orvane> orvane;
    bool finished = false;

    OrvaneRun()
    {
        setenv("XDG_DATA_HOME", data.path().c_str(), 1);
        orv::lifecycle::CommandLine options{{data.path()}};
        orvane = std::make_unique<Orvane>(options, Orvane::Seams{clock, boxes, tray, [](auto&) {
                                              return std::vector<std::unique_ptr<orv::capture::live::NotificationSource>>();
                                          }});
        QObject::connect(orvane.get(), &Orvane::finished, [this] { finished = true; });
        orvane->show();
    }
    bool close() { return orvane->mainWindow()->close(); }
};

TEST(Orvane, OnlyYesToTheClosingQuestionEndsTheRun)
{
    OrvaneRun run;
    run.boxes.answers = {MessageAnswer::No, MessageAnswer::Cancel, MessageAnswer::Yes};
    EXPECT_FALSE(run.close());
    EXPECT_FALSE(run.close());
    EXPECT_FALSE(run.finished);
    EXPECT_TRUE(run.orvane->mainWindow()->isVisible());
    run.close();
    EXPECT_TRUE(run.finished);
    ASSERT_EQ(run.boxes.shown.size(), 3u);
    EXPECT_EQ(run.boxes.shown[0].caption, QStringLiteral("Orvane"));
    EXPECT_EQ(run.boxes.shown[0].text,
              QStringLiteral("Are you sure you want to stop tracing your operations in the file manager?"));
    EXPECT_EQ(run.boxes.shown[0].buttons, orv::lifecycle::MessageButtons::YesNoCancel);
    EXPECT_EQ(run.boxes.shown[0].icon, orv::lifecycle::MessageIcon::Question);
}

TEST(Orvane, EndingWithoutTheQuestionLeavesNoIconBehind)
{
    OrvaneRun run;
    run.orvane->mainWindow()->setWindowState(Qt::WindowMinimized);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    EXPECT_TRUE(run.tray.isShown());
    run.orvane->shutDown();
    EXPECT_TRUE(run.finished);
    EXPECT_FALSE(run.tray.isShown());
    EXPECT_TRUE(run.boxes.shown.empty());
    EXPECT_TRUE(std::filesystem::is_directory(run.data / "VLM/ORV/logs"));
    EXPECT_EQ(run.orvane->mainWindow()->statusPanel(4)->text(), QStringLiteral(" Version 2.0 (Build 015) "));
    EXPECT_EQ(run.orvane->mainWindow()->fromPicker()->date(), QDate::currentDate().addDays(-1));
    EXPECT_EQ(run.orvane->mainWindow()->toPicker()->date(), QDate::currentDate().addDays(-1));
    EXPECT_NE(orv::test::ScratchDir::read(run.data / "VLM/ORV/configuration.ini").find("Sequence=Month Day Year"),
              std::string::npos);
}

}  // namespace
