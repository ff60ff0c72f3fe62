#include "update/catalogue/script_search.h"

#include <QDir>

namespace akt {

namespace {

const QString scriptExtension = QStringLiteral(".SQL");

bool isSeparator(QChar c) {
#ifdef Q_OS_WIN
    return c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char(':');
#else
    return c == QLatin1Char('/');
#endif
}

bool matches(const QString& name, const QString& prefix) {
    return name.size() >= prefix.size() + scriptExtension.size() && name.startsWith(prefix, Qt::CaseInsensitive) &&
           name.endsWith(scriptExtension, Qt::CaseInsensitive);
}

} // namespace

ScriptPattern splitScriptPattern(const QString& directory) {
    qsizetype cut = directory.size();
    while (cut > 0 && !isSeparator(directory.at(cut - 1)))
        --cut;
    return {directory.left(cut), directory.mid(cut)};
}

QStringList findScriptNames(const ScriptPattern& pattern) {
    const QDir folder(pattern.folder.isEmpty() ? QStringLiteral(".") : pattern.folder);
    if (!folder.exists())
        return {};
    const QStringList names = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                               QDir::Name | QDir::IgnoreCase);
    QStringList found;
    for (const QString& name : names) {
        if (matches(name, pattern.namePrefix))
            found.append(name);
    }
    return found;
}

} // namespace akt
