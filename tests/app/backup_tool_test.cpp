#include "app/backup_tool.h"

#include "tests/common/case_name.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

TEST(BackupTool, BesideTheProgramComesFirst) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    ASSERT_TRUE(QFile::copy("/bin/sh", folder + "gbak")); // any executable file will do

    EXPECT_EQ(locateBackupTool(folder), folder + "gbak");
}

struct VerdictCase : NamedCase {
    RunResult result;
    QByteArray copy; // what the backup file holds; null: there is no file
    bool backupGood;
    bool restoreGood;
    int shownCode;
};

class BackupVerdict : public testing::TestWithParam<VerdictCase> {};

// Only a clean run that left a non-empty copy lets the restore replace the database.
TEST_P(BackupVerdict, TrustsOnlyACleanRunThatLeftACopy) {
    const VerdictCase& c = GetParam();
    QTemporaryDir dir;
    const QString copy = dir.path() + "/Kopia.fbk";
    if (!c.copy.isNull()) {
        QFile file(copy);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(c.copy), c.copy.size());
    }

    EXPECT_EQ(backupSucceeded(c.result, copy), c.backupGood);
    EXPECT_EQ(restoreSucceeded(c.result), c.restoreGood);
    EXPECT_EQ(shownExitCode(c.result), c.shownCode);
}

INSTANTIATE_TEST_SUITE_P(
    Results, BackupVerdict,
    testing::Values(VerdictCase{"CleanRunWithCopy", {true, true, 0, false}, "gbak", true, true, 0},
                    VerdictCase{"CleanRunEmptyCopy", {true, true, 0, false}, QByteArray(""), false, true, 0},
                    VerdictCase{"CleanRunNoCopy", {true, true, 0, false}, QByteArray(), false, true, 0},
                    VerdictCase{"ExitCodeOne", {true, true, 1, false}, "gbak", false, false, 1},
                    VerdictCase{"Crashed", {true, true, 11, true}, "gbak", false, false, -1},
                    VerdictCase{"StillRunningAtTheEnd", {true, false, 0, false}, "gbak", false, false, -1},
                    VerdictCase{"NotStarted", {false, false, 0, false}, QByteArray(), false, false, -1}),
    CaseName{});

} // namespace
} // namespace akt
