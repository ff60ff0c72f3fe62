#include "support/save_to_log.h"

#include "support/program_folder.h"
#include "support/windows1250.h"

#include <QFile>

namespace akt {

QString datedLogFileName(const QString& folder, const QString& log, const QDate& day) {
    return folder + log + QLatin1Char('_') + QString::number(day.day()) + QLatin1Char('-') +
           QString::number(day.month()) + QStringLiteral("%1").arg(day.year(), 4, 10, QLatin1Char('0')) +
           QStringLiteral(".log");
}

void SaveToLog(const QString& log, const QString& msg, const QString& folder, const Clock& clock, UserInterface& ui) {
    if (folder.isEmpty())
        return; // no program folder known: better no line than one in whatever the current folder is
    try {
        if (!windows1250Known())
            return;
        const QByteArray bytes = toWindows1250(msg + QStringLiteral("\r\n"));

        // Append never truncates and creates the file when it is not there yet.
        QFile file(datedLogFileName(folder, log, clock.now().date()));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        if (file.write(bytes) != bytes.size())
            return;
        ui.pump();
        file.close();
        ui.pump();
    } catch (...) {
        // Losing a log line is better than disturbing the error report that wanted to write it.
    }
}

void SaveToLog(const QString& log, const QString& msg, UserInterface& ui) {
    const SystemClock clock;
    SaveToLog(log, msg, programFolder(), clock, ui);
}

} // namespace akt
