#pragma once

#include <QString>

namespace akt {

// The mouse cursor shapes the program uses, application-wide.
enum class Cursor {
    Normal,       // the arrow
    DatabaseBusy, // hourglass with "SQL" under it, while a script runs
};

// What the routines below the window need of the user interface: the dialogs, the cursor, the log
// box's append and the pump. The main window implements it (and more, see the app layer); tests
// implement it with a recorder that answers the dialogs.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Appends one line to the log box; a text holding CR LF becomes several lines.
    virtual void appendLog(const QString& text) = 0;

    // Modal dialogs, each with one OK button.
    virtual void plainMessage(const QString& text) = 0; // caption: application title, no icon
    virtual void noticeDialog(const QString& text) = 0; // looks like the plain message
    virtual void errorDialog(const QString& text) = 0;  // caption "Error", stop icon
    virtual void warningBox(const QString& text) = 0;   // caption "Błąd", exclamation, always on top
    virtual void exceptionBox(const QString& text) = 0; // caption "Informacja", stop icon, always on top

    virtual Cursor cursor() const = 0;
    virtual void setCursor(Cursor cursor) = 0;

    // Lets the window process every pending message (repaint, input, timers), then returns.
    virtual void pump() = 0;
    // True once the application has been asked to end; long waits give up then.
    virtual bool terminating() const = 0;
};

} // namespace akt
