#pragma once

#include <QByteArray>

namespace akt {

// The length argument of the legacy statement calls is 16 bits wide; 0 makes them measure the text up to its
// terminating NUL (which a QByteArray always has), so longer statements still arrive whole.
inline unsigned short statementTextLength(const QByteArray& sql) {
    return sql.size() > 0xFFFF ? 0 : static_cast<unsigned short>(sql.size());
}

} // namespace akt
