// One QApplication for the whole test program, as widgets need.
#include <QApplication>

#include <gtest/gtest.h>

namespace {

class WidgetsEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "lifecycle_test";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override { delete app_; }

private:
    QApplication* app_ = nullptr;
};

const auto* registered = ::testing::AddGlobalTestEnvironment(new WidgetsEnvironment);

}  // namespace
