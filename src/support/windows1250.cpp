#include "support/windows1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace akt {
namespace {

// One converter per thread, made once: a log of many thousand lines is encoded line by line.
QStringDecoder& decoder() {
    thread_local QStringDecoder windows1250("windows-1250", QStringConverter::Flag::Stateless);
    return windows1250;
}

QStringEncoder& encoder() {
    thread_local QStringEncoder windows1250("windows-1250", QStringConverter::Flag::Stateless);
    return windows1250;
}

} // namespace

bool windows1250Known() {
    return decoder().isValid();
}

QString fromWindows1250(QByteArrayView bytes) {
    return decoder().isValid() ? decoder().decode(bytes) : QString::fromLatin1(bytes);
}

QByteArray toWindows1250(QStringView text) {
    return encoder().isValid() ? QByteArray(encoder().encode(text)) : QByteArray();
}

} // namespace akt
