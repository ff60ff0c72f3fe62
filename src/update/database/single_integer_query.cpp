#include "update/database/single_integer_query.h"

#include "support/error_text.h"
#include "support/error_translation.h"
#include "support/windows1250.h"
#include "update/firebird/connection.h"
#include "update/firebird/statement.h"

#include <cmath>
#include <limits>
#include <optional>

namespace akt {

namespace {

std::optional<int> wholeNumber(qlonglong value) {
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

std::optional<int> integerOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return wholeNumber(value.toLongLong());
    case QMetaType::Double: {
        const double truncated = std::trunc(value.toDouble());
        if (!std::isfinite(truncated) || std::fabs(truncated) > double(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
        return wholeNumber(qlonglong(truncated));
    }
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::QByteArray: {
        bool ok = false;
        const int number = value.toByteArray().trimmed().toInt(&ok);
        return ok ? std::optional<int>(number) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

QString shownValue(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray)
        return fromWindows1250(value.toByteArray());
    return value.toString();
}

int firstInteger(Statement& statement, const QByteArray& query) {
    statement.prepare(query);
    statement.execute();
    if (!statement.fetch())
        return 0;
    const QVariant value = statement.value(0);
    if (value.isNull())
        return 0;
    const std::optional<int> number = integerOf(value);
    if (!number)
        throw ConversionError::notAnInteger(shownValue(value));
    return *number;
}

} // namespace

int ExecuteIBQwithINT(UserInterface& ui, Connection& database, const QByteArray& query) {
    int result = -1;
    // The statement's destructor releases it however the query ends; the transaction is left running for
    // whatever the caller does next.
    Statement statement(database.defaultTransaction());
    try {
        result = firstInteger(statement, query);
    } catch (const std::exception& error) {
        TranslateIBError(ui, errorText(error));
    }
    return result;
}

} // namespace akt
