#pragma once

#include "update/firebird/client_library.h"

#include <memory>
#include <stdexcept>

namespace akt::test {

// The Firebird client library, loaded once for the whole test program.
inline const ClientLibrary& clientLibrary() {
    static const std::unique_ptr<ClientLibrary> loaded = ClientLibrary::load(nullptr);
    if (!loaded)
        throw std::runtime_error("the Firebird client library cannot be loaded");
    return *loaded;
}

} // namespace akt::test
