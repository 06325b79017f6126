#include "sim/PseudoTerminal.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace calorant::sim {
namespace {

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Raw 9600 8N1 on the slave side. Opening and closing the slave once also puts the
// master into its "no host" state, so a host is noticed the same way from the start.
bool makeRaw(const std::string& slavePath, std::string& error) {
    const int slave = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        error = systemError("cannot open the terminal's slave side");
        return false;
    }
    termios tio{};
    bool ok = ::tcgetattr(slave, &tio) == 0;
    if (ok) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        tio.c_cflag |= CLOCAL | CREAD;
        ok = ::tcsetattr(slave, TCSANOW, &tio) == 0;
    }
    if (!ok)
        error = systemError("cannot set raw mode");
    ::close(slave);
    return ok;
}

} // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::open(std::string& error) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        error = systemError("posix_openpt");
        return nullptr;
    }
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    const char* name =
        ::grantpt(master) == 0 && ::unlockpt(master) == 0 ? ::ptsname(master) : nullptr;
    if (name == nullptr) {
        error = systemError("cannot unlock the pseudo-terminal");
        ::close(master);
        return nullptr;
    }
    std::string slavePath(name);
    if (!makeRaw(slavePath, error)) {
        ::close(master);
        return nullptr;
    }
    return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, std::move(slavePath)));
}

PseudoTerminal::PseudoTerminal(int master, std::string slavePath)
    : master_(master), slavePath_(std::move(slavePath)) {}

PseudoTerminal::~PseudoTerminal() {
    ::close(master_);
}

bool PseudoTerminal::hostConnected() const {
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        return false;
    return (p.revents & (POLLHUP | POLLERR)) == 0;
}

std::vector<std::uint8_t> PseudoTerminal::readAvailable() {
    std::vector<std::uint8_t> bytes;
    std::array<std::uint8_t, 4096> buffer{};
    for (;;) {
        const ssize_t n = ::read(master_, buffer.data(), buffer.size());
        if (n > 0) {
            bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return bytes; // EAGAIN: nothing more; EIO: no host
    }
}

std::size_t PseudoTerminal::writeSome(std::span<const std::uint8_t> bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // full (EAGAIN) or gone
    }
    return written;
}

bool DeviceLink::usable(std::string& error) const {
    struct stat st {};
    if (::lstat(path_.c_str(), &st) != 0 || S_ISLNK(st.st_mode))
        return true;
    error = path_ + " exists and is not a symlink";
    return false;
}

bool DeviceLink::publish(const std::string& target, std::string& error) {
    // A new link under a temporary name, renamed over the old one: the name never
    // points nowhere while it is being re-pointed.
    const std::string temporary = path_ + ".new";
    ::unlink(temporary.c_str());
    if (::symlink(target.c_str(), temporary.c_str()) != 0 ||
        ::rename(temporary.c_str(), path_.c_str()) != 0) {
        error = systemError(("cannot publish " + path_).c_str());
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void DeviceLink::remove() {
    struct stat st {};
    if (::lstat(path_.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        ::unlink(path_.c_str());
}

} // namespace calorant::sim
