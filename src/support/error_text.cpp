#include "support/error_text.h"

namespace akt {

QString errorText(const std::exception& error) {
    return QString::fromUtf8(error.what());
}

ConversionError::ConversionError(const QString& text) : std::runtime_error(text.toStdString()) {}

ConversionError ConversionError::notAnInteger(const QString& value) {
    return ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(value));
}

FileError::FileError(const QString& text) : std::runtime_error(text.toStdString()) {}

FileError FileError::cannotCreate(const QString& fileName, const QString& reason) {
    return FileError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason));
}

} // namespace akt
