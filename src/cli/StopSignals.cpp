#include "cli/StopSignals.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace calorant::cli {

#if defined(Q_OS_UNIX)

namespace {

int signalPipe[2] = {-1, -1};
std::function<void()> stopHandler;

// Only async-signal-safe work here: one byte into the pipe.
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

} // namespace

void onStopSignal(std::function<void()> onStop) {
    stopHandler = std::move(onStop);
    if (signalPipe[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    // The application owns the notifier, so it goes with the event loop it serves.
    auto* notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte = 0;
        [[maybe_unused]] const auto ignored = ::read(signalPipe[0], &byte, 1);
        if (stopHandler)
            stopHandler();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

#else

void onStopSignal(std::function<void()>) {}

#endif

} // namespace calorant::cli
