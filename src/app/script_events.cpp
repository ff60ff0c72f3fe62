// What the window does with the script executor's events: move the progress bar, log unreadable and
// failed statements, and stop the file at a failure.
#include "app/aktualizacja_unit.h"

#include "update/executor/script_executor.h"

namespace akt {

void TFRM_aktualizacja::skryptParse(StatementKind AKind, const QString& SQLText) {
    Q_UNUSED(AKind);
    Q_UNUSED(SQLText);
    ++progres;
    if (progres > 100) {
        progres = 1;
        view.setProgressPosition(view.progressPosition() + 100);
        view.repaintProgress();
        view.pump();
        // The program was asked to end while the window had its turn: the rest of this file waits no more.
        if (view.terminating())
            skrypt->stop();
    }
}

void TFRM_aktualizacja::skryptParseError(const QString& Error, const QString& SQLText, int LineIndex) {
    Q_UNUSED(Error);
    Q_UNUSED(LineIndex);
    view.appendLog(QStringLiteral("Błąd parsowania: ") + SQLText);
    // The executor stops this file; the error flag stays clear, so the next files still run, but the
    // caller learns that this one did not reach its end.
    scriptStoppedEarly_ = true;
}

void TFRM_aktualizacja::skryptExecuteError(const QString& Error, const QString& SQLText, int LineIndex, bool& Ignore) {
    stop = true;
    scriptStoppedEarly_ = true;
    view.appendLog(QStringLiteral("Niepodzenie linia:") + QString::number(LineIndex));
    view.appendLog(SQLText);
    view.appendLog(Error);
    view.setLogRed();
    Ignore = false;
}

} // namespace akt
