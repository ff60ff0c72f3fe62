#include "update/catalogue/script_search.h"

#include "support/windows1250.h"

#include <QFile>
#include <QStringDecoder>

#ifdef Q_OS_WIN
#include <QDir>
#else
#include <dirent.h>
#endif

#include <algorithm>
#include <memory>

namespace akt {

namespace {

constexpr char scriptExtension[] = ".SQL";
constexpr qsizetype extensionLength = sizeof(scriptExtension) - 1;

bool isSeparator(QChar c) {
#ifdef Q_OS_WIN
    return c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char(':');
#else
    return c == QLatin1Char('/');
#endif
}

// ASCII letter case only: Unicode case folding would take "x.ſql" (long s) for a script.
bool hasScriptExtension(const QString& name) {
    if (name.size() < extensionLength)
        return false;
    const qsizetype start = name.size() - extensionLength;
    for (qsizetype i = 0; i < extensionLength; ++i) {
        const char16_t c = name.at(start + i).unicode();
        const char16_t upper = c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
        if (upper != char16_t(scriptExtension[i]))
            return false;
    }
    return true;
}

bool matches(const QString& name, const QString& prefix) {
    return name.size() >= prefix.size() + extensionLength && name.startsWith(prefix, Qt::CaseInsensitive) &&
           hasScriptExtension(name);
}

bool listedBefore(const ScriptFileName& a, const ScriptFileName& b) {
    const int byText = a.text.compare(b.text, Qt::CaseInsensitive);
    return byText != 0 ? byText < 0 : a.native < b.native;
}

#ifdef Q_OS_WIN

std::vector<ScriptFileName> readFolder(const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    std::vector<ScriptFileName> names;
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        names.push_back({name, QFile::encodeName(name)});
    return names;
}

#else

QString decodeName(const QByteArray& bytes) {
    // Stateless, so a name cut inside a character is an error rather than a pending tail; a leading
    // byte order mark is kept as a character, so the text still encodes back to these bytes.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Whatever the text shows, the file still opens by its bytes.
    return fromWindows1250(bytes);
}

// The folder is read as bytes: QDir would decode every name as UTF-8, and a name that is not
// UTF-8 would come back as a text that names no file.
std::vector<ScriptFileName> readFolder(const QString& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(QFile::encodeName(folder).constData()), closedir);
    if (!dir)
        return {};
    std::vector<ScriptFileName> names;
    while (const dirent* entry = readdir(dir.get())) {
        const QByteArray native(entry->d_name);
        if (native != "." && native != "..")
            names.push_back({decodeName(native), native});
    }
    return names;
}

#endif

} // namespace

ScriptPattern splitScriptPattern(const QString& directory) {
    qsizetype cut = directory.size();
    while (cut > 0 && !isSeparator(directory.at(cut - 1)))
        --cut;
    return {directory.left(cut), directory.mid(cut)};
}

std::vector<ScriptFileName> findScriptNames(const ScriptPattern& pattern) {
    std::vector<ScriptFileName> names = readFolder(pattern.folder.isEmpty() ? QStringLiteral(".") : pattern.folder);
    names.erase(
        std::remove_if(names.begin(), names.end(),
                       [&pattern](const ScriptFileName& name) { return !matches(name.text, pattern.namePrefix); }),
        names.end());
    std::sort(names.begin(), names.end(), listedBefore);
    return names;
}

} // namespace akt
