#include "update/firebird/database_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace akt {

QByteArray toDatabaseText(const QString& text) {
    QStringEncoder encoder("windows-1250");
    return encoder(text);
}

QString fromDatabaseText(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1250");
    return decoder(bytes);
}

} // namespace akt
