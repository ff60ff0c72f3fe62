#pragma once

#include "support/user_interface.h"

#include <QString>

namespace akt {

class ScriptList;

// Every operation the logic needs of the main window, grouped by control. The Qt window
// implements it; tests implement it with a recorder. The dialogs, the cursor, the log box's
// append and the pump come from UserInterface, so routines below the window can be handed the
// same object.
class MainWindowView : public UserInterface {
public:
    // Log box `memo`. appendLog is inherited.
    virtual void clearLog() = 0;
    // Pure red for the rest of the process, after the first failed statement.
    virtual void setLogRed() = 0;
    // Every line of the box, each followed by CR LF, as Windows-1250 bytes: before the first clear
    // the empty line the box opens with and whatever was appended below it, after it the lines
    // appended since the last clear. The file is created or truncated. Throws std::runtime_error
    // naming the file and the system's reason when it cannot be written.
    virtual void saveLog(const QString& fileName) const = 0;

    // Progress bar `cxprgrsbr`, see ProgressValue for the arithmetic.
    virtual void setProgressMaximum(double maximum) = 0;
    virtual void setProgressPosition(double position) = 0;
    virtual double progressPosition() const = 0;
    virtual void repaintProgress() = 0;

    // Script list `lstscripts`: the sorted model the list widget mirrors.
    virtual ScriptList& scriptList() = 0;

    // Mode check box `cxcbMakeDatabase`: checked means create mode.
    virtual void setMakeDatabaseChecked(bool checked) = 0;
    virtual bool makeDatabaseChecked() const = 0;

    // Path box `cxtxtNowaBaza`; enabling it makes its ellipsis button usable.
    virtual void setPathText(const QString& text) = 0;
    virtual void setPathEnabled(bool enabled) = 0;

    // Buttons `btnAktualizuj` (Start) and `btnzakoncz` (Close).
    virtual void setStartEnabled(bool enabled) = 0;
    virtual bool startEnabled() const = 0;
    virtual void setCloseEnabled(bool enabled) = 0;
    virtual bool closeEnabled() const = 0;

    // Start-up timer `tmrPrzetwarzanie`, 500 ms.
    virtual void setTimerEnabled(bool enabled) = 0;
    virtual bool timerEnabled() const = 0;

    // File-open dialog `dlgOpenBaza` ("Pliki bazy", *.fdb). Shows it modally; true when the user
    // confirmed a name, which need not exist.
    virtual bool executeOpenDialog() = 0;
    // The full path chosen in the last confirmed dialog.
    virtual QString openDialogFileName() const = 0;

    // A question with Yes and No buttons, No the default, captioned with the application title; true
    // for Yes. Without a display nobody can answer: the question goes to standard error, and the
    // answer is No.
    virtual bool askYesNo(const QString& text) = 0;
    // Closes the main window, which ends the program.
    virtual void closeWindow() = 0;
    // True when nobody can see the window or answer it (no display): dialogs are written to
    // standard error, and a create-mode run that stops early still ends the program.
    virtual bool unattended() const = 0;
};

} // namespace akt
