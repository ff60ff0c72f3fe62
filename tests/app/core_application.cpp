// The runs wait for the backup tool in an event loop and write the dated error log to the program
// folder; both need an application object for the whole test program.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <memory>

namespace {

class CoreApplication : public testing::Environment {
public:
    void SetUp() override { application_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "app_run_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};

// Google Test takes ownership of registered environments.
testing::Environment* const registered = testing::AddGlobalTestEnvironment(new CoreApplication);

} // namespace
