#pragma once

#include "app/log_lines.h"
#include "app/main_window_view.h"
#include "app/progress_value.h"
#include "update/catalogue/script_list.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace akt::test {

// A main window without a window: it keeps the state the logic sets, records the dialogs and
// answers the file-open dialog from a queue the test fills (an empty answer is a cancel).
class RecordingView : public MainWindowView {
public:
    enum class Dialog { Plain, Notice, Error, Warning, Exception };
    struct Shown {
        Dialog kind;
        QString text;
        bool operator==(const Shown& other) const { return kind == other.kind && text == other.text; }
    };

    explicit RecordingView(const QLocale& locale = QLocale(QLocale::Polish, QLocale::Poland)) : scripts(locale) {}

    // Log box
    void appendLog(const QString& text) override { log.append(text); }
    void clearLog() override { log.clear(); }
    void setLogRed() override { logRed = true; }
    void saveLog(const QString& fileName) const override { log.save(fileName); }
    const QStringList& logLines() const { return log.lines(); }

    // Progress bar
    void setProgressMaximum(double maximum) override { progress.setMaximum(maximum); }
    void setProgressPosition(double position) override { progress.setPosition(position); }
    double progressPosition() const override { return progress.position(); }
    void repaintProgress() override { ++progressRepaints; }

    ScriptList& scriptList() override { return scripts; }

    void setMakeDatabaseChecked(bool checked) override { makeDatabase = checked; }
    bool makeDatabaseChecked() const override { return makeDatabase; }
    void setPathText(const QString& text) override { pathText = text; }
    void setPathEnabled(bool enabled) override { pathEnabled = enabled; }
    void setStartEnabled(bool enabled) override { start = enabled; }
    bool startEnabled() const override { return start; }
    void setCloseEnabled(bool enabled) override { close = enabled; }
    bool closeEnabled() const override { return close; }
    void setTimerEnabled(bool enabled) override { timer = enabled; }
    bool timerEnabled() const override { return timer; }

    bool executeOpenDialog() override {
        ++openDialogs;
        std::optional<QString> answer;
        if (!openDialogAnswers.empty()) {
            answer = openDialogAnswers.front();
            openDialogAnswers.pop_front();
        }
        if (answer)
            chosenFile = *answer;
        return answer.has_value();
    }
    QString openDialogFileName() const override { return chosenFile; }
    void closeWindow() override { closed = true; }
    bool unattended() const override { return withoutDisplay; }

    void plainMessage(const QString& text) override { dialogs.push_back({Dialog::Plain, text}); }
    void noticeDialog(const QString& text) override { dialogs.push_back({Dialog::Notice, text}); }
    void errorDialog(const QString& text) override { dialogs.push_back({Dialog::Error, text}); }
    void warningBox(const QString& text) override { dialogs.push_back({Dialog::Warning, text}); }
    void exceptionBox(const QString& text) override { dialogs.push_back({Dialog::Exception, text}); }

    Cursor cursor() const override { return currentCursor; }
    void setCursor(Cursor cursor) override {
        currentCursor = cursor;
        cursors.push_back(cursor);
    }
    void pump() override { ++pumps; }
    bool terminating() const override { return closed; }

    // The state of the window as built: Start disabled, Close enabled, path box disabled, timer off.
    LogLines log;
    bool logRed = false;
    bool withoutDisplay = false;
    ProgressValue progress;
    int progressRepaints = 0;
    ScriptList scripts;
    bool makeDatabase = false;
    QString pathText;
    bool pathEnabled = false;
    bool start = false;
    bool close = true;
    bool timer = false;
    std::deque<std::optional<QString>> openDialogAnswers;
    int openDialogs = 0;
    QString chosenFile;
    bool closed = false;
    std::vector<Shown> dialogs;
    Cursor currentCursor = Cursor::Normal;
    std::vector<Cursor> cursors;
    int pumps = 0;
};

} // namespace akt::test
