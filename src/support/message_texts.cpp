#include "support/message_texts.h"

#include "support/windows1250.h"

#include <QFile>

namespace akt {

QString messageText(MessageId id) {
    QFile file(QStringLiteral(":/messages/%1.txt").arg(static_cast<int>(id)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromWindows1250(file.readAll());
}

} // namespace akt
