#pragma once

#include "support/clock.h"
#include "support/user_interface.h"

#include <QString>

namespace akt {

// Records a database error text in the dated error log "IBMessagesLog.txt" and shows the user a
// short Polish message for every well-known engine message found in it (letter case ignored):
// unique-key and duplicate-value violations, missing required values, column validation, failed
// updates and deadlocks in a warning box each, a user exception's own text in the exception box.
// Resets a busy cursor first. True when at least one box was shown.
bool TranslateIBError(UserInterface& ui, const QString& message);

// The same with the error log written to `logFolder` by `clock`.
bool TranslateIBError(UserInterface& ui, const QString& message, const QString& logFolder, const Clock& clock);

// What the exception box shows of an error text: from the second CR LF up to the third one (that
// is, the break and the third line). With fewer breaks the positions degrade the way the original
// tool's did: one break gives the first line and its CR, none or two give an empty text.
QString exceptionPiece(const QString& message);

} // namespace akt
