#include "app/aktualizacja_unit.h"
#include "app/main_window.h"
#include "tests/common/application_environment.h"
#include "tests/common/firebird_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <ostream>
#include <string>

namespace akt {
namespace {

// One application object for the whole test program; Google Test takes ownership of it.
const testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new test::ApplicationEnvironment<QApplication>("aktualizacja"));

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        window.setEvents(&form);
        form.FormCreate();
        window.show();
        QCoreApplication::processEvents();
    }

    template <typename Control> Control* control(const char* name) {
        auto* found = window.findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    MainWindow window;
    TFRM_aktualizacja form{window, QCoreApplication::applicationDirPath() + "/", {}, test::testClientLibrary()};
};

TEST_F(WindowTest, HasItsCaptionSizeAndTitleBarWithoutBoxes) {
    EXPECT_EQ(window.windowTitle(), "Vostrelink Wendaphor");
    EXPECT_EQ(window.size(), QSize(555, 428));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
}

TEST_F(WindowTest, ControlsSitAtTheirPlacesInTabOrder) {
    struct Place {
        const char* name;
        QRect geometry;
    };
    const Place places[] = {
        {"cxcbMakeDatabase", {8, 5, 252, 17}}, {"cxtxtNowaBaza", {75, 30, 473, 21}},
        {"lstscripts", {8, 73, 541, 65}},      {"memo", {8, 160, 541, 193}},
        {"cxprgrsbr", {7, 356, 541, 21}},      {"btnAktualizuj", {9, 384, 113, 33}},
        {"btnzakoncz", {433, 384, 113, 33}},
    };
    QStringList names;
    for (const Place& place : places) {
        names.append(place.name);
        QWidget* widget = control<QWidget>(place.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), place.geometry) << place.name;
    }
    // The focus chain also holds the controls' inner parts (scroll bars, the ellipsis button).
    QStringList chain;
    for (QWidget* widget = window.nextInFocusChain(); widget != &window; widget = widget->nextInFocusChain()) {
        if (names.contains(widget->objectName()))
            chain.append(widget->objectName());
    }
    EXPECT_EQ(chain, names);
    QStringList labels;
    for (const QLabel* label : window.findChildren<QLabel*>())
        labels.append(label->text() + QString(" %1,%2").arg(label->x()).arg(label->y()));
    labels.sort();
    EXPECT_EQ(labels,
              QStringList({"Baza danych: 8,33", "Lista operacji do wykonania 8,57", "Przebieg wykonania... 8,144"}));
}

TEST_F(WindowTest, StartsInUpdateModeWithStartDisabled) {
    const auto* mode = control<QCheckBox>("cxcbMakeDatabase");
    EXPECT_EQ(mode->text(), "Utwórz nową bazę danych / aktualizuj istniejącą");
    EXPECT_FALSE(mode->isEnabled());
    EXPECT_FALSE(mode->isChecked());

    const auto* path = control<QLineEdit>("cxtxtNowaBaza");
    EXPECT_EQ(path->text(), ">>> Wczytaj plik bazy <<<");
    EXPECT_TRUE(path->isEnabled());
    EXPECT_TRUE(path->isReadOnly());
    EXPECT_EQ(path->palette().color(QPalette::Base), QColor(166, 202, 240));
    EXPECT_TRUE(control<QToolButton>("cxtxtNowaBazaButton")->isEnabled());

    EXPECT_EQ(control<QListWidget>("lstscripts")->count(), 0);
    const auto* memo = control<QPlainTextEdit>("memo");
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_EQ(control<QProgressBar>("cxprgrsbr")->text(), "0 %");

    const auto* start = control<QPushButton>("btnAktualizuj");
    EXPECT_EQ(start->text(), "Start");
    EXPECT_FALSE(start->isEnabled());
    EXPECT_EQ(start->iconSize(), QSize(24, 24));
    const auto* close = control<QPushButton>("btnzakoncz");
    EXPECT_EQ(close->text(), "Zamknij");
    EXPECT_TRUE(close->isEnabled());
    EXPECT_FALSE(window.timerEnabled());
}

