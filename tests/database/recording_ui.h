#pragma once

#include "support/user_interface.h"

#include <QString>
#include <QStringList>

#include <ostream>
#include <vector>

namespace akt::test {

// Stands in for the window: remembers log box lines and every dialog shown, in order. Dialogs have one
// OK button, so there is nothing to answer.
class RecordingUi : public UserInterface {
public:
    enum class Kind { Plain, Notice, Error, Warning, Exception };
    struct Dialog {
        Kind kind;
        QString text;
        bool operator==(const Dialog& other) const { return kind == other.kind && text == other.text; }
    };

    friend void PrintTo(const Dialog& dialog, std::ostream* out) {
        *out << "{kind " << int(dialog.kind) << ", \"" << dialog.text.toStdString() << "\"}";
    }

    QStringList logLines;
    std::vector<Dialog> dialogs;
    Cursor currentCursor = Cursor::Normal;

    void appendLog(const QString& text) override { logLines << text; }
    void plainMessage(const QString& text) override { dialogs.push_back({Kind::Plain, text}); }
    void noticeDialog(const QString& text) override { dialogs.push_back({Kind::Notice, text}); }
    void errorDialog(const QString& text) override { dialogs.push_back({Kind::Error, text}); }
    void warningBox(const QString& text) override { dialogs.push_back({Kind::Warning, text}); }
    void exceptionBox(const QString& text) override { dialogs.push_back({Kind::Exception, text}); }
    Cursor cursor() const override { return currentCursor; }
    void setCursor(Cursor cursor) override { currentCursor = cursor; }
    void pump() override {}
    bool terminating() const override { return false; }
};

} // namespace akt::test
