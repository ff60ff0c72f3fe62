#include "tests/common/firebird_test_support.h"

#include <gtest/gtest.h>

#include <QString>
#include <QtGlobal>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace akt::test {

namespace {

// GTEST_SKIP and GTEST_FAIL return from the function they are in, so they live in one of their own.
void recordMissingServer() {
    if (qEnvironmentVariable("CI") == QStringLiteral("true"))
        GTEST_FAIL() << "no Firebird server on 127.0.0.1:3050 (run scripts/start-firebird-server.sh)";
    GTEST_SKIP() << "no Firebird server on 127.0.0.1:3050; run scripts/start-firebird-server.sh as root";
}

} // namespace

bool serverListening() {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(3050);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool listening = ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return listening;
}

bool requireTestServer() {
    if (serverListening())
        return true;
    recordMissingServer();
    return false;
}

} // namespace akt::test
