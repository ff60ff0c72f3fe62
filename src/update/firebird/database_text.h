#pragma once

#include <QByteArray>
#include <QString>

namespace akt {

// Texts exchanged with the database (user names, passwords, messages of the engine) are Windows-1250,
// the code page of the scripts and of the databases this program maintains.
QByteArray toDatabaseText(const QString& text);
QString fromDatabaseText(const QByteArray& bytes);

} // namespace akt
