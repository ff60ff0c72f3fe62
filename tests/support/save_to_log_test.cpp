#include "support/save_to_log.h"

#include "tests/common/fixed_clock.h"
#include "tests/common/recording_ui.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace akt {
namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct NameCase {
    QDate day;
    const char* expected;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.expected;
}

class DatedLogFileName : public testing::TestWithParam<NameCase> {};

TEST_P(DatedLogFileName, HasNoLeadingZerosAndNoSeparatorBeforeTheYear) {
    EXPECT_EQ(datedLogFileName("/prog/", "IBMessagesLog.txt", GetParam().day), QString(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Days, DatedLogFileName,
                         testing::Values(NameCase{QDate(2009, 6, 5), "/prog/IBMessagesLog.txt_5-62009.log"},
                                         NameCase{QDate(2009, 11, 12), "/prog/IBMessagesLog.txt_12-112009.log"},
                                         NameCase{QDate(2024, 1, 31), "/prog/IBMessagesLog.txt_31-12024.log"}));

class SaveToLogTest : public testing::Test {
protected:
    QString folder() const { return dir.path() + "/"; }
    QString fileOf(QDate day) const { return datedLogFileName(folder(), "IBMessagesLog.txt", day); }
    void save(const QString& msg) { SaveToLog("IBMessagesLog.txt", msg, folder(), clock, ui); }

    QTemporaryDir dir;
    test::FixedClock clock{QDateTime(QDate(2009, 6, 5), QTime(23, 59, 59))};
    test::RecordingUi ui;
};

TEST_F(SaveToLogTest, WritesWindows1250WithCrLfAndPumpsTwice) {
    save("Błąd zapisu: żółw\r\ndruga linia");

    // "ł" 0xB3, "ż" 0xBF, "ó" 0xF3, "w" 'w' in Windows-1250.
    EXPECT_EQ(contentsOf(fileOf(QDate(2009, 6, 5))), QByteArray("B\xb3\xb9"
                                                                "d zapisu: \xbf\xf3\xb3w\r\ndruga linia\r\n"));
    EXPECT_EQ(ui.pumps, 2);
}

TEST_F(SaveToLogTest, AppendsTheSameDayAndStartsANewFileAfterMidnight) {
    {
        QFile earlier(fileOf(QDate(2009, 6, 5)));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier\r\n");
    }
    save("first");
    save("second");
    clock.set(QDateTime(QDate(2009, 6, 6), QTime(0, 0, 0)));
    save("third");

    EXPECT_EQ(contentsOf(fileOf(QDate(2009, 6, 5))), QByteArray("earlier\r\nfirst\r\nsecond\r\n"));
    EXPECT_EQ(contentsOf(fileOf(QDate(2009, 6, 6))), QByteArray("third\r\n"));
}

TEST_F(SaveToLogTest, UnwritableFolderLeavesNoFileAndRaisesNothing) {
    // A folder "inside" a plain file cannot be written even by root.
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    EXPECT_NO_THROW(SaveToLog("IBMessagesLog.txt", "lost", dir.filePath("plain") + "/", clock, ui));

    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"plain"});
    EXPECT_TRUE(ui.dialogs.empty());
}

} // namespace
} // namespace akt
