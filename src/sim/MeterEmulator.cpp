#include "sim/MeterEmulator.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace calorant::sim {
namespace {

// While no host has the terminal open, the master cannot be polled for the host's
// arrival (it reports the hang-up continuously), so it is looked at this often.
constexpr std::int64_t kHostCheckMs = 50;

// How often the emulator looks whether the programme it serves is still there, where
// the system does not tell it.
constexpr std::int64_t kParentCheckMs = 250;

// Signals reach the loop through a pipe, so that poll() wakes at once.
int signalPipe[2] = {-1, -1};

void onSignal(int signal) {
    const char code = signal == SIGUSR1 ? 'u' : 'q';
    const int saved = errno;
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &code, 1);
    errno = saved;
}

bool installSignals() {
    if (::pipe(signalPipe) != 0)
        return false;
    for (int fd : signalPipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGUSR1})
        ::sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN); // a closed stdout must not end the emulator
    return true;
}

SetStart wallClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

} // namespace

void printLine(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

MeterEmulator::MeterEmulator(const SimOptions& options)
    : options_(options), session_(options.session), start_(std::chrono::steady_clock::now()),
      unplugAtMs_(options.unplugAfterMs >= 0 ? options.unplugAfterMs : kNever) {
    if (!options.linkPath.empty())
        link_.emplace(options.linkPath);
}

std::int64_t MeterEmulator::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start_)
        .count();
}

int MeterEmulator::run() {
    std::string error;
    if (link_ && !link_->usable(error)) {
        std::fprintf(stderr, "calorant-meter-sim: %s\n", error.c_str());
        return 1;
    }
    if (!installSignals()) {
        std::perror("calorant-meter-sim: pipe");
        return 1;
    }
#ifdef __linux__
    // The parent's death ends the emulator at once (through the SIGTERM handler); the
    // parentGone() check covers other systems and a parent that died before this call.
    if (options_.parentPid > 0)
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
#endif
    if (!plug(true))
        return 1;

    for (;;) {
        const std::int64_t now = nowMs();
        char code = 0;
        bool quit = false;
        bool unplugNow = false;
        while (::read(signalPipe[0], &code, 1) == 1) {
            quit = quit || code == 'q';
            unplugNow = unplugNow || code == 'u';
        }
        if (quit || parentGone())
            break;
        if (terminal_ && (unplugNow || now >= unplugAtMs_ || session_.unplugRequested())) {
            if (now >= unplugAtMs_)
                unplugAtMs_ = kNever;
            unplug(now);
        }
        if (!terminal_ && now >= replugAtMs_ && !plug(false))
            return 1;
        exchange(now);
        waitForWork(now);
    }

    if (link_)
        link_->remove();
    terminal_.reset();
    return 0;
}

bool MeterEmulator::plug(bool first) {
    std::string error;
    terminal_ = PseudoTerminal::open(error);
    if (!terminal_ || (link_ && !link_->publish(terminal_->slavePath(), error))) {
        std::fprintf(stderr, "calorant-meter-sim: %s\n", error.c_str());
        return false;
    }
    replugAtMs_ = kNever;
    printLine(first ? terminal_->slavePath() : "replugged " + terminal_->slavePath());
    return true;
}

// The device goes away as an unplugged USB bridge does: the host's open port reports
// an error, the name disappears, and the meter, without its link, stops streaming.
void MeterEmulator::unplug(std::int64_t now) {
    if (link_)
        link_->remove();
    terminal_.reset();
    outgoing_.clear();
    session_.unplugged();
    replugAtMs_ = now + options_.replugAfterMs;
    printLine("unplugged");
}

void MeterEmulator::exchange(std::int64_t now) {
    if (!terminal_)
        return;
    const std::vector<std::uint8_t> input = terminal_->readAvailable();
    for (const CommandBytes& command : session_.receive(input, now, wallClock()))
        printLine("received " + commandText(command));

    const bool connected = terminal_->hostConnected();
    queue(session_.transmit(now), connected);
    for (const std::string& note : session_.takeNotes())
        printLine(note);

    if (!connected) {
        outgoing_.clear();
        return;
    }
    const std::size_t written = terminal_->writeSome(outgoing_);
    outgoing_.erase(outgoing_.begin(), outgoing_.begin() + static_cast<std::ptrdiff_t>(written));
}

// Bytes for nobody are lost, as on a serial line. A live frame is also dropped while
// earlier bytes still wait for the host, so a host that stops reading finds no pile of
// stale frames when it reads again.
void MeterEmulator::queue(std::vector<Transmission> transmissions, bool hostConnected) {
    for (Transmission& t : transmissions) {
        if (!hostConnected || (t.droppable && !outgoing_.empty()))
            continue;
        outgoing_.insert(outgoing_.end(), t.bytes.begin(), t.bytes.end());
    }
}

// The programme that started the emulator for itself has ended: the emulator has been
// handed to another parent.
bool MeterEmulator::parentGone() const {
    return options_.parentPid > 0 && ::getppid() != static_cast<pid_t>(options_.parentPid);
}

void MeterEmulator::waitForWork(std::int64_t now) {
    std::int64_t wakeAt = std::min({session_.nextDueMs(), unplugAtMs_, replugAtMs_});
    if (options_.parentPid > 0)
        wakeAt = std::min(wakeAt, now + kParentCheckMs);
    if (terminal_ && session_.unplugRequested())
        wakeAt = now;
    std::vector<pollfd> fds{{signalPipe[0], POLLIN, 0}};
    if (terminal_) {
        if (terminal_->hostConnected()) {
            const short events = static_cast<short>(POLLIN | (outgoing_.empty() ? 0 : POLLOUT));
            fds.push_back({terminal_->fd(), events, 0});
        } else {
            wakeAt = std::min(wakeAt, now + kHostCheckMs);
        }
    }
    const std::int64_t timeout = std::clamp<std::int64_t>(wakeAt - nowMs(), 0, 60000);
    ::poll(fds.data(), fds.size(), static_cast<int>(timeout));
}

} // namespace calorant::sim
