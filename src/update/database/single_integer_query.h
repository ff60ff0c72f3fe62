#pragma once

#include "support/user_interface.h"

#include <QByteArray>

namespace akt {

class Connection;

// Runs a query on the connection's default transaction (starting it, and attaching, when needed) and
// gives the first column of its first row as an integer: 0 for no row or a null value, -1 when running
// the query or converting the value failed, after the error text went through TranslateIBError. The
// statement is released before returning; the transaction stays as it is.
int ExecuteIBQwithINT(UserInterface& ui, Connection& database, const QByteArray& query);

} // namespace akt
