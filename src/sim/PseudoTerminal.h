#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace calorant::sim {

// The master side of a pseudo-terminal in raw mode, standing in for the meter's USB
// serial bridge. The host opens the slave path like a serial port.
class PseudoTerminal {
public:
    // Opens a new terminal; returns null and sets `error` on failure.
    static std::unique_ptr<PseudoTerminal> open(std::string& error);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int fd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

    // Whether a host has the slave open. While none has, the master reports a hang-up
    // and reads fail, and whatever is written stays queued for the next host, so the
    // caller sends nothing then.
    bool hostConnected() const;

    // Everything the host has written so far (empty when nothing is waiting).
    std::vector<std::uint8_t> readAvailable();

    // Writes what the terminal takes now without blocking; returns the count written.
    std::size_t writeSome(std::span<const std::uint8_t> bytes);

private:
    PseudoTerminal(int master, std::string slavePath);

    int master_;
    std::string slavePath_;
};

// A fixed name for the device, re-pointed to each new terminal, as a udev rule names
// a USB bridge. The link is removed while the device is unplugged.
class DeviceLink {
public:
    explicit DeviceLink(std::string path) : path_(std::move(path)) {}
    // Refuses to take over a path that exists and is not a symlink.
    bool usable(std::string& error) const;
    bool publish(const std::string& target, std::string& error);
    void remove();

private:
    std::string path_;
};

} // namespace calorant::sim
