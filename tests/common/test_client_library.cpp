#include "tests/common/firebird_test_support.h"

#include "update/firebird/client_library.h"

#include <memory>
#include <stdexcept>

namespace akt::test {

const ClientLibrary& testClientLibrary() {
    static const std::unique_ptr<ClientLibrary> loaded = ClientLibrary::load(nullptr);
    if (!loaded)
        throw std::runtime_error("the Firebird client library cannot be loaded");
    return *loaded;
}

} // namespace akt::test
