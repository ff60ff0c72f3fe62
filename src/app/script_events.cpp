// What the window does with the script executor's events: move the progress bar, log unreadable and
// failed statements, and stop the file at a failure.
#include "app/aktualizacja_unit.h"

#include "update/executor/script_executor.h"

namespace akt {

void TFRM_aktualizacja::skryptParse(StatementKind kind, const QString& text) {
    Q_UNUSED(kind);
    Q_UNUSED(text);
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

void TFRM_aktualizacja::skryptParseError(const QString& error, const QString& text, int lineIndex) {
    Q_UNUSED(error);
    Q_UNUSED(lineIndex);
    view.appendLog(QStringLiteral("Błąd parsowania: ") + text);
    // The executor stops this file; the error flag stays clear, so the next files still run, but the
    // caller learns that this one did not reach its end.
    scriptStoppedEarly_ = true;
}

void TFRM_aktualizacja::skryptExecuteError(const QString& error, const QString& text, int lineIndex, bool& ignore) {
    stop = true;
    scriptStoppedEarly_ = true;
    view.appendLog(QStringLiteral("Niepodzenie linia:") + QString::number(lineIndex));
    view.appendLog(text);
    view.appendLog(error);
    view.setLogRed();
    ignore = false;
}

} // namespace akt
