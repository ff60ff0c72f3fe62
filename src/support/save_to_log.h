#pragma once

#include "support/clock.h"
#include "support/user_interface.h"

#include <QDate>
#include <QString>

namespace akt {

// "<folder><log>_<day>-<month><year>.log": day and month without leading zeros, no separator before
// the four-digit year (IBMessagesLog.txt_5-62009.log for 5 June 2009). `folder` ends with a separator.
QString datedLogFileName(const QString& folder, const QString& log, const QDate& day);

// Appends `msg` and CR LF, in Windows-1250, to today's file of `log` in `folder`, creating it when
// missing. Pumps the window once before and once after closing the file. Never fails loudly: a
// message that cannot be written (or has no folder to go to) is dropped.
void SaveToLog(const QString& log, const QString& msg, const QString& folder, const Clock& clock, UserInterface& ui);

// The same in the program folder, by the local clock; nothing before the QCoreApplication exists.
void SaveToLog(const QString& log, const QString& msg, UserInterface& ui);

} // namespace akt
