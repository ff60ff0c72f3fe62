#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace akt {

// Windows-1250 is the code page of the scripts, of the databases this program maintains (user names,
// passwords, the engine's messages) and of the files it writes (log.txt, the dated logs). Every
// conversion to and from it goes through here.

// Whether this Qt can convert Windows-1250 at all: a Qt built without ICU knows no Windows code page.
bool windows1250Known();

// Without the code page the bytes are read as Latin-1, so a text is at worst misspelt, never lost.
QString fromWindows1250(QByteArrayView bytes);

// A character the code page lacks becomes "?"; without the code page the result is empty.
QByteArray toWindows1250(QStringView text);

} // namespace akt
