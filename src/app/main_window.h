#pragma once

#include "app/log_lines.h"
#include "app/main_window_view.h"
#include "app/progress_value.h"
#include "update/catalogue/script_list.h"

#include <QTimer>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace akt {

class MainWindowEvents;

// The Qt window `FRM_aktualizacja`: a fixed 555 × 428 dialog-like window with the controls at
// their places. It holds no logic; everything it reports goes to the MainWindowEvents object.
class MainWindow : public QWidget, public MainWindowView {
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // True on Qt's offscreen platform, which the program runs on when there is no display.
    static bool withoutDisplay();
    // The error dialog ("Error", stop icon); also usable before any window exists.
    static void showErrorDialog(const QString& text, QWidget* parent = nullptr);

    // Who hears the window's events; may be set once the logic object exists.
    void setEvents(MainWindowEvents* events) { events_ = events; }

    void appendLog(const QString& text) override;
    void clearLog() override;
    void setLogRed() override;
    void saveLog(const QString& fileName) const override;

    void setProgressMaximum(double maximum) override;
    void setProgressPosition(double position) override;
    double progressPosition() const override { return progress_.position(); }
    void repaintProgress() override;

    ScriptList& scriptList() override { return scripts_; }

    void setMakeDatabaseChecked(bool checked) override;
    bool makeDatabaseChecked() const override;
    void setPathText(const QString& text) override;
    void setPathEnabled(bool enabled) override;
    void setStartEnabled(bool enabled) override;
    bool startEnabled() const override;
    void setCloseEnabled(bool enabled) override;
    bool closeEnabled() const override;
    void setTimerEnabled(bool enabled) override;
    bool timerEnabled() const override { return timer_.isActive(); }

    bool executeOpenDialog() override;
    QString openDialogFileName() const override { return openDialogFileName_; }
    bool askYesNo(const QString& text) override;
    void closeWindow() override;
    bool unattended() const override;

    void plainMessage(const QString& text) override;
    void noticeDialog(const QString& text) override;
    void errorDialog(const QString& text) override;
    void warningBox(const QString& text) override;
    void exceptionBox(const QString& text) override;

    Cursor cursor() const override { return cursor_; }
    void setCursor(Cursor cursor) override;
    void pump() override;
    bool terminating() const override { return closed_ || endRequested_; }
    // The program is asked to end (a termination signal): every event loop is told to return, so an
    // open dialog closes and a waiting run goes on to its end, which it finds at once.
    void requestEnd();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildPathBox();
    void buildScriptList();
    void buildButtons();
    void setTabOrderOfControls();
    void mirrorScriptList(const ScriptListChange& change);
    void mirrorScriptItem(int row);
    void repaintScriptItem(int row);
    void showProgress();
    void centreOnScreen();

    MainWindowEvents* events_ = nullptr;
    ScriptList scripts_;
    ProgressValue progress_;
    LogLines log_;
    QTimer timer_;
    QString openDialogFileName_;
    Cursor cursor_ = Cursor::Normal;
    // An empty document is both "no line" and "one empty line"; this tells them apart. The box opens
    // with one empty line, as log_ does.
    bool memoHasLine_ = true;
    bool shown_ = false;
    bool closed_ = false;
    bool endRequested_ = false;

    QCheckBox* makeDatabase_ = nullptr;
    QLineEdit* path_ = nullptr;
    QToolButton* pathButton_ = nullptr;
    QListWidget* scriptView_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace akt
