#pragma once

#include "support/user_interface.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>
#include <vector>

namespace akt::test {

// A UserInterface for tests: remembers every dialog (kind and text), every log box line and cursor
// change, counts pumps, and lets the test say when the application is terminating. Dialogs have a
// single OK button, so there is nothing to answer. Pumping also runs Qt's pending events when a
// QCoreApplication exists, like the window would, and then calls `onPump` if set.
class RecordingUi : public UserInterface {
public:
    enum class Kind { Plain, Notice, Error, Warning, Exception };

    struct Dialog {
        Kind kind;
        QString text;
        bool operator==(const Dialog& other) const { return kind == other.kind && text == other.text; }
    };

    std::vector<Dialog> dialogs;
    QStringList logLines;
    std::vector<Cursor> cursorChanges;
    Cursor currentCursor = Cursor::Normal;
    int pumps = 0;
    bool terminatingFlag = false;
    std::function<void()> onPump;

    void appendLog(const QString& text) override { logLines << text; }
    void plainMessage(const QString& text) override { dialogs.push_back({Kind::Plain, text}); }
    void noticeDialog(const QString& text) override { dialogs.push_back({Kind::Notice, text}); }
    void errorDialog(const QString& text) override { dialogs.push_back({Kind::Error, text}); }
    void warningBox(const QString& text) override { dialogs.push_back({Kind::Warning, text}); }
    void exceptionBox(const QString& text) override { dialogs.push_back({Kind::Exception, text}); }

    Cursor cursor() const override { return currentCursor; }
    void setCursor(Cursor cursor) override {
        currentCursor = cursor;
        cursorChanges.push_back(cursor);
    }

    void pump() override {
        ++pumps;
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        if (onPump)
            onPump();
    }
    bool terminating() const override { return terminatingFlag; }
};

// The caption each kind of dialog carries in the program, for readable test tables and messages.
inline const char* captionOf(RecordingUi::Kind kind) {
    switch (kind) {
    case RecordingUi::Kind::Plain:
    case RecordingUi::Kind::Notice:
        return "<application title>";
    case RecordingUi::Kind::Error:
        return "Error";
    case RecordingUi::Kind::Warning:
        return "Błąd";
    case RecordingUi::Kind::Exception:
        return "Informacja";
    }
    return "";
}

inline void PrintTo(const RecordingUi::Dialog& dialog, std::ostream* os) {
    *os << captionOf(dialog.kind) << ": \"" << dialog.text.toStdString() << '"';
}

} // namespace akt::test
