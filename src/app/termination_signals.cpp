#include "app/termination_signals.h"

#include <QMetaObject>

#include <chrono>
#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace akt {

#ifdef Q_OS_UNIX
namespace {

// Written by the handler, read by the watching thread; one pair for the process.
int signalPipe[2] = {-1, -1};
// What the watching thread reads when the object goes away; no signal has the number 0.
constexpr char kStopWatching = 0;

extern "C" void onTerminationSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

// One byte from the pipe, or false when the wait is over for good.
bool readByte(char& byte, int timeoutMs) {
    pollfd wanted{signalPipe[0], POLLIN, 0};
    const int ready = ::poll(&wanted, 1, timeoutMs);
    if (ready <= 0)
        return false;
    return ::read(signalPipe[0], &byte, 1) == 1;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* receiver, std::function<void(int)> request,
                                       std::function<void()> cancel)
    : receiver_(receiver), request_(std::move(request)), cancel_(std::move(cancel)) {
    if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_CLOEXEC) != 0)
        return;
    installed_ = true;
    watcher_ = std::thread([this] { watch(); });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (!installed_)
        return;
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &kStopWatching, 1);
    watcher_.join();
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignals::watch() {
    char byte = 0;
    while (readByte(byte, -1) && byte != kStopWatching) {
        const int number = static_cast<unsigned char>(byte);
        if (!taken_.exchange(false)) {
            // Asked again before the first request was taken: whatever holds the thread ends now.
            cancel_();
            continue;
        }
        QMetaObject::invokeMethod(
            receiver_,
            [this, number] {
                taken_ = true;
                request_(number);
            },
            Qt::QueuedConnection);
        waitUntilTaken();
    }
}

// Waits for the receiver's thread to take the request, cancelling its engine call each time it has not
// taken it in time. A signal that arrives meanwhile is left in the pipe for the loop above.
void TerminationSignals::waitUntilTaken() {
    using Clock = std::chrono::steady_clock;
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kCancelAfterMs);
    while (!taken_) {
        pollfd wanted{signalPipe[0], POLLIN, 0};
        if (::poll(&wanted, 1, 20) > 0)
            return;
        if (Clock::now() >= deadline) {
            cancel_();
            deadline = Clock::now() + std::chrono::milliseconds(kCancelAfterMs);
        }
    }
}

#else

TerminationSignals::TerminationSignals(QObject* receiver, std::function<void(int)> request,
                                       std::function<void()> cancel)
    : receiver_(receiver), request_(std::move(request)), cancel_(std::move(cancel)) {}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::watch() {}
void TerminationSignals::waitUntilTaken() {}

#endif

} // namespace akt
