// A fresh embedded (or server) database per test, an executor bound to it and a record of its events.
#pragma once

#include "tests/common/database_target.h"
#include "tests/common/firebird_test_support.h"
#include "tests/common/qstring_printer.h"
#include "update/executor/script_executor.h"
#include "update/firebird/connection.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace akt::test {

// Every event as one line: "done <kind> <text>", "parse <error> | <text> | <line>",
// "error <first line of the error> | <text> | <line>".
class EventRecord {
public:
    void bind(TScriptExecutor& executor);

    QStringList lines;
    QStringList errorTexts; // the whole database error text of every execution error
    bool ignoreErrors = false;
};

class ExecutorTest : public testing::Test {
protected:
    virtual Target target() const { return kEmbedded; }
    void SetUp() override;

    // Runs a script given as its file's bytes.
    void run(const char* script);
    // Detaches (which commits what the default transaction holds) and attaches again.
    void reattach();
    // A single integer read in a transaction of its own, so it sees only committed work.
    qlonglong committedCount(const char* sql);
    bool tableExists(const char* name);

    QTemporaryDir folder;
    Connection database{testClientLibrary()};
    TScriptExecutor executor{database};
    EventRecord events;
};

} // namespace akt::test
