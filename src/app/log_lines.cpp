#include "app/log_lines.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>

#include <stdexcept>

namespace akt {

QStringList LogLines::split(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineBreak);
}

void LogLines::append(const QString& text) {
    lines_.append(split(text));
}

void LogLines::save(const QString& fileName) const {
    QString text;
    for (const QString& line : lines_)
        text += line + QStringLiteral("\r\n");
    QStringEncoder encoder("windows-1250");
    const QByteArray bytes = encoder.encode(text);

    QFile file(fileName);
    const auto fail = [&]() {
        throw std::runtime_error(QStringLiteral("Cannot create file \"%1\". %2")
                                     .arg(QDir::toNativeSeparators(fileName), file.errorString())
                                     .toStdString());
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail();
    if (file.write(bytes) != bytes.size() || !file.flush())
        fail();
}

} // namespace akt
