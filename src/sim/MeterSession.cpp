#include "sim/MeterSession.h"

#include "core/NumberFormat.h"

#include <algorithm>

namespace calorant::sim {
namespace {

// 9600 baud with 8N1 framing carries 960 bytes a second: 48 bytes every 50 ms.
constexpr std::int64_t kLineChunkPeriodMs = 50;
constexpr std::size_t kLineChunkBytes = 48;

// The host asks for the logger header three times, 100 ms apart, and clears its input
// after the last request, so the meter answers once, when the requests have stopped
// for this long.
constexpr std::int64_t kHeaderQuietMs = 150;

// REC stores one reading a second.
constexpr int kRecordIntervalSeconds = 1;
constexpr std::int64_t kRecordIntervalMs = 1000;
// What the meter's logger holds, so that a whole download fits a 131072-byte buffer.
constexpr std::size_t kMemoryCapacity = 131072 - kStreamTrailerSize;

// Every fourth frame carries its checksum in the second accepted form.
constexpr std::uint64_t kAlternateChecksumEvery = 4;

ChannelProfile profileOf(FrameScenario scenario) {
    switch (scenario) {
    case FrameScenario::Fixed:
        return ChannelProfile::Fixed;
    case FrameScenario::OpenThermocouple:
        return ChannelProfile::OpenThermocouple;
    default:
        return ChannelProfile::Drifting;
    }
}

} // namespace

MeterSession::MeterSession(const SessionConfig& config)
    : config_(config), channels_(profileOf(config.scenario), config.seed),
      memory_(makeLoggerMemory(config.loggerContent)), random_(config.seed) {
    config_.frameIntervalMs = std::max(1, config_.frameIntervalMs);
    meter_.setBatteryLow(config.scenario == FrameScenario::LowBattery);
}

std::vector<CommandBytes> MeterSession::receive(std::span<const std::uint8_t> bytes,
                                                std::int64_t nowMs, const SetStart& wallClock) {
    std::vector<CommandBytes> commands = reader_.feed(bytes);
    for (const CommandBytes& command : commands)
        handle(classifyCommand(command), nowMs, wallClock);
    return commands;
}

void MeterSession::handle(MeterCommand command, std::int64_t nowMs, const SetStart& wallClock) {
    switch (command) {
    case MeterCommand::LiveRequest:
        download_ = DownloadState::Idle;
        nextChunkMs_ = headerDueMs_ = kNever;
        startStreaming(nowMs);
        break;
    case MeterCommand::LoggerHeaderRequest:
        acceptHeaderRequest(nowMs);
        break;
    case MeterCommand::LoggerMemoryRequest:
        if (download_ == DownloadState::Announced) {
            download_ = DownloadState::Streaming;
            downloadSent_ = 0;
            const bool stopsHalfway = config_.download == DownloadBehaviour::StopHalfway ||
                                      config_.download == DownloadBehaviour::UnplugHalfway;
            downloadStopAt_ = stopsHalfway ? downloadBytes_.size() / 2 : downloadBytes_.size();
            nextChunkMs_ = nowMs;
        }
        break;
    case MeterCommand::LinkEnd:
    case MeterCommand::PowerKey:
    case MeterCommand::PowerOff:
        download_ = DownloadState::Idle;
        nextChunkMs_ = headerDueMs_ = kNever;
        stopStreaming();
        break;
    case MeterCommand::RecKey: {
        meter_.press(command, nowMs, channels_.at(nowMs));
        const bool room =
            memory_.content().size() + kSetHeaderSize + kRecordSize <= kMemoryCapacity;
        if (meter_.recording() && room) {
            // The first reading goes in at once, so that no set is ever left empty.
            memory_.beginSet(kRecordIntervalSeconds, wallClock);
            nextRecordMs_ = nowMs;
            recordReading(nowMs);
        } else {
            nextRecordMs_ = kNever;
        }
        break;
    }
    default:
        meter_.press(command, nowMs, channels_.at(nowMs));
        break;
    }
}

void MeterSession::acceptHeaderRequest(std::int64_t nowMs) {
    if (config_.scenario == FrameScenario::Silence || config_.download == DownloadBehaviour::Mute)
        return;
    stopStreaming();
    download_ = DownloadState::Requested;
    nextChunkMs_ = kNever;
    headerDueMs_ = nowMs + kHeaderQuietMs;
}

void MeterSession::sendHeader(std::vector<Transmission>& out) {
    download_ = DownloadState::Announced;
    headerDueMs_ = kNever;
    downloadBytes_ = memory_.stream();
    out.push_back({false, memory_.headerReply(static_cast<std::uint8_t>(meter_.unit()))});
    notes_.push_back("logger header " +
                     formatInt(static_cast<long long>(memory_.content().size())));
}

void MeterSession::startStreaming(std::int64_t nowMs) {
    if (streaming_)
        return;
    streaming_ = true;
    nextFrameMs_ = nowMs;
}

void MeterSession::stopStreaming() {
    streaming_ = false;
    nextFrameMs_ = kNever;
    splitRest_.reset();
    splitRestMs_ = kNever;
    garbageMs_ = kNever;
}

void MeterSession::unplugged() {
    stopStreaming();
    download_ = DownloadState::Idle;
    nextChunkMs_ = headerDueMs_ = kNever;
    unplugRequested_ = false;
}

std::vector<Transmission> MeterSession::transmit(std::int64_t nowMs) {
    std::vector<Transmission> out;
    if (nextRecordMs_ <= nowMs)
        recordReading(nowMs);
    if (config_.scenario == FrameScenario::Silence)
        return out;
    transmitLive(nowMs, out);
    transmitMemory(nowMs, out);
    return out;
}

void MeterSession::transmitLive(std::int64_t nowMs, std::vector<Transmission>& out) {
    if (!streaming_)
        return;
    if (splitRest_ && splitRestMs_ <= nowMs) {
        out.push_back({true, std::move(*splitRest_)});
        splitRest_.reset();
        splitRestMs_ = kNever;
    }
    if (garbageMs_ <= nowMs) {
        out.push_back({true, randomBytes(1, 66)});
        garbageMs_ = kNever;
    }
    if (nextFrameMs_ > nowMs)
        return;

    std::vector<std::uint8_t> frame = nextFrameBytes(nowMs);
    switch (config_.scenario) {
    case FrameScenario::Split: {
        const auto cut = static_cast<std::ptrdiff_t>(
            std::uniform_int_distribution<int>(1, static_cast<int>(kLiveFrameSize) - 1)(random_));
        splitRest_.emplace(frame.begin() + cut, frame.end());
        splitRestMs_ = nowMs + std::clamp<std::int64_t>(config_.frameIntervalMs / 3, 1, 300);
        frame.resize(static_cast<std::size_t>(cut));
        break;
    }
    case FrameScenario::Double: {
        const std::vector<std::uint8_t> second = nextFrameBytes(nowMs);
        frame.insert(frame.end(), second.begin(), second.end());
        break;
    }
    case FrameScenario::Garbage:
        // Bursts of 33 bytes or more arrive as blocks of their own, so some frames
        // after them get through to a reader that judges each block from its start.
        garbageMs_ = nowMs + std::max(1, config_.frameIntervalMs / 2);
        break;
    default:
        break;
    }
    out.push_back({true, std::move(frame)});
    nextFrameMs_ += config_.frameIntervalMs;
    if (nextFrameMs_ <= nowMs)
        nextFrameMs_ = nowMs + config_.frameIntervalMs;
}

void MeterSession::transmitMemory(std::int64_t nowMs, std::vector<Transmission>& out) {
    if (download_ == DownloadState::Requested && headerDueMs_ <= nowMs)
        sendHeader(out);
    if (download_ != DownloadState::Streaming || nextChunkMs_ > nowMs)
        return;
    const std::size_t left = downloadStopAt_ - downloadSent_;
    const std::size_t count = config_.fastPace ? left : std::min(left, kLineChunkBytes);
    const auto first = downloadBytes_.begin() + static_cast<std::ptrdiff_t>(downloadSent_);
    out.push_back(
        {false, std::vector<std::uint8_t>(first, first + static_cast<std::ptrdiff_t>(count))});
    downloadSent_ += count;
    nextChunkMs_ = std::max(nextChunkMs_ + kLineChunkPeriodMs, nowMs + 1);
    if (downloadSent_ < downloadStopAt_)
        return;

    const std::string total = formatInt(static_cast<long long>(downloadBytes_.size()));
    if (downloadSent_ == downloadBytes_.size()) {
        notes_.push_back("logger stream sent " + total + " bytes");
    } else {
        notes_.push_back("logger stream stopped after " +
                         formatInt(static_cast<long long>(downloadSent_)) + " of " + total +
                         " bytes");
        unplugRequested_ = config_.download == DownloadBehaviour::UnplugHalfway;
    }
    download_ = DownloadState::Idle;
    nextChunkMs_ = kNever;
}

void MeterSession::recordReading(std::int64_t nowMs) {
    if (memory_.content().size() + kRecordSize > kMemoryCapacity) {
        nextRecordMs_ = kNever; // memory full: the set ends here
        return;
    }
    memory_.appendRecord(channels_.at(nowMs));
    nextRecordMs_ += kRecordIntervalMs;
    if (nextRecordMs_ <= nowMs)
        nextRecordMs_ = nowMs + kRecordIntervalMs;
}

std::vector<std::uint8_t> MeterSession::nextFrameBytes(std::int64_t nowMs) {
    const FrameContent content = meter_.nextFrame(channels_.at(nowMs), nowMs);
    ++framesSent_;
    const ChecksumForm form = framesSent_ % kAlternateChecksumEvery == 0 ? ChecksumForm::SumMinus128
                                                                         : ChecksumForm::EqualsSum;
    const FrameBytes bytes = encodeLiveFrame(content, form);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> MeterSession::randomBytes(int minCount, int maxCount) {
    const int count = std::uniform_int_distribution<int>(minCount, maxCount)(random_);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    for (std::uint8_t& b : bytes)
        b = static_cast<std::uint8_t>(byte(random_));
    return bytes;
}

std::int64_t MeterSession::nextDueMs() const {
    std::int64_t due = std::min({nextChunkMs_, nextRecordMs_, headerDueMs_});
    if (streaming_ && config_.scenario != FrameScenario::Silence)
        due = std::min({due, nextFrameMs_, splitRestMs_, garbageMs_});
    return due;
}

std::vector<std::string> MeterSession::takeNotes() {
    std::vector<std::string> notes;
    notes.swap(notes_);
    return notes;
}

} // namespace calorant::sim
