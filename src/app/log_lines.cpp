#include "app/log_lines.h"

#include "support/error_text.h"
#include "support/windows1250.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

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
    // Windows-1250 writes one byte per character; a character outside the BMP (two UTF-16 units) becomes
    // one "?".
    const QStringView rest = QStringView(text).mid(cut);
    const qsizetype leftOut =
        rest.size() - std::count_if(rest.begin(), rest.end(), [](QChar c) { return c.isLowSurrogate(); });
    return text.left(cut) +
           QStringLiteral(" [...] (w tym oknie pominięto %1 bajtów; pełny tekst jest w pliku log.txt)").arg(leftOut);
}

void LogLines::append(const QString& text) {
    lines_.append(split(text));
}

void LogLines::save(const QString& fileName) const {
    QFile file(fileName);
    const auto fail = [&]() { throw FileError::cannotCreate(QDir::toNativeSeparators(fileName), file.errorString()); };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail();
    // Line by line: a log holding a statement of many megabytes is not copied whole once more.
    for (const QString& line : lines_) {
        QByteArray bytes = toWindows1250(line);
        bytes += "\r\n";
        if (file.write(bytes) != bytes.size())
            fail();
    }
    if (!file.flush())
        fail();
}

} // namespace akt
