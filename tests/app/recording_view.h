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

    explicit RecordingView(const QLocale& locale = QLocale(QLocale::Polish, QLocale::Poland)) : scripts(locale) {
        scripts.setChangeListener([this](const ScriptListChange&) { noteCheckMarks(); });
    }

    // Log box
    void appendLog(const QString& text) override {
        log.append(text);
        journal << QStringLiteral("log ") + text;
    }
    void clearLog() override {
        log.clear();
        journal << QStringLiteral("clear log");
    }
    void setLogRed() override {
        logRed = true;
        journal << QStringLiteral("log red");
    }
    void saveLog(const QString& fileName) const override { log.save(fileName); }
    const QStringList& logLines() const { return log.lines(); }

    // Progress bar
    void setProgressMaximum(double maximum) override {
        progress.setMaximum(maximum);
        journal << QStringLiteral("maximum %1").arg(maximum);
    }
    void setProgressPosition(double position) override { progress.setPosition(position); }
    double progressPosition() const override { return progress.position(); }
    void repaintProgress() override {
        ++progressRepaints;
        journal << QStringLiteral("repaint");
    }

    ScriptList& scriptList() override { return scripts; }

    void setMakeDatabaseChecked(bool checked) override { makeDatabase = checked; }
    bool makeDatabaseChecked() const override { return makeDatabase; }
    void setPathText(const QString& text) override { pathText = text; }
    void setPathEnabled(bool enabled) override { pathEnabled = enabled; }
    void setStartEnabled(bool enabled) override { start = enabled; }
    bool startEnabled() const override { return start; }
    void setCloseEnabled(bool enabled) override {
        close = enabled;
        journal << (enabled ? QStringLiteral("close on") : QStringLiteral("close off"));
    }
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

    void plainMessage(const QString& text) override { show(Dialog::Plain, QStringLiteral("plain "), text); }
    void noticeDialog(const QString& text) override { show(Dialog::Notice, QStringLiteral("notice "), text); }
    void errorDialog(const QString& text) override { show(Dialog::Error, QStringLiteral("error "), text); }
    void warningBox(const QString& text) override { show(Dialog::Warning, QStringLiteral("warning "), text); }
    void exceptionBox(const QString& text) override { show(Dialog::Exception, QStringLiteral("exception "), text); }

    Cursor cursor() const override { return currentCursor; }
    void setCursor(Cursor cursor) override {
        currentCursor = cursor;
        cursors.push_back(cursor);
        journal << (cursor == Cursor::Normal ? QStringLiteral("cursor normal") : QStringLiteral("cursor busy"));
    }
    void pump() override {
        ++pumps;
        journal << QStringLiteral("pump");
    }
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
    // Every log line, dialog ("plain <text>", "notice ...", "error ..."), cursor change, progress maximum
    // and repaint, Close change, pump and change of the number of checked entries ("checked <n>"), in the
    // order they happened.
    QStringList journal;

private:
    void show(Dialog kind, const QString& prefix, const QString& text) {
        dialogs.push_back({kind, text});
        journal << prefix + text;
    }
    void noteCheckMarks() {
        int marks = 0;
        for (int i = 0; i < scripts.count(); ++i)
            marks += scripts.entry(i).checked() ? 1 : 0;
        if (marks != checkMarks_)
            journal << QStringLiteral("checked %1").arg(marks);
        checkMarks_ = marks;
    }

    int checkMarks_ = 0;
};

} // namespace akt::test
