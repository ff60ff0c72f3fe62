#include "update/catalogue/add_matching_scripts.h"

#include "tests/common/case_name.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

// One listing: the tree to build (names ending in "/" are folders), the folder string relative
// to the tree, and the entries expected as display text and path relative to the tree.
struct FillCase : NamedCase {
    QStringList tree;
    QString directory;
    std::vector<std::pair<QString, QString>> expected;
    int added;
};

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
    const int added = addMatchingScripts(list, base() + GetParam().directory);

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
    CaseName{});

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
    addMatchingScripts(list, base + "one/");
    addMatchingScripts(list, base + "two/");

    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.entry(0).displayText(), "X");
    EXPECT_EQ(list.entry(1).displayText(), "X");
    EXPECT_EQ(list.entry(0).object()->str, base + "one/X.SQL");
    EXPECT_EQ(list.entry(1).object()->str, base + "two/X.SQL");
}

#ifndef Q_OS_WIN

// One file created under its bytes, as a folder copied from another system holds it: the text the
// list shows for it (none when it is not a script) and its path as text, relative to the folder.
struct NativeNameCase : NamedCase {
    QByteArray fileName;
    QString directory;
    std::optional<QString> displayText;
    QString path;
};

class FillScriptListNativeNames : public testing::TestWithParam<NativeNameCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        file = QFile::encodeName(root.path()) + '/' + GetParam().fileName;
        std::ofstream(file.constData(), std::ios::binary) << GetParam().name;
    }
    // QTemporaryDir reads the folder as UTF-8 and could not remove a name that is not.
    void TearDown() override { std::remove(file.constData()); }

    QTemporaryDir root;
    QByteArray file;
};

std::string readAll(const QByteArray& path) {
    std::ifstream file(path.constData(), std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : std::string("(cannot open)");
}

TEST_P(FillScriptListNativeNames, DecodesTheNameAndOpensTheFileByItsBytes) {
    const QString base = root.path() + '/';
    const QByteArray nativeBase = QFile::encodeName(base);

    ScriptList list;
    const int added = addMatchingScripts(list, base + GetParam().directory);

    if (!GetParam().displayText) {
        EXPECT_EQ(added, 0);
        EXPECT_EQ(list.count(), 0);
        return;
    }
    ASSERT_EQ(added, 1);
    ASSERT_EQ(list.count(), 1);
    const ScriptEntry& entry = list.entry(0);
    ASSERT_NE(entry.object(), nullptr);
    EXPECT_EQ(entry.displayText(), *GetParam().displayText);
    EXPECT_EQ(entry.object()->str, base + GetParam().path);
    EXPECT_EQ(entry.object()->nativePath, nativeBase + GetParam().fileName);
    EXPECT_EQ(readAll(entry.object()->nativePath), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillScriptListNativeNames,
    testing::Values(NativeNameCase{"plainAscii", "01_A.SQL", "", "01_A", "01_A.SQL"},
                    NativeNameCase{"utf8Polish", "02_\xC5\xBC\xC3\xB3\xC5\x82w.SQL", "", "02_żółw", "02_żółw.SQL"},
                    NativeNameCase{"windows1250Polish", "02_\xBF\xF3\xB3w.SQL", "", "02_żółw", "02_żółw.SQL"},
                    NativeNameCase{"windows1250LowerCaseExtension", "03_\xAF\xD3\xA3W.sql", "", "03_ŻÓŁW",
                                   "03_ŻÓŁW.sql"},
                    // Windows-1250 leaves five bytes unassigned; they decode to the control characters of the same
                    // numbers, as Windows decodes them, so every name gets a text.
                    NativeNameCase{"bytesWindows1250LeavesUnassigned", "04_\x81\x83\x88\x90\x98.SQL", "",
                                   QString::fromUtf16(u"04_\u0081\u0083\u0088\u0090\u0098"),
                                   QString::fromUtf16(u"04_\u0081\u0083\u0088\u0090\u0098.SQL")},
                    NativeNameCase{"utf8SequenceCutShort", "05_\xC5.SQL", "", "05_Ĺ", "05_Ĺ.SQL"},
                    NativeNameCase{"utf8EncodedSurrogate", "06_\xED\xA0\x80.SQL", "",
                                   QString::fromUtf16(u"06_í\u00A0€"), QString::fromUtf16(u"06_í\u00A0€.SQL")},
                    NativeNameCase{"byteOrderMarkKept", "\xEF\xBB\xBFX_A.SQL", "",
                                   QChar(0xFEFF) + QStringLiteral("X_A"), QChar(0xFEFF) + QStringLiteral("X_A.SQL")},
                    NativeNameCase{"windows1250PrefixLetterCaseIgnored", "\xAF\xD3W.Sql", "żó", "ŻÓW", "ŻÓW.Sql"},
                    NativeNameCase{"windows1250PrefixNotMatched", "\xAF\xD3W.SQL", "zo", std::nullopt, ""},
                    // Only ASCII letters count in the extension: Unicode folds the long s (ſ) to s.
                    NativeNameCase{"longSIsNoExtension", "08.\xC5\xBFQL", "", std::nullopt, ""}),
    CaseName{});

#endif

} // namespace
} // namespace akt
