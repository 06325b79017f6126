#include "link/LoggerDownload.h"

#include "core/NumberFormat.h"

#include <algorithm>

namespace calorant {

std::string oversizedMemoryMessage(std::uint64_t announcedLength) {
    return "The meter announced " + formatInt(static_cast<long long>(announcedLength)) +
           " bytes of logger data, more than the " + formatInt(kDownloadBufferCapacity) +
           " bytes a download can hold; the download was refused.";
}

LoggerDownload::LoggerDownload() : buffer_(kDownloadBufferCapacity) {}

void LoggerDownload::start() {
    phase_ = Phase::Requesting;
    headerBytes_.clear();
    downloadTotal_ = 0;
    downloadReceived_ = 0;
    announcedLength_ = 0;
}

void LoggerDownload::listenForReply() {
    if (phase_ != Phase::Requesting)
        return;
    phase_ = Phase::WaitingForHeader;
    headerBytes_.clear();
}

DownloadStep LoggerDownload::onBlock(std::span<const std::uint8_t> block) {
    if (block.empty())
        return DownloadStep::Ignored;
    switch (phase_) {
    case Phase::WaitingForHeader:
        return takeHeaderBytes(block);
    case Phase::Receiving:
        return takeStreamBytes(block);
    case Phase::Idle:
    case Phase::Requesting:
    case Phase::Finished:
        break;
    }
    return DownloadStep::Ignored;
}

DownloadStep LoggerDownload::takeHeaderBytes(std::span<const std::uint8_t> block) {
    const std::size_t wanted = kLoggerHeaderSize - headerBytes_.size();
    headerBytes_.insert(headerBytes_.end(), block.begin(),
                        block.begin() +
                            static_cast<std::ptrdiff_t>(std::min(wanted, block.size())));
    const bool replyBegins = headerBytes_[0] == kLoggerHeader1 &&
                             (headerBytes_.size() == 1 || headerBytes_[1] == kLoggerHeader2);
    if (!replyBegins) {
        phase_ = Phase::Finished; // downloadTotal stays 0: the answer watch ends it
        return DownloadStep::Ignored;
    }
    if (headerBytes_.size() < static_cast<std::size_t>(kLoggerHeaderSize))
        return DownloadStep::Ignored;
    // Bytes after the header in the same block are no stream: it is only asked for later.
    return acceptHeader(headerBytes_);
}

DownloadStep LoggerDownload::acceptHeader(std::span<const std::uint8_t> header) {
    loggerUnit_ = header[2];
    announcedLength_ = (std::uint64_t{header[5]} << 24) | (std::uint64_t{header[6]} << 16) |
                       (std::uint64_t{header[7]} << 8) | std::uint64_t{header[8]};
    phase_ = Phase::Finished;
    if (announcedLength_ == 0) {
        downloadTotal_ = kStreamAllowance;
        return DownloadStep::Empty;
    }
    const std::uint64_t total = announcedLength_ + kStreamAllowance;
    if (total > static_cast<std::uint64_t>(kDownloadBufferCapacity))
        return DownloadStep::Refused;
    downloadTotal_ = static_cast<std::int32_t>(total);
    phase_ = Phase::Receiving;
    return DownloadStep::Announced;
}

DownloadStep LoggerDownload::takeStreamBytes(std::span<const std::uint8_t> block) {
    const std::size_t missing = static_cast<std::size_t>(downloadTotal_ - downloadReceived_);
    const std::size_t count = std::min(block.size(), missing);
    std::copy_n(block.begin(), count, buffer_.begin() + downloadReceived_);
    downloadReceived_ += static_cast<std::int32_t>(count);
    if (downloadReceived_ < downloadTotal_)
        return DownloadStep::Receiving;
    phase_ = Phase::Finished;
    return DownloadStep::Complete;
}

int LoggerDownload::receiveThreshold() const {
    switch (phase_) {
    case Phase::Requesting:
    case Phase::WaitingForHeader:
        return kLoggerHeaderSize;
    case Phase::Receiving:
        return std::min(kDownloadBlockSize, downloadTotal_ - downloadReceived_);
    case Phase::Idle:
    case Phase::Finished:
        break;
    }
    return 0;
}

std::span<const std::uint8_t> LoggerDownload::stream() const {
    return std::span<const std::uint8_t>(buffer_.data(),
                                         static_cast<std::size_t>(downloadReceived_));
}

} // namespace calorant
