#pragma once

namespace akt {

class Connection;

// How many attachments other than this connection's own hold the database, from the monitoring
// tables (the engine's own system attachments left out). Read in a transaction of its own, so the
// count is of this moment and not of when the default transaction began. The connection must be
// attached; throws DatabaseError when the count cannot be read. A user other than the administrator
// or the database's owner sees only his own attachments.
int otherAttachments(Connection& database);

} // namespace akt
