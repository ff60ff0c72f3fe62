#include "app/log_lines.h"

#include "tests/common/case_name.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

QByteArray readAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(LogLines, SavesEveryLineWithCrLfInWindows1250AndReplacesTheFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString fileName = folder.filePath("log.txt");
    {
        QFile old(fileName);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older and much longer run log that must disappear");
    }
    LogLines log;
    log.append("stary");
    log.clear();
    log.append(QStringLiteral("Przetwarzanie zakoczone: Łódź"));
    log.append("first\r\nsecond");
    log.append("");
    log.save(fileName);

    EXPECT_EQ(log.lines(), QStringList({QStringLiteral("Przetwarzanie zakoczone: Łódź"), "first", "second", ""}));
    EXPECT_EQ(readAll(fileName), QByteArray("Przetwarzanie zakoczone: \xa3\xf3\x64\x9f\r\nfirst\r\nsecond\r\n\r\n"));
}

TEST(LogLines, HoldsOneEmptyLineUntilTheFirstClear) {
    LogLines log;
    EXPECT_EQ(log.lines(), QStringList({""}));
    log.append("Wersja bazy: 5");
    EXPECT_EQ(log.lines(), QStringList({"", "Wersja bazy: 5"}));
    log.clear();
    EXPECT_TRUE(log.lines().isEmpty());
}

TEST(LogLines, FailingSaveNamesTheFileAndTheReason) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString fileName = folder.filePath("missing/log.txt");
    LogLines log;
    log.append("x");
    try {
        log.save(fileName);
        FAIL() << "saving into a missing folder succeeded";
    } catch (const std::runtime_error& error) {
        const QString message = QString::fromStdString(error.what());
        EXPECT_TRUE(message.contains(fileName)) << error.what();
        EXPECT_TRUE(message.contains("No such file or directory")) << error.what();
    }
}

struct ShownCase : NamedCase {
    QString text;
    QString shown;
};

const QString kNote = QStringLiteral(" [...] (w tym oknie pominięto %1 bajtów; pełny tekst jest w pliku log.txt)");

class ShownInBox : public testing::TestWithParam<ShownCase> {};

TEST_P(ShownInBox, CutsOnlyWhatIsTooLongAndCountsTheBytesLeftOut) {
    EXPECT_EQ(LogLines::shownInBox(GetParam().text).toStdString(), GetParam().shown.toStdString());
}

const qsizetype kLimit = LogLines::kShownLength;

INSTANTIATE_TEST_SUITE_P(Texts, ShownInBox,
                         testing::Values(ShownCase{"Short", "Baza odłączona", "Baza odłączona"},
                                         ShownCase{"ExactlyAtTheLimit", QString(kLimit, 'x'), QString(kLimit, 'x')},
                                         ShownCase{"OneMegabyteLine", QString(1 << 20, 'x'),
                                                   QString(kLimit, 'x') + kNote.arg((1 << 20) - kLimit)},
                                         // Polish letters are one byte each in log.txt.
                                         ShownCase{"PolishLettersCountAsOneByte",
                                                   QString(kLimit, 'x') + QStringLiteral("żółw"),
                                                   QString(kLimit, 'x') + kNote.arg(4)},
                                         // Many short lines count together: the box lays out the lines it is given.
                                         ShownCase{"ManyLinesTogether", QString("abc\r\n").repeated(1000) + "end",
                                                   QString("abc\r\n").repeated(800) + kNote.arg(200 * 5 + 3)},
                                         ShownCase{"CrLfIsNotSplit", QString(kLimit - 1, 'x') + "\r\nrest",
                                                   QString(kLimit - 1, 'x') + kNote.arg(6)}),
                         CaseName{});

} // namespace
} // namespace akt
