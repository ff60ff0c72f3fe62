#include "support/error_translation.h"

#include "support/save_to_log.h"

#include "tests/common/case_name.h"
#include "tests/common/fixed_clock.h"
#include "tests/common/recording_ui.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

using Kind = test::RecordingUi::Kind;
using Dialog = test::RecordingUi::Dialog;

// The program's texts, written here in UTF-8; the program keeps them in Windows-1250.
const QString kExist = QString::fromUtf8("Wprowadzone wartości istnieją w bazie danych.");
const QString kRequired = QString::fromUtf8("Proszę wypełnić wymagane dane");
const QString kNotAllowed =
    QString::fromUtf8("Wprowadzone wartości nie są dozwolone. \r\nProszę poprawić dane i spróbowac ponownie.");
const QString kSaveFailed =
    QString::fromUtf8("Zapis danych nie powiódł się\r\nRekord prawdopodobnie został usuniety z innego stanowiska");
const QString kEdited = QString::fromUtf8("Rekord jest edytowany na innym stanowisku.");

struct PieceCase : NamedCase {
    const char* text;
    const char* piece;
};

class ExceptionPiece : public testing::TestWithParam<PieceCase> {};

TEST_P(ExceptionPiece, IsTheSecondBreakAndTheThirdLine) {
    EXPECT_EQ(exceptionPiece(QString::fromUtf8(GetParam().text)), QString::fromUtf8(GetParam().piece));
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, ExceptionPiece,
    testing::Values(PieceCase{"Empty", "", ""}, PieceCase{"NoBreak", "exception 1", ""},
                    PieceCase{"LineFeedsAloneAreNoBreaks", "a\nb\nc\nd", ""},
                    PieceCase{"OneBreakGivesFirstLineAndItsCr", "exception 1\r\nE_X", "exception 1\r"},
                    PieceCase{"TwoBreaksGiveNothing", "exception 1\r\nE_X\r\ntekst", ""},
                    PieceCase{"ThreeBreaks", "exception 1\r\nE_X\r\nBrak uprawnień\r\nAt procedure 'P'",
                              "\r\nBrak uprawnień"},
                    PieceCase{"MoreBreaksStopAtTheThird", "a\r\nb\r\nc\r\nd\r\ne", "\r\nc"},
                    PieceCase{"EmptyThirdLine", "a\r\nb\r\n\r\nd", "\r\n"},
                    PieceCase{"BreaksOnly", "\r\n\r\n\r\n", "\r\n"}),
    CaseName{});

struct TranslationCase : NamedCase {
    const char* errormsg;
    std::vector<Dialog> shown;
};

class TranslateIBErrorTest : public testing::TestWithParam<TranslationCase> {
protected:
    QTemporaryDir dir;
    test::FixedClock clock{QDateTime(QDate(2009, 6, 5), QTime(12, 0))};
    test::RecordingUi ui;
};

