#include "app/main_window.h"

#include "app/application_title.h"
#include "app/main_window_events.h"
#include "app/pictures.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextStream>
#include <QToolButton>

#include <algorithm>

namespace akt {

namespace {

const QColor skyBlue(166, 202, 240);
const QSize clientSize(555, 428);
const int progressSteps = 100;

void paintBase(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

QLabel* addLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void showMessage(QWidget* parent, const QString& caption, const QString& text, QMessageBox::Icon icon,
                 bool alwaysOnTop) {
    // Without a screen nobody could press OK, and an installer's run would wait for ever: the
    // message goes to standard error and the run goes on.
    if (MainWindow::withoutDisplay()) {
        QTextStream(stderr) << caption << ": " << text << Qt::endl;
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    if (alwaysOnTop)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

QString ownTitle() {
    return applicationTitle(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FRM_aktualizacja"));
    setWindowTitle(QStringLiteral("Vostrelink Wendaphor"));
    // Caption only: the program ends through its Close button or at the end of a create run.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(clientSize);

    // The face the window was laid out for, then the nearest narrow sans-serif faces: a wide
    // face would not fit the captions into their controls. The mode check box leaves its caption
    // 232 pixels beside the mark; at 8 points the caption takes 228 in FreeSans, 233 in Liberation
    // Sans or Arial (its last pixel cut off) and 238 in DejaVu Sans Condensed (its last letter).
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("FreeSans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    setFont(font);

    buildControls();

    timer_.setInterval(500);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (events_)
            events_->tmrPrzetwarzanieTimer();
    });
    scripts_.setChangeListener([this](const ScriptListChange& change) { mirrorScriptList(change); });
}

MainWindow::~MainWindow() {
    // The list widget is destroyed with the window's children; the model must stop reporting first.
    scripts_.setChangeListener({});
    if (cursor_ != Cursor::Normal)
        QApplication::restoreOverrideCursor();
}

void MainWindow::buildControls() {
    makeDatabase_ = new QCheckBox(QStringLiteral("Utwórz nową bazę danych / aktualizuj istniejącą"), this);
    makeDatabase_->setObjectName(QStringLiteral("cxcbMakeDatabase"));
    makeDatabase_->setGeometry(8, 5, 252, 17);
    makeDatabase_->setEnabled(false);

    buildPathBox();
    buildScriptList();

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("memo"));
    memo_->setGeometry(8, 160, 541, 193);
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    paintBase(memo_, skyBlue);

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("cxprgrsbr"));
    progressBar_->setGeometry(7, 356, 541, 21);
    progressBar_->setRange(0, progressSteps);
    progressBar_->setTextVisible(true);
    progressBar_->setAlignment(Qt::AlignCenter);
    showProgress();

    buildButtons();

    addLabel(this, QStringLiteral("Baza danych:"), 8, 33);
    addLabel(this, QStringLiteral("Lista operacji do wykonania"), 8, 57);
    addLabel(this, QStringLiteral("Przebieg wykonania..."), 8, 144);

    setTabOrderOfControls();
}

void MainWindow::buildPathBox() {
    path_ = new QLineEdit(this);
    path_->setObjectName(QStringLiteral("cxtxtNowaBaza"));
    path_->setGeometry(75, 30, 473, 21);
    path_->setReadOnly(true);
    path_->setEnabled(false);
    paintBase(path_, skyBlue);

    // The ellipsis button lives inside the box, so disabling the box disables the button too.
    pathButton_ = new QToolButton(path_);
    pathButton_->setObjectName(QStringLiteral("cxtxtNowaBazaButton"));
    pathButton_->setText(QStringLiteral("..."));
    pathButton_->setCursor(Qt::ArrowCursor);
    pathButton_->setFocusPolicy(Qt::NoFocus);
    const int buttonWidth = 19;
    pathButton_->setGeometry(path_->width() - buttonWidth - 2, 2, buttonWidth, path_->height() - 4);
    path_->setTextMargins(0, 0, buttonWidth + 2, 0);
    connect(pathButton_, &QToolButton::clicked, this, [this] {
        if (events_)
            events_->cxtxtNowaBazaPropertiesButtonClick();
    });
}

void MainWindow::buildScriptList() {
    scriptView_ = new QListWidget(this);
    scriptView_->setObjectName(QStringLiteral("lstscripts"));
    scriptView_->setGeometry(8, 73, 541, 65);
    // Two columns of half the width each, filled top to bottom, more columns by scrolling sideways.
    scriptView_->setViewMode(QListView::ListMode);
    scriptView_->setFlow(QListView::TopToBottom);
    scriptView_->setWrapping(true);
    scriptView_->setResizeMode(QListView::Adjust);
    scriptView_->setUniformItemSizes(true);
    const int columnWidth = (scriptView_->width() - 2 * scriptView_->frameWidth()) / 2;
    scriptView_->setGridSize(QSize(columnWidth, scriptView_->fontMetrics().height() + 3));
    scriptView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    scriptView_->setSelectionMode(QAbstractItemView::SingleSelection);
    paintBase(scriptView_, skyBlue);
}

void MainWindow::buildButtons() {
    start_ = new QPushButton(QIcon(startButtonPicture()), QStringLiteral("Start"), this);
    start_->setObjectName(QStringLiteral("btnAktualizuj"));
    start_->setGeometry(9, 384, 113, 33);
    start_->setIconSize(QSize(24, 24));
    start_->setEnabled(false);
    connect(start_, &QPushButton::clicked, this, [this] {
        if (events_)
            events_->btnAktualizujClick();
    });

    close_ = new QPushButton(QIcon(closeButtonPicture()), QStringLiteral("Zamknij"), this);
    close_->setObjectName(QStringLiteral("btnzakoncz"));
    close_->setGeometry(433, 384, 113, 33);
    close_->setIconSize(QSize(24, 24));
    connect(close_, &QPushButton::clicked, this, [this] {
        if (events_)
            events_->btnzakonczClick();
    });
}

void MainWindow::setTabOrderOfControls() {
    QWidget::setTabOrder(makeDatabase_, path_);
    QWidget::setTabOrder(path_, scriptView_);
    QWidget::setTabOrder(scriptView_, memo_);
    QWidget::setTabOrder(memo_, progressBar_);
    QWidget::setTabOrder(progressBar_, start_);
    QWidget::setTabOrder(start_, close_);
}

void MainWindow::mirrorScriptList(const ScriptListChange& change) {
    switch (change.scope) {
    case ScriptListChange::Scope::Row:
        repaintScriptItem(change.row);
        return;
    case ScriptListChange::Scope::All:
        break;
    }
    // Update the items in place so the user's scroll position survives check marks being set.
    while (scriptView_->count() > scripts_.count())
        delete scriptView_->takeItem(scriptView_->count() - 1);
    while (scriptView_->count() < scripts_.count()) {
        auto* item = new QListWidgetItem(scriptView_);
        // Without ItemIsUserCheckable neither clicks nor the keyboard toggle the mark.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    for (int i = 0; i < scripts_.count(); ++i)
        mirrorScriptItem(i);
}

// A check mark during a run changes one item. The list view answers any item change by laying out
// every item again at the next pump, which with thousands of scripts costs more than the scripts
// do; items never change size here (uniform, on a fixed grid), so the view is kept out of it and
// only repaints the one item.
void MainWindow::repaintScriptItem(int row) {
    {
        const QSignalBlocker quiet(scriptView_->model());
        mirrorScriptItem(row);
    }
    scriptView_->update(scriptView_->model()->index(row, 0));
}

void MainWindow::mirrorScriptItem(int row) {
    const ScriptEntry& entry = scripts_.entry(row);
    QListWidgetItem* item = scriptView_->item(row);
    item->setText(entry.displayText());
    item->setCheckState(entry.checked() ? Qt::Checked : Qt::Unchecked);
}

void MainWindow::appendLog(const QString& text) {
    log_.append(text);
    const bool toStandardOutput = withoutDisplay();
    for (const QString& line : LogLines::split(LogLines::shownInBox(text))) {
        // Without a display an installer follows the run in its own log, line by line as it happens.
        if (toStandardOutput)
            QTextStream(stdout) << line << Qt::endl;
        // appendPlainText writes into an empty document's only line; when that line is an empty line
        // of the log, the new one belongs below it.
        const bool belowAnEmptyLine = memoHasLine_ && memo_->document()->isEmpty();
        memo_->appendPlainText(belowAnEmptyLine ? QLatin1Char('\n') + line : line);
        memoHasLine_ = true;
    }
    memo_->moveCursor(QTextCursor::End);
    memo_->ensureCursorVisible();
}

void MainWindow::clearLog() {
    log_.clear();
    memo_->clear();
    memoHasLine_ = false;
}

void MainWindow::setLogRed() {
    paintBase(memo_, QColor(255, 0, 0));
}

void MainWindow::saveLog(const QString& fileName) const {
    log_.save(fileName);
}

void MainWindow::setProgressMaximum(double maximum) {
    progress_.setMaximum(maximum);
    showProgress();
}

void MainWindow::setProgressPosition(double position) {
    progress_.setPosition(position);
    showProgress();
}

void MainWindow::repaintProgress() {
    progressBar_->repaint();
}

void MainWindow::showProgress() {
    progressBar_->setValue(std::clamp(progress_.percent(), 0, progressSteps));
    progressBar_->setFormat(progress_.text());
}

void MainWindow::setMakeDatabaseChecked(bool checked) {
    makeDatabase_->setChecked(checked);
}

bool MainWindow::makeDatabaseChecked() const {
    return makeDatabase_->isChecked();
}

void MainWindow::setPathText(const QString& text) {
    path_->setText(text);
    path_->setCursorPosition(0);
}

void MainWindow::setPathEnabled(bool enabled) {
    path_->setEnabled(enabled);
}

void MainWindow::setStartEnabled(bool enabled) {
    start_->setEnabled(enabled);
}

bool MainWindow::startEnabled() const {
    return start_->isEnabled();
}

void MainWindow::setCloseEnabled(bool enabled) {
    close_->setEnabled(enabled);
}

bool MainWindow::closeEnabled() const {
    return close_->isEnabled();
}

void MainWindow::setTimerEnabled(bool enabled) {
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

bool MainWindow::executeOpenDialog() {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name of a file that does not exist yet is accepted.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Pliki bazy (*.fdb)"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    openDialogFileName_ = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    return true;
}

void MainWindow::closeWindow() {
    close();
}

bool MainWindow::withoutDisplay() {
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

bool MainWindow::unattended() const {
    return withoutDisplay();
}

void MainWindow::plainMessage(const QString& text) {
    showMessage(this, ownTitle(), text, QMessageBox::NoIcon, false);
}

void MainWindow::noticeDialog(const QString& text) {
    showMessage(this, ownTitle(), text, QMessageBox::NoIcon, false);
}

bool MainWindow::askYesNo(const QString& text) {
    if (withoutDisplay()) {
        QTextStream(stderr) << ownTitle() << ": " << text << " (nie)" << Qt::endl;
        return false;
    }
    QMessageBox box(QMessageBox::Question, ownTitle(), text, QMessageBox::Yes | QMessageBox::No, this);
    // The program carries no Qt translations; the buttons speak the language of its texts.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Tak"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nie"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MainWindow::showErrorDialog(const QString& text, QWidget* parent) {
    showMessage(parent, QStringLiteral("Error"), text, QMessageBox::Critical, false);
}

void MainWindow::errorDialog(const QString& text) {
    showErrorDialog(text, this);
}

void MainWindow::warningBox(const QString& text) {
    showMessage(this, QStringLiteral("Błąd"), text, QMessageBox::Warning, true);
}

void MainWindow::exceptionBox(const QString& text) {
    showMessage(this, QStringLiteral("Informacja"), text, QMessageBox::Critical, true);
}

void MainWindow::setCursor(Cursor cursor) {
    if (cursor == cursor_)
        return;
    if (cursor_ != Cursor::Normal)
        QApplication::restoreOverrideCursor();
    if (cursor == Cursor::DatabaseBusy)
        QApplication::setOverrideCursor(databaseBusyCursor());
    cursor_ = cursor;
}

void MainWindow::pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void MainWindow::requestEnd() {
    endRequested_ = true;
    timer_.stop();
    QCoreApplication::exit(0);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    centreOnScreen();
    if (events_)
        events_->FormShow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A window manager may still offer to close the window; while Close is disabled a run is
    // working on the database and must not lose its window under it.
    if (event->spontaneous() && !close_->isEnabled()) {
        event->ignore();
        return;
    }
    timer_.stop();
    closed_ = true;
    event->accept();
}

void MainWindow::centreOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace akt
