#include "app/script_check.h"

#include "tests/common/case_name.h"
#include "tests/common/qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

struct TreeCase : NamedCase {
    std::vector<std::pair<const char*, QByteArray>> files; // below the DBSRC folder, as bytes
    QStringList expected; // the output lines; "<D>" is the folder as given, followed by "/"
    int exitCode;
};

class ScriptCheck : public testing::TestWithParam<TreeCase> {};

TEST_P(ScriptCheck, PrintsEachProblemAtItsFileAndLineThenOneSummaryPerRun) {
    QTemporaryDir root;
    const QString folder = root.filePath("DBSRC");
    for (const auto& [name, bytes] : GetParam().files) {
        const QString path = folder + "/" + name;
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream errorStream(&errors);

    const int exitCode = checkScriptTree(folder, out, errorStream);

    QStringList expected = GetParam().expected;
    expected.replaceInStrings("<D>", folder + "/");
    EXPECT_EQ(output.toStdString(), (expected.join('\n') + '\n').toStdString());
    EXPECT_EQ(exitCode, GetParam().exitCode);
    EXPECT_EQ(errors, QString());
}

QStringList summaries(const char* create, const char* one, const char* three, const char* five) {
    return {QString("tworzenie bazy: ") + create, QString("aktualizacja z wersji 1: ") + one,
            QString("aktualizacja z wersji 3: ") + three, QString("aktualizacja z wersji 5: ") + five};
}

const char* const kLineComment = " - komentarze liniowe (--) nie należą do języka skryptów, komentarz to /* */";

INSTANTIATE_TEST_SUITE_P(
    Trees, ScriptCheck,
    testing::Values(
        TreeCase{"Clean",
                 {{"0/01_T.SQL", "CREATE TABLE T (I INTEGER);\r\n"},
                  // Polish letters in Windows-1250 ("żółć ŁĄKA") are text, not stray UTF-8.
                  {"ADR/02_A.SQL", "INSERT INTO T VALUES ('\xbf\xf3\xb3\xe6 \xa3\xa5KA');\r\n"},
                  {"3/03_V.SQL", "UPDATE T SET I = 2;\r\nCOMMIT;\r\n"}},
                 summaries("skrypty 2, instrukcje 2, problemy 0", "skrypty 1, instrukcje 1, problemy 0",
                           "skrypty 2, instrukcje 3, problemy 0", "skrypty 1, instrukcje 1, problemy 0"),
                 0},
        TreeCase{"TerminatorCarriedAcrossFiles",
                 {{"0/01_A.SQL", "SET TERM ^ ;\r\nCREATE TABLE A (I INTEGER)^\r\n"},
                  {"0/02_B.SQL", "CREATE PROCEDURE P AS BEGIN END^\r\nSET TERM ; ^\r\n"},
                  {"0/03_C.SQL", "CREATE TABLE C (I INTEGER);\r\n"}},
                 QStringList{"<D>0/01_A.SQL:2: ostrzeżenie: plik kończy się z terminatorem \"^\" zamiast \";\" - "
                             "według niego zostanie pocięty następny plik, <D>0/02_B.SQL"} +
                     summaries("skrypty 3, instrukcje 5, problemy 1", "skrypty 0, instrukcje 0, problemy 0",
                               "skrypty 0, instrukcje 0, problemy 0", "skrypty 0, instrukcje 0, problemy 0"),
                 2},
        // What other Firebird tools take and this program refuses, each in a file of its own.
        TreeCase{"HabitsOfOtherTools",
                 {{"0/01.SQL", "CREATE TABLE T (I INTEGER);\r\n-- comment\r\nINSERT INTO T VALUES (1);\r\n"},
                  {"0/02.SQL", "\r\nCOMMIT WORK;\r\n"},
                  {"0/03.SQL", "SET BAIL ON;\r\n"},
                  {"0/04.SQL", "/* opis */\r\nCOMMENT ON TABLE T IS 'tabela';\r\n"},
                  {"0/05.SQL", "CREATE DATABASE 'nowa.fdb';\r\nCONNECT 'nowa.fdb';\r\n"}},
                 QStringList{"<D>0/01.SQL:2: Invalid statement: -- comment" + QString(kLineComment),
                             "<D>0/02.SQL:2: Invalid statement: COMMIT WORK",
                             "<D>0/03.SQL:1: Invalid statement: SET BAIL ON",
                             "<D>0/04.SQL:1: Invalid statement: COMMENT ON TABLE T IS 'tabela'",
                             "<D>0/05.SQL:1: Invalid statement: CREATE DATABASE 'nowa.fdb' - instrukcja "
                             "niedozwolona w skrypcie aktualizacji",
                             "<D>0/05.SQL:2: Invalid statement: CONNECT 'nowa.fdb' - instrukcja niedozwolona w "
                             "skrypcie aktualizacji"} +
                     summaries("skrypty 5, instrukcje 3, problemy 6", "skrypty 0, instrukcje 0, problemy 0",
                               "skrypty 0, instrukcje 0, problemy 0", "skrypty 0, instrukcje 0, problemy 0"),
                 2},
        TreeCase{"BytesThatAreNotWindows1250Text",
                 {{"0/01_NUL.SQL", QByteArray("INSERT INTO T VALUES (1);\r\n\0\0X\r\n", 31)},
                  {"0/02_BOM.SQL", "\xef\xbb\xbfINSERT INTO T VALUES (1);\r\n"},
                  {"0/03_UTF.SQL", "INSERT INTO T VALUES ('\xc5\x82\xc4\x85');\r\nINSERT INTO T VALUES ('\x81');\r\n"}},
                 QStringList{"<D>0/01_NUL.SQL:2: Invalid character: bajt NUL (0x00) w linii 2 - plik nie jest "
                             "tekstem Windows-1250",
                             "<D>0/02_BOM.SQL:1: Invalid character: znacznik BOM UTF-8 (EF BB BF) w linii 1 - plik "
                             "nie jest tekstem Windows-1250",
                             "<D>0/03_UTF.SQL:1: tekst w UTF-8, a skrypty są czytane jako Windows-1250",
                             "<D>0/03_UTF.SQL:2: bajt 0x81 nie jest znakiem tekstu Windows-1250"} +
                     summaries("skrypty 3, instrukcje 3, problemy 4", "skrypty 0, instrukcje 0, problemy 0",
                               "skrypty 0, instrukcje 0, problemy 0", "skrypty 0, instrukcje 0, problemy 0"),
                 2},
        // DBSRC itself is listed by every run: its problem is printed once and counted in each.
        TreeCase{"FileOfEveryRunPrintedOnce",
                 {{"01_WSPOLNY.SQL", "SET BAIL ON;\r\n"}, {".SQL", "INSERT INTO T VALUES (1);\r\n"}},
                 QStringList{"<D>.SQL:1: pusta nazwa na liście skryptów (plik nazwany \".SQL\")",
                             "<D>01_WSPOLNY.SQL:1: Invalid statement: SET BAIL ON"} +
                     summaries("skrypty 2, instrukcje 1, problemy 2", "skrypty 2, instrukcje 1, problemy 2",
                               "skrypty 2, instrukcje 1, problemy 2", "skrypty 2, instrukcje 1, problemy 2"),
                 2}),
    CaseName{});

TEST(ScriptCheckFolder, ThatCannotBeReadEndsWithThree) {
    QTemporaryDir root;
    const QString missing = root.filePath("BRAK");
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream errorStream(&errors);

    EXPECT_EQ(checkScriptTree(missing, out, errorStream), 3);
    EXPECT_EQ(output, QString());
    EXPECT_EQ(errors, "Nie można odczytać folderu skryptów: " + missing + "\n");
}

} // namespace
} // namespace akt
