#include "update/database/other_attachments.h"

#include "update/firebird/connection.h"
#include "update/firebird/statement.h"
#include "update/firebird/transaction.h"

namespace akt {

int otherAttachments(Connection& database) {
    Transaction reader(database, QByteArray());
    Statement statement(reader);
    statement.prepare("SELECT COUNT(*) FROM MON$ATTACHMENTS "
                      "WHERE MON$ATTACHMENT_ID <> CURRENT_CONNECTION AND MON$SYSTEM_FLAG = 0");
    statement.execute();
    const int count = statement.fetch() ? statement.value(0).toInt() : 0;
    reader.commit();
    return count;
}

} // namespace akt
