// The peer corpus (real scripts of other projects): with batches, each builds the same database as
// without them. Compared with Firebird's own isql: the metadata it extracts (-x), every table's rows
// and every generator's value, plus the executor's events.
#include "batch_side.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace akt::test {
namespace {

QString corpusFolder() {
    const QString overridden = qEnvironmentVariable("AKT_PEER_CORPUS");
    return overridden.isEmpty() ? QStringLiteral(AKT_PEER_CORPUS) : overridden;
}

std::vector<std::string> corpusFiles() {
    std::vector<std::string> names;
    for (const QString& name : QDir(corpusFolder()).entryList({"*.SQL"}, QDir::Files, QDir::Name))
        names.push_back(name.toStdString());
    return names;
}

QString isql(const QString& database, const QStringList& options, const QByteArray& input) {
    QProcess process;
    process.start("isql-fb",
                  QStringList{"-q", "-user", "SYSDBA", "-password", kAdminPassword} + options + QStringList{database});
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(120000));
    return QString::fromLatin1(process.readAllStandardOutput() + process.readAllStandardError());
}

QStringList names(const QString& database, const char* query) {
    QStringList result;
    for (const QString& line : isql(database, {}, QByteArray("SET HEADING OFF;\n") + query + ";\n").split('\n'))
        if (!line.trimmed().isEmpty())
            result << line.trimmed();
    return result;
}

// What isql sees in the database: its metadata script, then every table's rows and every generator.
QString dump(const QString& database) {
    QString text = isql(database, {"-x"}, "");
    text.replace(database, "<database>");
    QByteArray rows = "SET BLOB ALL;\nSET LIST ON;\n";
    for (const QString& table : names(database, "SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE "
                                                "RDB$SYSTEM_FLAG = 0 AND RDB$VIEW_BLR IS NULL ORDER BY 1"))
        rows += "SELECT '" + table.toLatin1() + "' AS TABLE_NAME, T.* FROM \"" + table.toLatin1() + "\" T;\n";
    for (const QString& generator : names(database, "SELECT TRIM(RDB$GENERATOR_NAME) FROM RDB$GENERATORS WHERE "
                                                    "RDB$SYSTEM_FLAG = 0 ORDER BY 1"))
        rows +=
            "SELECT '" + generator.toLatin1() + "', GEN_ID(\"" + generator.toLatin1() + "\", 0) FROM RDB$DATABASE;\n";
    text += isql(database, {}, rows);
    // The two runs happen at different moments; what the scripts' defaults and triggers stamp differs.
    static const QRegularExpression moment(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{4})");
    return text.replace(moment, "<moment>");
}

class Corpus : public testing::TestWithParam<std::string> {};

TEST_P(Corpus, BuildsTheSameDatabaseWithBatches) {
    QFile file(corpusFolder() + "/" + QString::fromStdString(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray script = file.readAll();
    QTemporaryDir folder;
    const QString batchedPath = folder.filePath("batched.fdb");
    const QString singlePath = folder.filePath("single.fdb");
    {
        Side batched(batchedPath, true);
        Side single(singlePath, false);
        batched.run(script);
        single.run(script);
        EXPECT_EQ(batched.events, single.events);
        std::printf("[ %s ] %d blocks sent, %d refused\n", GetParam().c_str(), batched.executor.batchCounts().sent,
                    batched.executor.batchCounts().undone);
        batched.commitAndDisconnect();
        single.commitAndDisconnect();
    }
    const QString batchedDump = dump(batchedPath);
    const QString singleDump = dump(singlePath);
    EXPECT_EQ(batchedDump, singleDump);
    EXPECT_TRUE(batchedDump.contains("CREATE TABLE")) << batchedDump.left(2000).toStdString();
}

// Where the corpus is not beside the checkout there is nothing to instantiate.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Corpus);
INSTANTIATE_TEST_SUITE_P(Peer, Corpus, testing::ValuesIn(corpusFiles()), [](const auto& info) {
    return QString::fromStdString(info.param).section('.', 0, 0).toStdString();
});

} // namespace
} // namespace akt::test
