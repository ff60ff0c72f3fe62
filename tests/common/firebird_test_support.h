// What tests against the real engine share: the client library, and the server they may need.
#pragma once

#include <QString>

namespace akt {
class ClientLibrary;
}

namespace akt::test {

// The Firebird client library, loaded once for the whole test program; throws when it cannot be.
const ClientLibrary& testClientLibrary();

// The password of SYSDBA on the test server (the backup tool is run with it too).
inline const QString kAdminPassword = QStringLiteral("plumbjoin");

// Whether a Firebird server accepts connections on 127.0.0.1:3050.
bool serverListening();

// Records a skip, or a fatal failure when CI=true (where the server must be there), unless
// serverListening(). Returns serverListening(); the caller still has to return itself, which
// AKT_REQUIRE_TEST_SERVER does.
bool requireTestServer();

} // namespace akt::test

// For SetUp and test bodies: leaves the function when the test server is missing.
#define AKT_REQUIRE_TEST_SERVER()                                                                                      \
    do {                                                                                                               \
        if (!::akt::test::requireTestServer())                                                                         \
            return;                                                                                                    \
    } while (false)
