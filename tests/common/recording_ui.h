#pragma once

#include "support/user_interface.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>
#include <type_traits>
#include <vector>

namespace akt::test {

// The dialogs of UserInterface. Each has a single OK button, so a recorder has nothing to answer.
enum class DialogKind { Plain, Notice, Error, Warning, Exception };

struct ShownDialog {
    DialogKind kind;
    QString text;
    bool operator==(const ShownDialog& other) const { return kind == other.kind && text == other.text; }
};

// The caption each kind of dialog carries in the program, for readable test tables and messages.
inline const char* captionOf(DialogKind kind) {
    switch (kind) {
    case DialogKind::Plain:
    case DialogKind::Notice:
        return "<application title>";
    case DialogKind::Error:
        return "Error";
    case DialogKind::Warning:
        return "Błąd";
    case DialogKind::Exception:
        return "Informacja";
    }
    return "";
}

// How a dialog of each kind opens its line in a recorder's journal.
inline QString journalWordOf(DialogKind kind) {
    switch (kind) {
    case DialogKind::Plain:
        return QStringLiteral("plain");
    case DialogKind::Notice:
        return QStringLiteral("notice");
    case DialogKind::Error:
        return QStringLiteral("error");
    case DialogKind::Warning:
        return QStringLiteral("warning");
    case DialogKind::Exception:
        return QStringLiteral("exception");
    }
    return QString();
}

inline void PrintTo(const ShownDialog& dialog, std::ostream* os) {
    *os << captionOf(dialog.kind) << ": \"" << dialog.text.toStdString() << '"';
}

// Implements the UserInterface part of `Interface` (UserInterface itself, or an interface built on
// it) for tests: remembers every dialog, every text appended to the log box as given and every
// cursor change, counts pumps, and lets the test say when the application is terminating. Pumping
// also runs Qt's pending events when a QCoreApplication exists, like the window would, and then
// calls `onPump` if set.
template <class Interface> class BasicRecordingUi : public Interface {
    static_assert(std::is_base_of_v<UserInterface, Interface>, "records the operations of UserInterface");

public:
    using Kind = DialogKind;
    using Dialog = ShownDialog;

    std::vector<Dialog> dialogs;
    QStringList logLines;
    std::vector<Cursor> cursorChanges;
    Cursor currentCursor = Cursor::Normal;
    int pumps = 0;
    bool terminatingFlag = false;
    std::function<void()> onPump;
    // Every log line ("log <text>"), dialog ("plain <text>", "notice ...", "error ..."), cursor change
    // ("cursor normal", "cursor busy") and pump, in the order they happened; a recorder of a larger
    // interface adds its own entries.
    QStringList journal;

    void appendLog(const QString& text) override {
        logLines << text;
        journal << QStringLiteral("log ") + text;
    }
    void plainMessage(const QString& text) override { show(Kind::Plain, text); }
    void noticeDialog(const QString& text) override { show(Kind::Notice, text); }
    void errorDialog(const QString& text) override { show(Kind::Error, text); }
    void warningBox(const QString& text) override { show(Kind::Warning, text); }
    void exceptionBox(const QString& text) override { show(Kind::Exception, text); }

    Cursor cursor() const override { return currentCursor; }
    void setCursor(Cursor cursor) override {
        currentCursor = cursor;
        cursorChanges.push_back(cursor);
        journal << (cursor == Cursor::Normal ? QStringLiteral("cursor normal") : QStringLiteral("cursor busy"));
    }

    void pump() override {
        ++pumps;
        journal << QStringLiteral("pump");
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        if (onPump)
            onPump();
    }
    bool terminating() const override { return terminatingFlag; }

private:
    void show(Kind kind, const QString& text) {
        dialogs.push_back({kind, text});
        journal << journalWordOf(kind) + QLatin1Char(' ') + text;
    }
};

using RecordingUi = BasicRecordingUi<UserInterface>;

} // namespace akt::test
