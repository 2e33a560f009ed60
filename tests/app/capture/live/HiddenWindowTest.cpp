#include "CapturePrinters.h"
#include "DailyLogWriter.h"
#include "FakeClock.h"
#include "FakeMessageBoxes.h"
#include "FileItem.h"
#include "HiddenWindow.h"
#include "LogLine.h"
#include "NotificationEvent.h"
#include "PosixLogFileSystem.h"
#include "ProgramObjects.h"
#include "ScratchDataHome.h"
#include "ShellEventTable.h"
#include "WindowHook.h"

#include <QCoreApplication>
#include <QVariant>

#include <gtest/gtest.h>

#include <system_error>

namespace orv::capture::live {
namespace {

// Counts its starts and stops; fails to start when asked to.
class CountingSource final : public NotificationSource {
public:
    CountingSource(int& starts, int& stops, bool fails) : starts_(starts), stops_(stops), fails_(fails) {}
    void start() override
    {
        if (fails_) throw std::system_error(EMFILE, std::generic_category(), "inotify_init1");
        ++starts_;
    }
    void stop() override { ++stops_; }

private:
    int& starts_;
    int& stops_;
    bool fails_;
};

// Sees what the hook passes on: installed before the hook, it is asked after it. Qt's own events
// (children added, properties changed) are left out.
class PassedOn final : public QObject {
public:
    std::vector<QEvent::Type> types;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() >= QEvent::User) types.push_back(event->type());
        return false;
    }
};

class HiddenWindowTest : public ::testing::Test {
protected:
    NotificationRegistration::SourceFactory sources(bool secondFails = false)
    {
        return [this, secondFails](NotificationPoster&) {
            std::vector<std::unique_ptr<NotificationSource>> made;
            made.push_back(std::make_unique<CountingSource>(starts, stops, false));
            if (secondFails) made.push_back(std::make_unique<CountingSource>(starts, stops, true));
            return made;
        };
    }

    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        std::string log = home.dailyBytes({2024, 3, 9});
        for (auto end = log.find("\r\n"); end != std::string::npos; end = log.find("\r\n")) {
            lines.push_back(log.substr(0, end));
            log.erase(0, end + 2);
        }
        return lines;
    }

    static QString hex(quintptr id) { return QString::number(id, 16).toUpper(); }

    capture::test::ScratchDataHome home;
    capture::test::FakeClock clock{{{2024, 3, 9}, 12, 0, 0}};
    PosixLogFileSystem files;
    DailyLogWriter writer{home.logsFolder(), clock, files};
    lifecycle::ProgramObjects objects;
    NotificationReceiver receiver{objects.genFuns(), writer};
    orv::test::FakeMessageBoxes boxes;
    int starts = 0;
    int stops = 0;
};

TEST_F(HiddenWindowTest, LoadHooksAndRegistersUnloadUndoesBoth)
{
    HiddenWindow window(receiver, boxes, sources());
    EXPECT_EQ(window.objectName(), "frmPubHide");
    window.load();
    EXPECT_TRUE(window.property(WindowHook::kProperty).isValid());
    EXPECT_TRUE(window.registration().isRegistered());
    EXPECT_FALSE(window.registration().registerWindow(window));  // twice does nothing
    EXPECT_EQ(starts, 1);

    window.unload();
    EXPECT_FALSE(window.property(WindowHook::kProperty).isValid());
    EXPECT_FALSE(window.registration().isRegistered());
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(window.registration().withdraw());  // not registered: nothing
    EXPECT_FALSE(WindowHook::remove(window));
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(HiddenWindowTest, NotificationReachesReceiveEventsOnceAndEveryEventPassesOn)
{
    HiddenWindow window(receiver, boxes, sources());
    PassedOn passedOn;
    window.installEventFilter(&passedOn);
    window.load();

    window.postNotification(kCreateEvent, std::make_unique<FileItem>("/home/me/report.txt"));
    QCoreApplication::postEvent(&window, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&window);

    const auto lines = logLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(LogLine::parse(lines[0])->record, (ActivityRecord{"File", "Created", "/home/me/", "report.txt", ""}));
    EXPECT_EQ(passedOn.types, (std::vector<QEvent::Type>{NotificationEvent::notificationType(), QEvent::User}));
}

TEST_F(HiddenWindowTest, SecondHookIsRefusedAndTheFirstStays)
{
    HiddenWindow window(receiver, boxes, sources());
    window.load();
    EXPECT_FALSE(WindowHook::install(window));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Unable to successfully subclass &H" + hex(window.windowId()));
    EXPECT_EQ(boxes.shown[0].caption, "Orvane");
    EXPECT_EQ(boxes.shown[0].icon, lifecycle::MessageIcon::Critical);

    window.postNotification(kDeleteEvent, std::make_unique<FileItem>("/home/me/old.txt"));
    QCoreApplication::sendPostedEvents(&window);
    EXPECT_EQ(logLines().size(), 1u);  // one hook, one record
}

TEST_F(HiddenWindowTest, WindowDestroyedWhileHookedTellsAndStopsItsSources)
{
    auto window = std::make_unique<HiddenWindow>(receiver, boxes, sources());
    window->load();
    const quintptr id = window->windowId();
    window.reset();

    EXPECT_EQ(stops, 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "WndProc Error");
    EXPECT_EQ(boxes.shown[0].text, "Unubclassed &H" + hex(id));
}

TEST_F(HiddenWindowTest, SourceThatCannotStartLeavesNoneRunningAndIsTold)
{
    HiddenWindow window(receiver, boxes, sources(true));
    EXPECT_FALSE(window.registration().registerWindow(window));
    EXPECT_FALSE(window.registration().isRegistered());
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(stops, 1);
    QCoreApplication::sendPostedEvents(&window);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("inotify_init1")) << boxes.shown[0].text.toStdString();
}

TEST_F(HiddenWindowTest, WithdrawingDeliversWhatWasSeenBefore)
{
    HiddenWindow window(receiver, boxes, sources());
    window.load();
    window.postNotification(kMakeFolderEvent, std::make_unique<FileItem>("/home/me/New"));
    window.unload();
    EXPECT_EQ(logLines().size(), 1u);
}

}  // namespace
}  // namespace orv::capture::live
