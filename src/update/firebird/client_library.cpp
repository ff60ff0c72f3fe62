#include "update/firebird/client_library.h"

namespace akt {

namespace {

template <typename Function> bool resolve(QLibrary& library, const char* name, Function& target) {
    target = reinterpret_cast<Function>(library.resolve(name));
    return target != nullptr;
}

} // namespace

QString ClientLibrary::defaultFileName() {
#ifdef Q_OS_WIN
    return QStringLiteral("gds32.dll");
#else
    return QStringLiteral("libfbclient.so.2");
#endif
}

QString ClientLibrary::fileNameToLoad() {
    const QString overridden = qEnvironmentVariable("AKT_FBCLIENT");
    return overridden.isEmpty() ? defaultFileName() : overridden;
}

QString ClientLibrary::notFoundText(const QString& fileName) {
    return QStringLiteral("InterBase library %1 not found in the path. Please install InterBase to use this "
                          "functionality")
        .arg(fileName);
}

std::unique_ptr<ClientLibrary> ClientLibrary::load(QString* errorText) {
    const QString fileName = fileNameToLoad();
    std::unique_ptr<ClientLibrary> library(new ClientLibrary);
    // The exact file name is wanted: QLibrary must not append suffixes or version numbers of its own.
    library->library_.setFileName(fileName);
    if (library->library_.load() && library->resolveAll())
        return library;
    if (errorText)
        *errorText = notFoundText(fileName);
    return nullptr;
}

bool ClientLibrary::resolveAll() {
    QLibrary& l = library_;
    return resolve(l, "isc_attach_database", api_.attach_database) &&
           resolve(l, "isc_detach_database", api_.detach_database) &&
           resolve(l, "isc_database_info", api_.database_info) &&
           resolve(l, "isc_start_transaction", api_.start_transaction) &&
           resolve(l, "isc_commit_transaction", api_.commit_transaction) &&
           resolve(l, "isc_rollback_transaction", api_.rollback_transaction) &&
           resolve(l, "isc_commit_retaining", api_.commit_retaining) &&
           resolve(l, "isc_rollback_retaining", api_.rollback_retaining) &&
           resolve(l, "isc_dsql_execute_immediate", api_.dsql_execute_immediate) &&
           resolve(l, "isc_dsql_allocate_statement", api_.dsql_allocate_statement) &&
           resolve(l, "isc_dsql_prepare", api_.dsql_prepare) && resolve(l, "isc_dsql_describe", api_.dsql_describe) &&
           resolve(l, "isc_dsql_describe_bind", api_.dsql_describe_bind) &&
           resolve(l, "isc_dsql_execute", api_.dsql_execute) && resolve(l, "isc_dsql_execute2", api_.dsql_execute2) &&
           resolve(l, "isc_dsql_fetch", api_.dsql_fetch) &&
           resolve(l, "isc_dsql_free_statement", api_.dsql_free_statement) &&
           resolve(l, "isc_dsql_sql_info", api_.dsql_sql_info) && resolve(l, "fb_interpret", api_.interpret) &&
           resolve(l, "isc_vax_integer", api_.vax_integer) &&
           resolve(l, "fb_cancel_operation", api_.cancel_operation) &&
           resolve(l, "fb_shutdown_callback", api_.shutdown_callback);
}

namespace {

// Asked before the engine shuts down; a non-zero answer to a shutdown for a signal keeps it running.
int refuseShutdownForSignals(const int reason, const int, void*) {
    return reason == fb_shutrsn_signal ? 1 : 0;
}

} // namespace

void ClientLibrary::leaveTerminationSignalsToTheProgram() const {
    ISC_STATUS_ARRAY status;
    api_.shutdown_callback(status, refuseShutdownForSignals, fb_shut_confirmation, nullptr);
}

} // namespace akt