TEST_F(WindowTest, ListMirrorsTheModelAndClicksDoNotToggleMarks) {
    ScriptList& scripts = window.scriptList();
    for (const char* text : {"B", "A"}) {
        ScriptEntry& entry = scripts.append();
        scripts.setDisplayText(entry, text);
    }
    scripts.setChecked(scripts.entry(1), true);

    auto* list = control<QListWidget>("lstscripts");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "A");
    EXPECT_EQ(list->item(1)->text(), "B");
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
    EXPECT_FALSE(list->item(0)->flags().testFlag(Qt::ItemIsUserCheckable));
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(WindowTest, LogBoxShowsABoundedPieceOfALongTextWhileTheSavedLogKeepsItAll) {
    const QString statement = "INSERT INTO T VALUES ('" + QString(1 << 20, 'x') + "')";
    window.appendLog(QStringLiteral("Niepodzenie linia:1"));
    window.appendLog(statement);
    window.setLogRed();

    // No run has cleared the box yet: its opening empty line stays above.
    const QString shown = control<QPlainTextEdit>("memo")->toPlainText();
    EXPECT_EQ(shown, "\nNiepodzenie linia:1\n" + LogLines::shownInBox(statement));
    EXPECT_LT(shown.size(), 2 * LogLines::kShownLength);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    window.saveLog(folder.filePath("log.txt"));
    QFile saved(folder.filePath("log.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), "\r\nNiepodzenie linia:1\r\n" + statement.toLatin1() + "\r\n");
    // AKT_SCREENSHOT=file.png keeps a picture of the window for a person to look at.
    if (const QString picture = qEnvironmentVariable("AKT_SCREENSHOT"); !picture.isEmpty())
        window.grab().save(picture);
}

struct LogBoxCase {
    const char* name;
    bool clearedFirst;
    QStringList appended;
    QString shown;
    QByteArray saved;
};

void PrintTo(const LogBoxCase& c, std::ostream* out) {
    *out << c.name;
}

class LogBox : public WindowTest, public testing::WithParamInterface<LogBoxCase> {};

TEST_P(LogBox, OpensWithOneEmptyLineThatTheFirstClearRemoves) {
    if (GetParam().clearedFirst)
        window.clearLog();
    for (const QString& text : GetParam().appended)
        window.appendLog(text);

    EXPECT_EQ(control<QPlainTextEdit>("memo")->toPlainText().toStdString(), GetParam().shown.toStdString());
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    window.saveLog(folder.filePath("log.txt"));
    QFile saved(folder.filePath("log.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), GetParam().saved.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Contents, LogBox,
    testing::Values(
        LogBoxCase{"openedOnly", false, {}, "", "\r\n"},
        LogBoxCase{
            "appendedBelowTheOpeningLine", false, {"Wersja bazy: 5"}, "\nWersja bazy: 5", "\r\nWersja bazy: 5\r\n"},
        LogBoxCase{"textOfTwoLinesBelowTheOpeningLine", false, {"a\r\nb"}, "\na\nb", "\r\na\r\nb\r\n"},
        LogBoxCase{"clearedOnly", true, {}, "", ""},
        LogBoxCase{"clearedByARun",
                   true,
                   {"Tworzenie bazy: :demo.fdb"},
                   "Tworzenie bazy: :demo.fdb",
                   "Tworzenie bazy: :demo.fdb\r\n"},
        LogBoxCase{"emptyFirstLineOfARun", true, {"", "x"}, "\nx", "\r\nx\r\n"}),
    [](const testing::TestParamInfo<LogBoxCase>& info) { return std::string(info.param.name); });

// The widest caption in whatever face the window gets here: a face wider than the one
// scripts/install-deps.sh installs as the fallback cuts off its last letters.
TEST_F(WindowTest, ModeCaptionFitsBesideTheMark) {
    const auto* mode = control<QCheckBox>("cxcbMakeDatabase");
    QStyleOptionButton option;
    option.initFrom(mode);
    option.text = mode->text();
    const QRect captionArea = mode->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, mode);

    EXPECT_LE(captionArea.right(), mode->rect().right());
    EXPECT_LE(mode->fontMetrics().horizontalAdvance(mode->text()), captionArea.width())
        << "in " << QFontInfo(mode->font()).family().toStdString() << ", " << captionArea.width()
        << " pixels beside the mark";
}

// Without a display nobody can press Yes: the question must not wait, and its answer is the default.
TEST_F(WindowTest, AQuestionWithoutADisplayIsAnsweredNo) {
    ASSERT_TRUE(window.unattended());
    EXPECT_FALSE(window.askYesNo(QStringLiteral("Przywrócić?")));
}

TEST_F(WindowTest, CloseEndsTheEventLoopWithExitCodeZero) {
    QTimer::singleShot(0, &window, [this] { control<QPushButton>("btnzakoncz")->click(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.terminating());
}

} // namespace
} // namespace akt
