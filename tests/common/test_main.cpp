// The main of test programs that need a QCoreApplication for their whole run: the program folder,
// QProcess and waiting for other programs in an event loop all depend on one.
#include "tests/common/application_environment.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Google Test takes ownership of registered environments.
    testing::AddGlobalTestEnvironment(new akt::test::ApplicationEnvironment<QCoreApplication>(argc, argv));
    return RUN_ALL_TESTS();
}
