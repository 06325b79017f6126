#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace calorant::fuzz {

// The link fuzzer reads its input as a script: one setup byte, then steps. A step is
// one byte whose value modulo kStepKinds names its kind; some kinds take an argument
// from the bytes that follow (a script that ends early ends the step too). The seed
// tool writes scripts with LinkScriptWriter.
//
// Setup byte: bit 0 starts the link's timers as the main window does; bit 1 names a
// device instead of scanning (--device); bits 2..6 give the settings file's port
// number, minus 4, so that numbers outside the link's table come up too.
inline constexpr std::uint8_t kStartTimers = 0x01;
inline constexpr std::uint8_t kDeviceOverride = 0x02;
constexpr std::uint8_t savedPortBits(int port) {
    return static_cast<std::uint8_t>(((port + 4) & 0x1F) << 2);
}
constexpr int savedPortOf(std::uint8_t setup) {
    return ((setup >> 2) & 0x1F) - 4;
}

enum class Step : std::uint8_t {
    Deliver,         // length (2 bytes, big-endian), then that many bytes arrive at the port
    FireTimer,       // k (1 byte): of the link's active timers, by interval, the k-th fires
    PostedEvents,    // what the event loop has queued runs (receive checks, port failures)
    DataLogger,      // the Data Logger command, when the link is live
    GiveUpTime,      // the progress window starts the download's give-up time
    PortBreaks,      // the open device fails, as an unplugged adapter does
    OpenFailures,    // from now on openings fail, or succeed again
    WriteFailures,   // from now on writes fail, or succeed again
    SelectPort,      // port (1 byte): a manual choice, taken or refused
    PortListChanges, // list (1 byte): the system's serial ports become that list
    KeyCommand,      // key (1 byte): a key command
    PowerOff,        // the power-off command
    Scan,            // the port scan
    LinkEnd,         // the closing command, after which the timers start again
};
inline constexpr int kStepKinds = 14;

class LinkScriptWriter {
public:
    explicit LinkScriptWriter(std::uint8_t setup) { bytes_.push_back(setup); }

    LinkScriptWriter& step(Step kind) {
        bytes_.push_back(static_cast<std::uint8_t>(kind));
        return *this;
    }
    LinkScriptWriter& step(Step kind, std::uint8_t argument) {
        step(kind);
        bytes_.push_back(argument);
        return *this;
    }
    // The bytes arrive in one piece (a longer run in pieces of at most 65535 bytes).
    LinkScriptWriter& deliver(std::span<const std::uint8_t> bytes) {
        for (std::size_t at = 0; at < bytes.size(); at += 0xFFFF) {
            const std::size_t count = std::min<std::size_t>(0xFFFF, bytes.size() - at);
            step(Step::Deliver);
            bytes_.push_back(static_cast<std::uint8_t>(count >> 8));
            bytes_.push_back(static_cast<std::uint8_t>(count & 0xFF));
            bytes_.insert(bytes_.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                          bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
        }
        return *this;
    }
    // The bytes arrive in pieces of `piece` bytes, each followed by the queued events.
    LinkScriptWriter& deliverInPieces(std::span<const std::uint8_t> bytes, std::size_t piece) {
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            deliver(bytes.subspan(at, std::min(piece, bytes.size() - at)));
            step(Step::PostedEvents);
        }
        return *this;
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace calorant::fuzz
