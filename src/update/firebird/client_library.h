#pragma once

#include <ibase.h>

#include <QLibrary>
#include <QString>

#include <memory>

namespace akt {

// The Firebird client library, loaded at run time so that a machine without it gets a message instead of
// a loader error. Only the classic C interface is used; the declarations come from ibase.h, the addresses
// from the loaded file.
class ClientLibrary {
public:
    // The C functions this program calls, typed from their declarations in ibase.h.
    struct Api {
        decltype(&::isc_attach_database) attach_database = nullptr;
        decltype(&::isc_detach_database) detach_database = nullptr;
        decltype(&::isc_database_info) database_info = nullptr;
        decltype(&::isc_start_transaction) start_transaction = nullptr;
        decltype(&::isc_commit_transaction) commit_transaction = nullptr;
        decltype(&::isc_rollback_transaction) rollback_transaction = nullptr;
        decltype(&::isc_commit_retaining) commit_retaining = nullptr;
        decltype(&::isc_rollback_retaining) rollback_retaining = nullptr;
        decltype(&::isc_dsql_execute_immediate) dsql_execute_immediate = nullptr;
        decltype(&::isc_dsql_allocate_statement) dsql_allocate_statement = nullptr;
        decltype(&::isc_dsql_prepare) dsql_prepare = nullptr;
        decltype(&::isc_dsql_describe) dsql_describe = nullptr;
        decltype(&::isc_dsql_describe_bind) dsql_describe_bind = nullptr;
        decltype(&::isc_dsql_execute) dsql_execute = nullptr;
        decltype(&::isc_dsql_execute2) dsql_execute2 = nullptr;
        decltype(&::isc_dsql_fetch) dsql_fetch = nullptr;
        decltype(&::isc_dsql_free_statement) dsql_free_statement = nullptr;
        decltype(&::isc_dsql_sql_info) dsql_sql_info = nullptr;
        decltype(&::fb_interpret) interpret = nullptr;
        decltype(&::isc_vax_integer) vax_integer = nullptr;
        decltype(&::fb_cancel_operation) cancel_operation = nullptr;
        decltype(&::fb_shutdown_callback) shutdown_callback = nullptr;
    };

    // The file loaded when AKT_FBCLIENT does not name another: libfbclient.so.2 on Linux, gds32.dll on
    // Windows (the name the program has always been installed with).
    static QString defaultFileName();
    // AKT_FBCLIENT when set and not empty, otherwise defaultFileName().
    static QString fileNameToLoad();
    // The text shown when the library cannot be loaded, naming the file that was tried.
    static QString notFoundText(const QString& fileName);

    // Loads the library and resolves every function. On failure returns null and, when errorText is given,
    // stores the not-found text there.
    static std::unique_ptr<ClientLibrary> load(QString* errorText);

    ClientLibrary(const ClientLibrary&) = delete;
    ClientLibrary& operator=(const ClientLibrary&) = delete;

    const Api& api() const { return api_; }

    // The library shuts its engine down on SIGINT and SIGTERM, failing every call in progress with
    // "connection shutdown". A program that handles those signals itself, and still has to roll back
    // and detach, tells it to leave them alone.
    void leaveTerminationSignalsToTheProgram() const;
    QString fileName() const { return library_.fileName(); }

private:
    ClientLibrary() = default;
    bool resolveAll();

    // QLibrary does not unload on destruction: the client library keeps threads and exit handlers of its
    // own, so its file stays mapped until the process ends.
    QLibrary library_;
    Api api_;
};

} // namespace akt
