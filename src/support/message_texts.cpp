#include "support/message_texts.h"

#include <QFile>
#include <QStringDecoder>

namespace akt {

QString messageText(MessageId id) {
    QFile file(QStringLiteral(":/messages/%1.txt").arg(static_cast<int>(id)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder fromWindows1250("windows-1250");
    return fromWindows1250.decode(file.readAll());
}

} // namespace akt
