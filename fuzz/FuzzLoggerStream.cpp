// Arbitrary logger memory images, as a download delivers them: collected by the
// download in the port's blocks, split into record sets by the stream decoder, then
// kept in the store and shown set by set. The sets and records must be exactly those
// of the byte layout, and no set may be shown beyond the shown set's capacity.
#include "FuzzCheck.h"
#include "FuzzUtcStartTimes.h"
#include "LoggerMemoryChecks.h"
#include "link/LoggerDownload.h"
#include "link/LoggerStreamDecoder.h"
#include "logger/LoggerSet.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <span>

using namespace calorant;

namespace {

// The header reply announcing a stream of `total` bytes (L = total - 10).
std::array<std::uint8_t, kLoggerHeaderSize> headerReply(std::size_t total, std::uint8_t unit) {
    const auto length = static_cast<std::uint32_t>(total - kStreamAllowance);
    return {kLoggerHeader1,
            kLoggerHeader2,
            unit,
            0,
            0,
            static_cast<std::uint8_t>(length >> 24),
            static_cast<std::uint8_t>(length >> 16),
            static_cast<std::uint8_t>(length >> 8),
            static_cast<std::uint8_t>(length)};
}

// The download takes the stream in the blocks the port delivers, and exactly its bytes.
std::span<const std::uint8_t> downloaded(std::span<const std::uint8_t> stream, std::uint8_t unit) {
    static LoggerDownload download; // its buffer is allocated once, as the link's is
    download.start();
    download.listenForReply();
    FUZZ_CHECK(download.onBlock(headerReply(stream.size(), unit)) == DownloadStep::Announced);
    for (std::size_t at = 0; at < stream.size();) {
        const auto threshold = static_cast<std::size_t>(download.receiveThreshold());
        FUZZ_CHECK(threshold > 0 && threshold <= std::size_t(kDownloadBlockSize));
        const std::size_t count = std::min(threshold, stream.size() - at);
        const DownloadStep step = download.onBlock(stream.subspan(at, count));
        at += count;
        FUZZ_CHECK(step ==
                   (at == stream.size() ? DownloadStep::Complete : DownloadStep::Receiving));
    }
    const std::span<const std::uint8_t> received = download.stream();
    FUZZ_CHECK(std::equal(received.begin(), received.end(), stream.begin(), stream.end()));
    return received;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A stream is L + 10 bytes with L > 0, and the download buffer holds no more.
    if (size <= std::size_t(kStreamAllowance) || size > std::size_t(kDownloadBufferCapacity))
        return 0;
    const std::span<const std::uint8_t> input(data, size);
    // The unit byte of the header reply travels beside the stream; any value is passed on.
    const auto unit = static_cast<std::uint8_t>(size % 4);
    const std::span<const std::uint8_t> stream = downloaded(input, unit);

    DecodedLoggerMemory memory = decodeLoggerStream(stream, unit);
    fuzz::checkDecodedMemory(memory, input);
    FUZZ_CHECK(memory.loggerUnit == unit);

    static LoggerSet shown; // allocated once at full capacity, as the document's
    fuzz::checkStoredSets(std::move(memory), shown);
    return 0;
}
