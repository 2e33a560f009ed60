// The writer's retry timer needs an event loop; one application object serves every test.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CoreApplicationEnvironment final : public ::testing::Environment {
public:
    void SetUp() override { application_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[13] = "capture_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

}  // namespace
