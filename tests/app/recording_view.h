#pragma once

#include "app/log_lines.h"
#include "app/main_window_view.h"
#include "app/progress_value.h"
#include "tests/common/recording_ui.h"
#include "update/catalogue/script_list.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

namespace akt::test {

// A main window without a window: it keeps the state the logic sets, records the dialogs, the cursor
// and the pumps as any recorder of UserInterface does, and answers the file-open dialog from a queue
// the test fills (an empty answer is a cancel). Its journal has, besides the recorder's entries,
// every clear and reddening of the log box, progress maximum and repaint, change of Close and change
// of the number of checked entries ("checked <n>").
class RecordingView : public BasicRecordingUi<MainWindowView> {
public:
    explicit RecordingView(const QLocale& locale = QLocale(QLocale::Polish, QLocale::Poland)) : scripts(locale) {
        scripts.setChangeListener([this](const ScriptListChange&) { noteCheckMarks(); });
    }

    // Log box: the recorder keeps each text as appended, `log` the box's lines.
    void appendLog(const QString& text) override {
        BasicRecordingUi::appendLog(text);
        log.append(text);
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
    // Answered from a queue the test fills; an empty queue answers No, the default button.
    bool askYesNo(const QString& text) override {
        questions << text;
        journal << QStringLiteral("question ") + text;
        if (yesNoAnswers.empty())
            return false;
        const bool yes = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return yes;
    }
    // Closing the main window ends the program.
    void closeWindow() override {
        closed = true;
        terminatingFlag = true;
    }
    bool unattended() const override { return withoutDisplay; }

    // The state of the window as built: Start disabled, Close enabled, path box disabled, timer off.
    LogLines log; // the log box's lines: texts split at CR LF, emptied by clearLog
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
    QStringList questions;
    std::deque<bool> yesNoAnswers;
    bool closed = false;

private:
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
