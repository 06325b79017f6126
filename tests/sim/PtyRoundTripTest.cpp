// calorant-meter-sim as a separate process on a real pseudo-terminal, driven the way
// the application drives a serial port: the printed path, the live request and frames,
// a key, closing and reopening the port, a fast logger download, unplugging and
// replugging under a fixed link name, a clean exit on SIGTERM, and the end of an
// emulator whose parent is gone.
#include "SimTestSupport.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace calorant::sim {
namespace {

using Clock = std::chrono::steady_clock;
using test::int16At;
using test::isValidFrameAt;

std::string simulatorPath() {
    const char* dir = std::getenv("CALORANT_BIN_DIR");
    return std::string(dir ? dir : ".") + "/calorant-meter-sim";
}

// The emulator as a child process whose stdout is read line by line.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args) {
        int out[2];
        if (::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        args.insert(args.begin(), simulatorPath());
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        stdout_ = out[0];
    }
    ~SimProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(stdout_);
    }

    // The next line, or "" when none comes within the time.
    std::string readLine(int timeoutMs = 3000) {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto newline = buffer_.find('\n');
            if (newline != std::string::npos) {
                std::string line = buffer_.substr(0, newline);
                buffer_.erase(0, newline + 1);
                return line;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            pollfd p{stdout_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                return "";
            char chunk[256];
            const ssize_t n = ::read(stdout_, chunk, sizeof chunk);
            if (n <= 0)
                return "";
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

    // Skips lines until `line` comes; false when it does not within the time.
    bool waitFor(const std::string& line, int timeoutMs = 3000) {
        for (std::string got = readLine(timeoutMs); !got.empty(); got = readLine(timeoutMs))
            if (got == line)
                return true;
        return false;
    }

    int terminate() {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Whether the emulator ends by itself within the time (the destructor kills it
    // otherwise).
    bool endsWithin(int timeoutMs) {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return true;
            }
            ::usleep(20000);
        } while (Clock::now() < end);
        return false;
    }

private:
    pid_t pid_ = -1;
    int stdout_ = -1;
    std::string buffer_;
};

// The host's side: the slave opened as a raw serial port.
class Port {
public:
    explicit Port(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~Port() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    void send(std::vector<std::uint8_t> bytes) {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Up to `count` bytes, waiting at most `timeoutMs`; stops early on a hang-up.
    std::vector<std::uint8_t> read(std::size_t count, int timeoutMs = 3000) {
        std::vector<std::uint8_t> bytes;
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (bytes.size() < count) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            pollfd p{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                break;
            std::uint8_t chunk[4096];
            const ssize_t n = ::read(fd_, chunk, std::min(sizeof chunk, count - bytes.size()));
            if (n <= 0) {
                hungUp_ = n == 0 || errno == EIO;
                if (hungUp_)
                    break;
                continue;
            }
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
        return bytes;
    }
    // The next frame that starts at a read boundary (skipping a partial one).
    std::vector<std::uint8_t> frame() {
        for (int i = 0; i < 4; ++i) {
            auto bytes = read(33);
            if (isValidFrameAt(bytes))
                return bytes;
        }
        return {};
    }
    bool hungUp() const { return hungUp_; }

private:
    int fd_ = -1;
    bool hungUp_ = false;
};

TEST(PtyRoundTrip, TheFirstLineNamesATerminalThatStreamsAfterTheLiveRequest) {
    SimProcess sim({"--scenario", "fixed", "--frame-interval", "50"});
    const std::string path = sim.readLine();
    ASSERT_FALSE(path.empty());
    Port port(path);
    ASSERT_TRUE(port.isOpen());
    EXPECT_TRUE(port.read(1, 300).empty());
    port.send({0xAA, 0x55, 0x01});
    EXPECT_EQ(sim.readLine(), "received AA 55 01");
    const auto frame = port.read(33);
    ASSERT_TRUE(isValidFrameAt(frame));
    EXPECT_EQ(int16At(frame, 2), 250);
    EXPECT_EQ(int16At(frame, 4), -200);
    EXPECT_EQ(int16At(frame, 6), 300);
    EXPECT_EQ(int16At(frame, 10), 1000);

    port.send({0xAA, 0x55, 0x03});
    EXPECT_TRUE(sim.waitFor("received AA 55 03"));
    bool fahrenheit = false;
    for (int i = 0; i < 5 && !fahrenheit; ++i) {
        const auto next = port.frame();
        fahrenheit = next.size() == 33 && next[30] == 1 && int16At(next, 19) == 770;
    }
    EXPECT_TRUE(fahrenheit);
    EXPECT_EQ(sim.terminate(), 0);
}

TEST(PtyRoundTrip, ThePortCanBeClosedAndReopenedWithoutStaleFramesPilingUp) {
    SimProcess sim({"--scenario", "fixed", "--frame-interval", "50"});
    const std::string path = sim.readLine();
    {
        Port port(path);
        port.send({0xAA, 0x55, 0x01});
        ASSERT_TRUE(isValidFrameAt(port.read(33)));
    }
    ::usleep(600 * 1000); // 12 frame intervals with nobody listening
    Port again(path);
    ASSERT_TRUE(again.isOpen());
    EXPECT_LE(again.read(4096, 100).size(), 33u * 6u); // only what came after the reopen
    EXPECT_FALSE(again.frame().empty());
}

TEST(PtyRoundTrip, AFastLoggerDownloadDeliversTheAnnouncedStream) {
    SimProcess sim({"--scenario", "fixed", "--frame-interval", "50", "--pace", "fast"});
    Port port(sim.readLine());
    port.send({0xAA, 0x55, 0x01});
    ASSERT_TRUE(isValidFrameAt(port.read(33)));
    for (int i = 0; i < 3; ++i) {
        port.send({0xAA, 0x55, 0x02});
        ::usleep(100 * 1000);
    }
    ::tcflush(port.fd(), TCIFLUSH); // as the host does after its last request
    EXPECT_EQ(port.read(9), (std::vector<std::uint8_t>{0xBB, 0x55, 0, 0, 0, 0, 0, 0x0D, 0x05}));
    EXPECT_TRUE(sim.waitFor("logger header 3333"));
    EXPECT_TRUE(port.read(1, 300).empty());
    port.send({0xAA, 0x55, 0x10});
    const auto stream = port.read(3343);
    ASSERT_EQ(stream.size(), 3343u);
    EXPECT_EQ(stream[0], 0xAA);
    EXPECT_EQ(stream[1], 0x56);
    EXPECT_EQ(stream[3333], 0xFF);
    EXPECT_TRUE(sim.waitFor("logger stream sent 3343 bytes"));
}

TEST(PtyRoundTrip, ADownloadThatEndsInAnUnplugHangsUpTheHostAndComesBack) {
    SimProcess sim({"--logger", "unplug", "--pace", "fast", "--replug-after", "200"});
    Port port(sim.readLine());
    port.send({0xAA, 0x55, 0x02});
    EXPECT_EQ(port.read(9).size(), 9u);
    port.send({0xAA, 0x55, 0x10});
    EXPECT_TRUE(sim.waitFor("logger stream stopped after 1671 of 3343 bytes"));
    EXPECT_EQ(sim.readLine(1000), "unplugged");
    EXPECT_LE(port.read(4096, 1000).size(), 1671u);
    EXPECT_TRUE(port.hungUp());
    EXPECT_EQ(sim.readLine(1000).rfind("replugged /dev/", 0), 0u);
}

TEST(PtyRoundTrip, UnplugAndReplugKeepTheLinkNameOnANewTerminal) {
    const std::filesystem::path link = std::filesystem::temp_directory_path() /
                                       ("calorant-sim-link-" + std::to_string(::getpid()));
    SimProcess sim({"--scenario", "fixed", "--frame-interval", "50", "--link", link.string(),
                    "--unplug-after", "1500", "--replug-after", "300"});
    const std::string first = sim.readLine();
    EXPECT_EQ(std::filesystem::read_symlink(link), first);
    Port port(link.string());
    port.send({0xAA, 0x55, 0x01});
    EXPECT_TRUE(isValidFrameAt(port.read(33)));

    EXPECT_TRUE(sim.waitFor("unplugged"));
    port.read(4096, 300);
    EXPECT_TRUE(port.hungUp());
    EXPECT_FALSE(std::filesystem::is_symlink(link));

    const std::string replugged = sim.readLine();
    ASSERT_EQ(replugged.rfind("replugged ", 0), 0u);
    const std::string second = replugged.substr(10);
    EXPECT_EQ(std::filesystem::read_symlink(link), second);
    Port fresh(link.string());
    EXPECT_TRUE(fresh.read(1, 300).empty()); // a replugged meter waits for the live request
    fresh.send({0xAA, 0x55, 0x01});
    EXPECT_TRUE(isValidFrameAt(fresh.read(33)));

    EXPECT_EQ(sim.terminate(), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST(PtyRoundTrip, AnEmulatorWhoseNamedParentIsNotItsParentEndsByItself) {
    // Its parent is this test, not the process named: as after the named one died and the
    // emulator was handed on.
    SimProcess orphan({"--parent-pid", std::to_string(::getppid())});
    EXPECT_FALSE(orphan.readLine().empty());
    EXPECT_TRUE(orphan.endsWithin(1500));

    // Named rightly, it runs on.
    SimProcess child({"--parent-pid", std::to_string(::getpid())});
    EXPECT_FALSE(child.readLine().empty());
    EXPECT_FALSE(child.endsWithin(600));
    EXPECT_EQ(child.terminate(), 0);
}

} // namespace
} // namespace calorant::sim
