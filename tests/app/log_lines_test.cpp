#include "app/log_lines.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

namespace akt {
namespace {

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

} // namespace
} // namespace akt
