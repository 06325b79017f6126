#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace calorant {

// The logger download on the wire. After the header request (0xAA 0x55 0x02) the meter
// answers with a 9-byte header reply:
//   0xBB 0x55, unit code (0 C, 1 F, 2 K), two unused bytes, length L (unsigned 32-bit
//   big-endian);
// after the memory request (0xAA 0x55 0x10) it sends its memory as one stream of L + 10
// bytes (downloadTotal), which the port delivers in blocks of 20000 bytes and a remainder.
inline constexpr int kLoggerHeaderSize = 9;
inline constexpr std::uint8_t kLoggerHeader1 = 0xBB;
inline constexpr std::uint8_t kLoggerHeader2 = 0x55;
inline constexpr int kStreamAllowance = 10;
inline constexpr int kDownloadBlockSize = 20000;
// The whole stream must fit this buffer; a meter announcing more is refused.
inline constexpr int kDownloadBufferCapacity = 131072;

inline constexpr const char* kNoDataMessage = "There is no data on the RAM!";

// The message for a memory that announces more than kDownloadBufferCapacity bytes.
std::string oversizedMemoryMessage(std::uint64_t announcedLength);

// What one received block did to the download.
enum class DownloadStep {
    Ignored,   // nothing in it for the download (no download, or still no header)
    Empty,     // the header announced an empty memory (L = 0)
    Refused,   // the header announced more than the buffer holds
    Announced, // the header announced data: ask for the memory stream
    Receiving, // stream bytes taken, more to come
    Complete,  // the whole stream is in the buffer
};

// Collects the logger stream as it arrives. Exactly downloadTotal bytes end in the
// buffer, in order, whatever sizes the blocks come in: a block is never read past its
// end, and bytes beyond the announced total are dropped. The buffer is allocated once.
//
// The meter answers once the requests have stopped, and the host discards its input
// after the last one; so the header reply is the very first bytes received from then
// on, and nowhere else: bytes that begin otherwise (a live frame from a meter that
// does not answer, which may well hold a 0xBB 0x55 pair) mean that no reply comes. The
// reply may be split over several blocks. Once the stream runs, every byte is stream
// data, even a 0xBB 0x55 pair.
class LoggerDownload {
public:
    LoggerDownload();

    // A new download: the header requests are being written, and nothing received
    // counts yet.
    void start();
    // The last request is written and the input discarded: the reply comes next.
    void listenForReply();
    DownloadStep onBlock(std::span<const std::uint8_t> block);

    bool receiving() const { return phase_ == Phase::Receiving; }

    // L + 10 once a header announced data (10 for an empty memory); 0 before the header
    // and after a refusal.
    std::int32_t downloadTotal() const { return downloadTotal_; }
    std::int32_t downloadReceived() const { return downloadReceived_; }
    std::uint8_t loggerUnit() const { return loggerUnit_; }
    // L as the last header reply announced it.
    std::uint64_t announcedLength() const { return announcedLength_; }

    // Bytes the port should have buffered before it raises the next receive event: a
    // 20000-byte block, or what remains of the stream when that is less.
    int receiveThreshold() const;

    // The stream bytes received so far.
    std::span<const std::uint8_t> stream() const;

private:
    enum class Phase { Idle, Requesting, WaitingForHeader, Receiving, Finished };

    DownloadStep takeHeaderBytes(std::span<const std::uint8_t> block);
    DownloadStep acceptHeader(std::span<const std::uint8_t> header);
    DownloadStep takeStreamBytes(std::span<const std::uint8_t> block);

    Phase phase_ = Phase::Idle;
    std::vector<std::uint8_t> buffer_;
    // The first bytes of a header reply, while fewer than a whole one have come.
    std::vector<std::uint8_t> headerBytes_;
    std::int32_t downloadTotal_ = 0;
    std::int32_t downloadReceived_ = 0;
    std::uint8_t loggerUnit_ = 0;
    std::uint64_t announcedLength_ = 0;
};

} // namespace calorant
