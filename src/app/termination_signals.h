#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

namespace akt {

// SIGTERM and SIGINT as requests to end the program, wherever it is. The signal handler only writes
// the signal's number into a pipe. A thread of its own reads it and hands `request` to the receiver's
// thread (queued: it runs at the next moment that thread lets its window work, which a run does at
// fixed points). A thread that has not taken the request within kCancelAfterMs is waiting inside a
// long call of the client library: `cancel` is then called from the watching thread, again every
// kCancelAfterMs, to make that call fail, after which the request is taken. A second signal before
// that cancels at once.
//
// One object at a time; on Windows it does nothing.
class TerminationSignals {
public:
    static constexpr int kCancelAfterMs = 2000;

    TerminationSignals(QObject* receiver, std::function<void(int signal)> request, std::function<void()> cancel);
    // Puts the default handlers back and stops the watching thread.
    ~TerminationSignals();

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void watch();
    void waitUntilTaken();

    QObject* receiver_;
    std::function<void(int)> request_;
    std::function<void()> cancel_;
    std::atomic<bool> taken_{true};
    bool installed_ = false;
    std::thread watcher_;
};

} // namespace akt
