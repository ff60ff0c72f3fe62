#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <utility>

namespace akt {

// The object each script list entry carries: the full path of its script file.
class TstringObject {
public:
    explicit TstringObject(QString path) : str(std::move(path)), nativePath(QFile::encodeName(str)) {}
    TstringObject(QString path, QByteArray native) : str(std::move(path)), nativePath(std::move(native)) {}

    // The path as text, for people; a name that is not UTF-8 appears here decoded from Windows-1250.
    QString str;
    // The path as the file system names it, the one to open: for a name copied from Windows in its
    // own code page, encoding `str` again would name a file that does not exist.
    QByteArray nativePath;
};

} // namespace akt