TEST_P(TranslateIBErrorTest, ShowsTheBoxesOfEveryPatternInOrder) {
    const bool result = TranslateIBError(ui, QString::fromUtf8(GetParam().errormsg), dir.path() + "/", clock);

    EXPECT_EQ(ui.dialogs, GetParam().shown);
    EXPECT_EQ(result, !GetParam().shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TranslateIBErrorTest,
    testing::Values(
        TranslationCase{"UniqueKeyAndDuplicateValueShowTheWarningTwice",
                        "violation of PRIMARY or UNIQUE KEY constraint \"INTEG_2\" on table \"T\"\r\n"
                        "attempt to store duplicate value (visible to active transactions) in unique index",
                        {{Kind::Warning, kExist}, {Kind::Warning, kExist}}},
        TranslationCase{"AnyLetterCase",
                        "Primary Or Unique Key ... DUPLICATE value",
                        {{Kind::Warning, kExist}, {Kind::Warning, kExist}}},
        TranslationCase{"UniqueKeyAlone",
                        "violation of PRIMARY or UNIQUE KEY constraint \"PK_T\" on table \"T\"\r\n"
                        "Problematic key value is (\"ID\" = 1)",
                        {{Kind::Warning, kExist}}},
        TranslationCase{"MissingValue", "Column ID must have a value", {{Kind::Warning, kRequired}}},
        TranslationCase{"Validation",
                        "validation error for column \"T\".\"A\", value \"*** null ***\"",
                        {{Kind::Warning, kNotAllowed}}},
        TranslationCase{"UpdateFailed", "update failed", {{Kind::Warning, kSaveFailed}}},
        TranslationCase{"LowerCaseDeadlock",
                        "deadlock\r\nupdate conflicts with concurrent update\r\nconcurrent transaction number is 42",
                        {{Kind::Warning, kEdited}}},
        TranslationCase{"ExceptionWithThreeBreaks",
                        "exception 1\r\nE_NO_RIGHTS\r\nBrak uprawnień do operacji\r\nAt procedure 'P' line: 3, col: 5",
                        {{Kind::Exception, "\r\nBrak uprawnień do operacji"}}},
        TranslationCase{"ExceptionWithTwoBreaks", "exception 1\r\nE_X\r\ntekst", {{Kind::Exception, ""}}},
        TranslationCase{"ExceptionWithOneBreak", "exception 1\r\nE_X", {{Kind::Exception, "exception 1\r"}}},
        TranslationCase{"ExceptionWithoutBreak", "Exception", {{Kind::Exception, ""}}},
        TranslationCase{"WarningsComeBeforeTheException",
                        "exception 7\r\nE_LOCK\r\nDeadlock in procedure\r\nAt procedure 'P'",
                        {{Kind::Warning, kEdited}, {Kind::Exception, "\r\nDeadlock in procedure"}}},
        TranslationCase{"NoMatch", "Dynamic SQL Error\r\nSQL error code = -204\r\nTable unknown\r\nT", {}}),
    CaseName{});

class TranslateIBErrorSideEffects : public TranslateIBErrorTest {};

TEST_F(TranslateIBErrorSideEffects, UnmatchedTextIsStillLoggedAndTheBusyCursorReset) {
    ui.currentCursor = Cursor::DatabaseBusy;
    const QString text = QString::fromUtf8("Dynamic SQL Error\r\nTable unknown\r\nTABELA_Ż");

    EXPECT_FALSE(TranslateIBError(ui, text, dir.path() + "/", clock));

    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_EQ(ui.cursorChanges, std::vector<Cursor>{Cursor::Normal});
    QFile log(datedLogFileName(dir.path() + "/", "IBMessagesLog.txt", QDate(2009, 6, 5)));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), QByteArray("Dynamic SQL Error\r\nTable unknown\r\nTABELA_\xaf\r\n"));
}

TEST_F(TranslateIBErrorSideEffects, NormalCursorIsLeftAlone) {
    TranslateIBError(ui, "deadlock", dir.path() + "/", clock);

    EXPECT_TRUE(ui.cursorChanges.empty());
    EXPECT_EQ(ui.dialogs.size(), 1u);
}

TEST(TranslateIBErrorInProgramFolder, LogsBesideTheExecutableUnderToday) {
    test::RecordingUi ui;
    const QString text = QStringLiteral("deadlock %1").arg(QDateTime::currentMSecsSinceEpoch());
    const QDate before = QDate::currentDate();

    EXPECT_TRUE(TranslateIBError(ui, text));

    // Either day's file, should the call have straddled midnight.
    QByteArray written;
    for (const QDate& day : {before, QDate::currentDate()}) {
        QFile log(QCoreApplication::applicationDirPath() + "/IBMessagesLog.txt_" + QString::number(day.day()) + "-" +
                  QString::number(day.month()) + QString::number(day.year()) + ".log");
        if (log.open(QIODevice::ReadOnly))
            written += log.readAll();
    }
    EXPECT_TRUE(written.contains((text + "\r\n").toLatin1()));
}

} // namespace
} // namespace akt
