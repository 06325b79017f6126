#pragma once

#include "sim/MeterSession.h"
#include "sim/PseudoTerminal.h"
#include "sim/SimOptions.h"

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace calorant::sim {

// Runs a MeterSession on a pseudo-terminal until SIGTERM or SIGINT, or until the process
// named by --parent-pid is no longer its parent: moves the host's
// bytes in and the meter's bytes out, unplugs and replugs the device, and reports on
// stdout (first line: the terminal's path; then "received XX XX XX" per command,
// "unplugged", "replugged PATH" and the download notes).
class MeterEmulator {
public:
    explicit MeterEmulator(const SimOptions& options);

    // Returns the process exit status.
    int run();

private:
    std::int64_t nowMs() const;
    bool parentGone() const;
    bool plug(bool first);
    void unplug(std::int64_t now);
    void exchange(std::int64_t now);
    void queue(std::vector<Transmission> transmissions, bool hostConnected);
    void waitForWork(std::int64_t now);

    SimOptions options_;
    MeterSession session_;
    std::chrono::steady_clock::time_point start_;
    std::unique_ptr<PseudoTerminal> terminal_;
    std::optional<DeviceLink> link_;
    std::vector<std::uint8_t> outgoing_; // bytes the terminal has not taken yet
    std::int64_t unplugAtMs_;
    std::int64_t replugAtMs_ = kNever;
};

// Prints one line on stdout and flushes it, so that a reading process sees it at once.
void printLine(const std::string& line);

} // namespace calorant::sim
