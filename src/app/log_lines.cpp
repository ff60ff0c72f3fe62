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

QString LogLines::shownInBox(const QString& text) {
    if (text.size() <= kShownLength)
        return text;
    qsizetype cut = kShownLength;
    // Neither half of a surrogate pair nor of a CR LF is left on its own.
    if (text.at(cut - 1).isHighSurrogate() ||
        (text.at(cut - 1) == QLatin1Char('\r') && text.at(cut) == QLatin1Char('\n')))
        --cut;
    QStringEncoder encoder("windows-1250");
    const QByteArray leftOut = encoder.encode(QStringView(text).mid(cut));
    return text.left(cut) + QStringLiteral(" [...] (w tym oknie pominięto %1 bajtów; pełny tekst jest w pliku log.txt)")
                                .arg(leftOut.size());
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
