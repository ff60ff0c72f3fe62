// The dated error log is written to the program folder, which Qt knows only once an application object
// exists; this gives the test program one for its whole run.
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
    char name_[16] = "database_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};

// Google Test takes ownership of registered environments.
testing::Environment* const registered = testing::AddGlobalTestEnvironment(new CoreApplication);

} // namespace
