#include "app/aktualizacja_unit.h"
#include "tests/app/recording_view.h"
#include "tests/common/firebird_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

namespace akt {
namespace {

// The window logic with the run replaced by a record of its calls and of the timer's state at
// the moment the run began.
class RecordingForm : public TFRM_aktualizacja {
public:
    using TFRM_aktualizacja::TFRM_aktualizacja;

    struct Run {
        QStringList values;
        bool timerEnabled;
    };

    void aktualizuj(const QString& serwer, const QString& baza, const QString& user, const QString& pass) override {
        runs.push_back({{serwer, baza, user, pass}, view.timerEnabled()});
    }

    std::vector<Run> runs;
};

class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid());
        for (const char* path : {"DBSRC/02_B.SQL", "DBSRC/0/01_A.SQL", "DBSRC/5/03_C.SQL", "DBSRC/ADR/00_Z.SQL",
                                 "DBSRC/1/10_ONE.SQL", "DBSRC/3/10_THREE.SQL", "extra/04_D.SQL"})
            touch(path);
    }

    void touch(const QString& path) {
        ASSERT_TRUE(QDir(folder()).mkpath(path.section('/', 0, -2)));
        QFile file(folder() + path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QString folder() const { return program.path() + '/'; }

    QStringList listedTexts() {
        QStringList texts;
        for (int i = 0; i < view.scripts.count(); ++i)
            texts.append(view.scripts.entry(i).displayText());
        return texts;
    }

    RecordingForm& show(const QStringList& arguments) {
        form = std::make_unique<RecordingForm>(view, folder(), arguments, test::testClientLibrary());
        form->FormCreate();
        form->FormShow();
        return *form;
    }

    QTemporaryDir program;
    test::RecordingView view;
    std::unique_ptr<RecordingForm> form;
};

TEST_F(StartupTest, WithoutArgumentsWaitsForTheUserToPickADatabase) {
    show({});
    EXPECT_FALSE(view.makeDatabase);
    EXPECT_EQ(view.pathText, ">>> Wczytaj plik bazy <<<");
    EXPECT_TRUE(view.pathEnabled);
    EXPECT_FALSE(view.timer);
    EXPECT_FALSE(view.start);
    EXPECT_EQ(view.scripts.count(), 0);
    EXPECT_DOUBLE_EQ(view.progress.maximum(), 1.0);
}

TEST_F(StartupTest, CreateModeListsTheFourFoldersAndTheExtraFolderInRunOrder) {
    show({" host ", "/data/new.fdb", "SYSDBA", "masterkey", "t", " " + folder() + "extra/ "});
    EXPECT_TRUE(view.makeDatabase);
    EXPECT_EQ(view.pathText, "host /data/new.fdb");
    EXPECT_FALSE(view.pathEnabled);
    EXPECT_TRUE(view.timer);
    EXPECT_EQ(listedTexts(), QStringList({"00_Z", "01_A", "02_B", "03_C", "04_D"}));
    EXPECT_EQ(view.scripts.entry(4).object()->str, folder() + "extra/04_D.SQL");
    EXPECT_DOUBLE_EQ(view.progress.maximum(), 5.0);
}

TEST_F(StartupTest, CreateModeWithEmptyServerKeepsTheBlankAndIgnoresABlankFolder) {
    show({"", "/data/new.fdb", "u", "p", "T", "   "});
    EXPECT_EQ(view.pathText, " /data/new.fdb");
    EXPECT_EQ(listedTexts(), QStringList({"00_Z", "01_A", "02_B", "03_C"}));
}

TEST_F(StartupTest, FoldersWithoutScriptsLeaveTheProgressMaximumAlone) {
    show({});
    view.setProgressMaximum(42);
    form->FillScriptList(folder() + "missing/");
    form->FillScriptList(folder() + "DBSRC/ADR/none");
    EXPECT_DOUBLE_EQ(view.progress.maximum(), 42.0);
    form->FillScriptList(folder() + "DBSRC/3/");
    form->FillScriptList(folder() + "DBSRC/ADR/");
    EXPECT_DOUBLE_EQ(view.progress.maximum(), 2.0);
}

TEST_F(StartupTest, TimerStartsTheRunOnceAndIsOffBeforeTheRunBegins) {
    show({"host", "/data/new.fdb", "SYSDBA", " pass ", "T"});
    ASSERT_TRUE(view.timer);
    form->tmrPrzetwarzanieTimer();

    ASSERT_EQ(form->runs.size(), 1u);
    EXPECT_EQ(form->runs[0].values, QStringList({"host", "/data/new.fdb", "SYSDBA", " pass "}));
    EXPECT_FALSE(form->runs[0].timerEnabled);
    EXPECT_FALSE(view.timer);
}

TEST_F(StartupTest, StartRunsWithTheWindowStateAndCloseClosesTheWindow) {
    show({"host", "/data/old.fdb", "u", "p"});
    form->btnAktualizujClick();
    ASSERT_EQ(form->runs.size(), 1u);
    EXPECT_EQ(form->runs[0].values, QStringList({"host", "/data/old.fdb", "u", "p"}));
    EXPECT_FALSE(view.closed);
    form->btnzakonczClick();
    EXPECT_TRUE(view.closed);
}

} // namespace
} // namespace akt
