#pragma once

#include "sim/ChannelModel.h"
#include "sim/EmulatedMeter.h"
#include "sim/FrameEncoder.h"
#include "sim/LoggerMemory.h"
#include "sim/MeterCommand.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace calorant::sim {

// How the live stream behaves.
enum class FrameScenario {
    Normal,           // drifting temperatures
    Fixed,            // constant T1 25.0, T2 -20.0, IR 30.0, T3 0.0, T4 100.0 °C
    Silence,          // never sends anything
    Garbage,          // random bytes half-way between frames
    Split,            // each frame in two writes with a pause between them
    Double,           // two frames in one write
    OpenThermocouple, // T3 is an open input (2950.0)
    LowBattery,       // battery-low bit set
};

// How the meter answers a logger download.
enum class DownloadBehaviour {
    Answer,        // header reply, then the whole memory
    StopHalfway,   // the memory stream stops after half of its bytes
    UnplugHalfway, // the memory stream stops after half and the device is unplugged
    Mute,          // the header request is never answered; live frames go on
};

struct SessionConfig {
    FrameScenario scenario = FrameScenario::Normal;
    int frameIntervalMs = 1000;
    LoggerContent loggerContent = LoggerContent::Sets;
    DownloadBehaviour download = DownloadBehaviour::Answer;
    bool fastPace = false; // memory stream as fast as the port takes, not at the line rate
    std::uint32_t seed = 1;
};

// Bytes for the line. Live frames and garbage may be dropped when nobody listens or
// the reader lags behind; a meter does not queue them. Download bytes may not.
struct Transmission {
    bool droppable = true;
    std::vector<std::uint8_t> bytes;
};

inline constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

// The meter as seen from its serial line, driven by time: it takes the host's bytes,
// works its display, streams live frames, answers the logger download at the line
// rate and records sets while REC is on. It reads no clock; the caller passes the
// time in milliseconds since start and, for new record sets, the local wall clock.
class MeterSession {
public:
    explicit MeterSession(const SessionConfig& config);

    // Bytes the host wrote. Returns the commands found in them, in order.
    std::vector<CommandBytes> receive(std::span<const std::uint8_t> bytes, std::int64_t nowMs,
                                      const SetStart& wallClock);

    // Everything due for the line at nowMs, in order.
    std::vector<Transmission> transmit(std::int64_t nowMs);

    // When transmit() has something to do next; kNever: not before a command arrives.
    std::int64_t nextDueMs() const;

    // Lines for the operator about the download, oldest first; the call empties them.
    std::vector<std::string> takeNotes();

    // Set once the memory stream has stopped where the device is to be unplugged.
    bool unplugRequested() const { return unplugRequested_; }

    // The device went away: the meter waits for a new live request.
    void unplugged();

private:
    // Requested: a header request came and the answer waits for the burst to end.
    enum class DownloadState { Idle, Requested, Announced, Streaming };

    void handle(MeterCommand command, std::int64_t nowMs, const SetStart& wallClock);
    void acceptHeaderRequest(std::int64_t nowMs);
    void sendHeader(std::vector<Transmission>& out);
    void startStreaming(std::int64_t nowMs);
    void stopStreaming();
    void transmitLive(std::int64_t nowMs, std::vector<Transmission>& out);
    void transmitMemory(std::int64_t nowMs, std::vector<Transmission>& out);
    void recordReading(std::int64_t nowMs);
    std::vector<std::uint8_t> nextFrameBytes(std::int64_t nowMs);
    std::vector<std::uint8_t> randomBytes(int minCount, int maxCount);

    SessionConfig config_;
    ChannelModel channels_;
    EmulatedMeter meter_;
    LoggerMemory memory_;
    CommandReader reader_;
    std::mt19937 random_;
    std::vector<std::string> notes_;

    bool streaming_ = false;
    std::int64_t nextFrameMs_ = kNever;
    std::uint64_t framesSent_ = 0;
    std::optional<std::vector<std::uint8_t>> splitRest_;
    std::int64_t splitRestMs_ = kNever;
    std::int64_t garbageMs_ = kNever;

    DownloadState download_ = DownloadState::Idle;
    std::int64_t headerDueMs_ = kNever;
    std::vector<std::uint8_t> downloadBytes_; // the stream as announced
    std::size_t downloadSent_ = 0;
    std::size_t downloadStopAt_ = 0;
    std::int64_t nextChunkMs_ = kNever;
    bool unplugRequested_ = false;

    std::int64_t nextRecordMs_ = kNever; // while REC is on
};

} // namespace calorant::sim
