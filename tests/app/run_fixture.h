#pragma once

#include "app/aktualizacja_unit.h"
#include "support/program_runner.h"
#include "tests/app/recording_view.h"
#include "tests/common/firebird_test_support.h"
#include "tests/common/fixed_clock.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace akt::test {

// The real runner of the backup tool, recording each call. `during` runs inside each call, as a
// click would arrive while the run waits for the tool; `replace` may give a call's result instead
// of running the tool (for failures the real tool cannot be made to show).
class RecordingRunner final : public ProgramRunner {
public:
    explicit RecordingRunner(UserInterface& ui) : real_(ui) {}

    struct Call {
        QString file;
        QString params;
    };

    RunResult run(const QString& file, const QString& params) override {
        calls.push_back({file, params});
        if (during)
            during();
        if (replace)
            if (const std::optional<RunResult> result = replace(calls.size() - 1))
                return *result;
        return real_.run(file, params);
    }

    std::vector<Call> calls;
    std::function<void()> during;
    std::function<std::optional<RunResult>(std::size_t call)> replace;

private:
    QProcessRunner real_;
};

// A program folder of its own (holding DBSRC and receiving log.txt and backups), a recording
// window and the window logic on top of them.
class RunFixture : public testing::Test {
protected:
    void SetUp() override;

    QString folder() const { return program.path() + '/'; }
    // Writes a script below the program folder; the text is stored as Windows-1250 bytes with CR LF.
    void script(const QString& relativePath, const QString& text);
    // Builds the window logic for these command-line arguments and shows it.
    TFRM_aktualizacja& show(const QStringList& arguments);

    // Creates a database through the server with the administrator account and runs the statements
    // on it, each committed.
    void createServerDatabase(const QString& path, const QStringList& statements);
    // The first column of the first row of a query on a database, through the server when server
    // is given; -1 when it fails.
    int queryInt(const QString& server, const QString& path, const QByteArray& query);

    // log.txt as the run left it.
    QByteArray runLogBytes() const;
    // The log box's lines as log.txt should hold them.
    QByteArray expectedRunLog() const;
    bool hasDialog(DialogKind kind, const QString& text) const;
    QStringList checkedEntries() const;

    QTemporaryDir program;
    QTemporaryDir data; // the databases
    RecordingView view;
    std::unique_ptr<TFRM_aktualizacja> form;
};

} // namespace akt::test
