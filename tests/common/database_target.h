#pragma once

#include "tests/common/case_name.h"

#include <QString>

namespace akt::test {

// Where a test's database lives: opened by the engine inside the test program, or on the test
// server (see firebird_test_support.h).
struct Target : NamedCase {
    QString server; // empty: embedded
};

inline const Target kEmbedded{"Embedded", ""};
inline const Target kServer{"Server", "127.0.0.1"};

} // namespace akt::test
