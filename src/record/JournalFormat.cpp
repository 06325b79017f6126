#include "record/JournalFormat.h"

#include "core/Crc32.h"
#include "record/SampleStore.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>

namespace calorant {

namespace {

constexpr std::string_view kMagic = "CALORJNL";

void putLittleEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t getLittleEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= std::uint64_t{bytes[at + i]} << (8 * i);
    return value;
}

std::span<const std::uint8_t> asBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void putChecksum(std::string& out) {
    putLittleEndian(out, crc32(asBytes(out)), 4);
}

bool checksumMatches(std::span<const std::uint8_t> record) {
    const std::size_t body = record.size() - 4;
    return crc32(record.first(body)) == getLittleEndian(record, body, 4);
}

bool isSampleRate(std::int64_t ms) {
    return ms >= kMinSampleRateSeconds * 1000LL && ms <= kMaxSampleRateSeconds * 1000LL &&
           ms % 1000 == 0;
}

std::optional<JournalHeader> decodeHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kJournalHeaderSize)
        return std::nullopt;
    const auto header = bytes.first(kJournalHeaderSize);
    if (std::memcmp(header.data(), kMagic.data(), kMagic.size()) != 0 || !checksumMatches(header) ||
        getLittleEndian(header, 8, 2) != kJournalVersion)
        return std::nullopt;
    const auto rate = static_cast<std::int32_t>(getLittleEndian(header, 12, 4));
    if (!isSampleRate(rate))
        return std::nullopt;
    return JournalHeader{static_cast<std::time_t>(getLittleEndian(header, 16, 8)), rate};
}

std::optional<JournalSample> decodeSample(std::span<const std::uint8_t> record,
                                          std::size_t expectedIndex) {
    if (!checksumMatches(record) || getLittleEndian(record, 0, 4) != expectedIndex ||
        record[4] > 1 || record[5] != 0)
        return std::nullopt;
    JournalSample sample;
    sample.fresh = record[4] == 1;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const auto bits = static_cast<std::uint32_t>(getLittleEndian(record, 6 + 4 * channel, 4));
        sample.values[channel] = std::bit_cast<float>(bits);
        if (!std::isfinite(sample.values[channel]))
            return std::nullopt;
    }
    return sample;
}

} // namespace

std::string encodeJournalHeader(const JournalHeader& header) {
    std::string out(kMagic);
    putLittleEndian(out, kJournalVersion, 2);
    putLittleEndian(out, 0, 2);
    putLittleEndian(out, static_cast<std::uint32_t>(header.sampleRateMs), 4);
    putLittleEndian(out, static_cast<std::uint64_t>(header.runStartTime), 8);
    putChecksum(out);
    return out;
}

std::string encodeJournalSample(std::uint32_t index, const JournalSample& sample) {
    std::string out;
    out.reserve(kJournalSampleSize);
    putLittleEndian(out, index, 4);
    out.push_back(sample.fresh ? 1 : 0);
    out.push_back(0);
    for (const float value : sample.values)
        putLittleEndian(out, std::bit_cast<std::uint32_t>(value), 4);
    putChecksum(out);
    return out;
}

std::optional<JournalContent> decodeJournal(std::span<const std::uint8_t> bytes,
                                            std::size_t maxSamples) {
    const std::optional<JournalHeader> header = decodeHeader(bytes);
    if (!header)
        return std::nullopt;
    JournalContent content;
    content.header = *header;
    std::size_t at = kJournalHeaderSize;
    while (bytes.size() - at >= kJournalSampleSize && content.samples.size() < maxSamples) {
        const auto sample =
            decodeSample(bytes.subspan(at, kJournalSampleSize), content.samples.size());
        if (!sample)
            break;
        content.samples.push_back(*sample);
        at += kJournalSampleSize;
    }
    content.damaged = at != bytes.size();
    return content;
}

} // namespace calorant
