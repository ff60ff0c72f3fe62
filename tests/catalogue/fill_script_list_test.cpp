#include "update/catalogue/fill_script_list.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace akt {
namespace {

// One listing: the tree to build (names ending in "/" are folders), the folder string relative
// to the tree, and the entries expected as display text and path relative to the tree.
struct FillCase {
    const char* name;
    QStringList tree;
    QString directory;
    std::vector<std::pair<QString, QString>> expected;
    int added;
};

// Test names carry the case name; keep gtest from dumping the case bytes into them.
void PrintTo(const FillCase& c, std::ostream* out) {
    *out << c.name;
}

class FillScriptListTest : public testing::TestWithParam<FillCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        for (const QString& path : GetParam().tree) {
            if (path.endsWith('/')) {
                ASSERT_TRUE(QDir(root.path()).mkpath(path));
            } else {
                QFile file(base() + path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
            }
        }
    }

    QString base() const { return root.path() + '/'; }

    QTemporaryDir root;
};

TEST_P(FillScriptListTest, ListsTheMatchingEntries) {
    ScriptList list(QLocale(QLocale::Polish, QLocale::Poland));
    const int added = fillScriptList(list, base() + GetParam().directory);

    EXPECT_EQ(added, GetParam().added);
    std::vector<std::pair<QString, QString>> listed;
    for (int i = 0; i < list.count(); ++i) {
        const ScriptEntry& entry = list.entry(i);
        ASSERT_NE(entry.object(), nullptr);
        EXPECT_FALSE(entry.checked());
        listed.emplace_back(entry.displayText(), entry.object()->str.mid(base().size()));
    }
    EXPECT_EQ(listed, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillScriptListTest,
    testing::Values(
        FillCase{
            "letterCaseIgnored", {"B.SQL", "a.sql", "c.Sql"}, "", {{"a", "a.sql"}, {"B", "B.SQL"}, {"c", "c.Sql"}}, 3},
        FillCase{"otherFilesIgnored", {"A.SQL", "A.SQL.bak", "B.txt", "SQL", "C.SQLX"}, "", {{"A", "A.SQL"}}, 1},
        FillCase{"digitsCompareOneByOne",
                 {"9_A.SQL", "10_A.SQL", "09_A.SQL"},
                 "",
                 {{"09_A", "09_A.SQL"}, {"10_A", "10_A.SQL"}, {"9_A", "9_A.SQL"}},
                 3},
        FillCase{"textUpToFirstDot", {"A.B.SQL", ".hidden.SQL"}, "", {{"", ".hidden.SQL"}, {"A", "A.B.SQL"}}, 2},
        FillCase{"matchingFolderListed", {"X.SQL/", "Y.SQL"}, "", {{"X", "X.SQL"}, {"Y", "Y.SQL"}}, 2},
        FillCase{"missingFolder", {"A.SQL"}, "none/", {}, 0},
        FillCase{"folderWithoutScripts", {"empty/", "empty/readme.txt"}, "empty/", {}, 0},
        FillCase{"stringWithoutSeparatorNamesParentFiles",
                 {"extra1.SQL", "EXTRA2.sql", "other.SQL", "extra/", "extra/inner.SQL"},
                 "extra",
                 {{"extra1", "extra1.SQL"}, {"EXTRA2", "EXTRA2.sql"}},
                 2},
        FillCase{"polishNamesByCollation",
                 {"Żurek.SQL", "Zupa.SQL", "ćwiczenie.SQL", "Cel.SQL", "dom.SQL"},
                 "",
                 {{"Cel", "Cel.SQL"},
                  {"ćwiczenie", "ćwiczenie.SQL"},
                  {"dom", "dom.SQL"},
                  {"Zupa", "Zupa.SQL"},
                  {"Żurek", "Żurek.SQL"}},
                 5}),
    [](const testing::TestParamInfo<FillCase>& info) { return info.param.name; });

TEST(FillScriptList, SameNameInTwoFoldersGivesTwoEntriesWithTheirOwnPaths) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString base = root.path() + '/';
    for (const QString& path : {QStringLiteral("one/X.SQL"), QStringLiteral("two/X.SQL")}) {
        ASSERT_TRUE(QDir(base).mkpath(path.section('/', 0, 0)));
        QFile file(base + path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ScriptList list;
    fillScriptList(list, base + "one/");
    fillScriptList(list, base + "two/");

    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.entry(0).displayText(), "X");
    EXPECT_EQ(list.entry(1).displayText(), "X");
    EXPECT_EQ(list.entry(0).object()->str, base + "one/X.SQL");
    EXPECT_EQ(list.entry(1).object()->str, base + "two/X.SQL");
}

} // namespace
} // namespace akt
