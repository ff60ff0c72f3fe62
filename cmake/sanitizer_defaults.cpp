// Linked into every executable of a sanitizer build, so that the tests, the benchmarks and the
// program behave the same however they are started (ctest, a shell, a test that starts the program).

// GCC 12's LeakSanitizer can crash in its own thread-stopping code on the dynamic thread-local
// storage of the client library that the program loads at run time ("Tracer caught signal 11"
// after a passing run). Not tracking dynamic TLS avoids the crash; it can only add leak reports,
// never hide one.
extern "C" const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}

// Memory that the Firebird client library and its embedded engine keep until the process ends, and
// the session bus connection Qt's platform plugins open on a real display.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfbclient.so\n"
           "leak:libEngine12.so\n"
           "leak:libdbus-1.so\n";
}
