// The executor against the real engine: a fresh database per test, scripts given as file bytes.
#include "executor_fixture.h"

namespace akt::test {
namespace {

TEST_F(ExecutorTest, Placeholder) {
    run("create table t (id integer);\ninsert into t values (1);");
    EXPECT_EQ(events.lines,
              QStringList({"done stmtDDL create table t (id integer)", "done stmtDML insert into t values (1)"}));
}

} // namespace
} // namespace akt::test
