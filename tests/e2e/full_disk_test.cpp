// The database on a small tmpfs that fills up: a creation that fails half way leaves no file behind,
// and a final commit the disk refuses is reported instead of lost.
#include "program_folder.h"

#include <QRandomGenerator>

#include <cstdlib>

namespace akt_e2e {
namespace {

class FullDisk : public ProgramRun {
public:
    // Mounts a tmpfs of `size` (as mount(8) takes it) and puts the database on it.
    void mountDisk(const char* size) {
        disk_ = folder.filePath("disk");
        ASSERT_TRUE(QDir().mkpath(disk_));
        QProcess mount;
        mount.start("mount", {"-t", "tmpfs", "-o", QStringLiteral("size=%1").arg(size), "tmpfs", disk_});
        mount.waitForFinished();
        if (mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0) {
            disk_.clear();
            const QByteArray why = "mount -t tmpfs is refused here: " + mount.readAllStandardError();
            if (qgetenv("CI") == "true")
                FAIL() << why.toStdString();
            GTEST_SKIP() << why.toStdString();
        }
        database = disk_ + "/full.fdb";
    }

    void TearDown() override {
        if (!disk_.isEmpty())
            QProcess::execute("umount", {"-l", disk_});
        ProgramRun::TearDown();
    }

private:
    QString disk_;
};

TEST_F(FullDisk, FailedCreationLeavesNoFileAndTheNextAttemptFailsTheSameWay) {
    mountDisk("256k");
    if (IsSkipped() || HasFatalFailure())
        return;

    for (int attempt = 1; attempt <= 2; ++attempt) {
        const Outcome outcome = create();
        EXPECT_EQ(outcome.exitCode, 3) << "attempt " << attempt << ": " << outcome.standardError.toStdString();
        EXPECT_FALSE(QFileInfo::exists(database)) << "attempt " << attempt;
        const QString log = runLog();
        EXPECT_TRUE(log.contains(QStringLiteral("Usunięto niedokończony plik bazy: ") + database)) << log.toStdString();
        EXPECT_FALSE(log.contains("exists")) << log.toStdString();
    }
}

QByteArray randomRows(int count, int length) {
    QByteArray text = "CREATE TABLE WIERSZE (TRESC VARCHAR(" + QByteArray::number(length) + "));\r\n";
    QRandomGenerator random(20261211);
    for (int i = 0; i < count; ++i) {
        QByteArray letters(length, 'a');
        for (char& c : letters)
            c = static_cast<char>('a' + random.bounded(26));
        text += "INSERT INTO WIERSZE VALUES ('" + letters + "');\r\n";
    }
    return text;
}

TEST_F(FullDisk, CommitTheDiskRefusesIsReported) {
    mountDisk("4m");
    if (IsSkipped() || HasFatalFailure())
        return;
    addScript("06_WIERSZE.SQL", randomRows(12600, 200));

    const Outcome outcome = create();

    EXPECT_EQ(outcome.exitCode, 2) << outcome.standardError.toStdString();
    const QString log = runLog();
    EXPECT_TRUE(log.contains(QStringLiteral("zmiany jeszcze niezatwierdzone zostały wycofane"))) << log.toStdString();
    EXPECT_EQ(validationErrors(), QString());
    EXPECT_EQ(query("select count(*) from wiersze"), "0");
    EXPECT_EQ(query("select count(*) from klienci"), "0");
}

} // namespace
} // namespace akt_e2e
