#include "update/firebird/parameter_blocks.h"

#include "support/windows1250.h"
#include "update/firebird/database_error.h"

#include <ibase.h>

#include <QFile>

namespace akt {

namespace {

char attachmentCode(const QString& nameAsWritten) {
    QString name = nameAsWritten.toLower();
    const QString prefix = QStringLiteral("isc_dpb_");
    if (name.startsWith(prefix))
        name.remove(0, prefix.size());
    if (name == QLatin1String("user_name"))
        return isc_dpb_user_name;
    if (name == QLatin1String("password"))
        return isc_dpb_password;
    throw DatabaseError::unknownDpbConstant(nameAsWritten);
}

} // namespace

QByteArray attachmentParameters(const QStringList& lines) {
    QByteArray block(1, char(isc_dpb_version1));
    for (const QString& line : lines) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const char code = attachmentCode(line.left(equals));
        const QByteArray value = toWindows1250(line.mid(equals + 1));
        if (value.size() > kLongestParameterValue)
            throw DatabaseError::dpbValueTooLong(line.left(equals));
        block += code;
        block += char(value.size());
        block += value;
    }
    return block;
}

QByteArray defaultTransactionParameters() {
    const char block[] = {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait};
    return QByteArray(block, sizeof block);
}

QString quotedLiteralBody(const QString& value) {
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return doubled;
}

QStringList creationLines(const QString& user, const QString& password) {
    return {QStringLiteral("USER '") + quotedLiteralBody(user) + QLatin1Char('\''),
            QStringLiteral("PASSWORD '") + quotedLiteralBody(password) + QLatin1Char('\''),
            QStringLiteral("PAGE_SIZE 4096"), QStringLiteral("DEFAULT CHARACTER SET WIN1250")};
}

QByteArray creationStatement(const QString& target, const QStringList& lines) {
    QByteArray statement = "CREATE DATABASE '" + QFile::encodeName(quotedLiteralBody(target)) + "' ";
    for (const QString& line : lines)
        statement += toWindows1250(line) + "\r\n";
    return statement;
}

} // namespace akt
