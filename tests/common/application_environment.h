// An application object for the whole test program: made before the first test, gone before main
// returns. Qt keeps referring to argc and argv, so they live as long as the environment does.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace akt::test {

template <typename Application> class ApplicationEnvironment : public testing::Environment {
public:
    // The program's own arguments; they must outlive the environment.
    ApplicationEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}
    // A fixed program name, for test programs that keep Google Test's own main.
    explicit ApplicationEnvironment(std::string name)
        : name_(std::move(name)), ownArgv_{name_.data(), nullptr}, argc_(ownArgc_), argv_(ownArgv_) {}

    ApplicationEnvironment(const ApplicationEnvironment&) = delete;
    ApplicationEnvironment& operator=(const ApplicationEnvironment&) = delete;

    void SetUp() override { application_ = std::make_unique<Application>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

private:
    std::string name_;
    int ownArgc_ = 1;
    char* ownArgv_[2] = {nullptr, nullptr};
    int& argc_;
    char** argv_;
    std::unique_ptr<Application> application_;
};

} // namespace akt::test
