#include "record/GraphFile.h"

#include "core/CalendarTime.h"
#include "record/SampleStore.h"

#include <algorithm>
#include <array>
#include <bit>
#include <istream>
#include <optional>
#include <ostream>
#include <vector>

namespace calorant {

namespace {

// Every field is put byte by byte, so the layout does not depend on the host's byte
// order or on how a compiler would pad a struct. The whole file is gathered first and
// handed to the stream in one write.
class LittleEndianBytes {
public:
    explicit LittleEndianBytes(std::size_t expectedSize) { bytes_.reserve(expectedSize); }

    void byte(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }

    void int32(std::int32_t value) { word(static_cast<std::uint32_t>(value)); }

    void float32(float value) { word(std::bit_cast<std::uint32_t>(value)); }

    void magic() {
        byte(static_cast<std::uint8_t>(kGraphMagic.size()));
        bytes_.append(kGraphMagic);
    }

    void writeTo(std::ostream& out) const {
        out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    }

private:
    void word(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<char>((value >> shift) & 0xFF));
    }

    std::string bytes_;
};

constexpr std::size_t graphFileSize(int count) {
    return 49 + 20 * static_cast<std::size_t>(count);
}

std::uint32_t littleEndianWord(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// Reads fixed-size fields; every read reports whether the file still had the bytes.
class LittleEndianReader {
public:
    explicit LittleEndianReader(std::istream& in) : in_(in) {}

    std::optional<std::uint8_t> byte() {
        std::array<unsigned char, 1> bytes{};
        if (!bytesInto(bytes.data(), bytes.size()))
            return std::nullopt;
        return bytes[0];
    }

    std::optional<std::uint32_t> uint32() {
        std::array<unsigned char, 4> bytes{};
        if (!bytesInto(bytes.data(), bytes.size()))
            return std::nullopt;
        return littleEndianWord(bytes.data());
    }

    std::optional<std::int32_t> int32() {
        const auto value = uint32();
        if (!value)
            return std::nullopt;
        return static_cast<std::int32_t>(*value);
    }

    bool bytesInto(void* target, std::size_t count) {
        in_.read(static_cast<char*>(target), static_cast<std::streamsize>(count));
        return static_cast<std::size_t>(in_.gcount()) == count;
    }

private:
    std::istream& in_;
};

// The archive's string length: one byte below 255, else 0xFF and 16 bits, else 0xFF,
// 0xFFFF and 32 bits. Our writer always uses the one-byte form for the seven-character
// magic, so a longer form is never the magic; it is refused before any character is
// read, so a file claiming a huge string costs nothing.
bool readMagic(LittleEndianReader& reader) {
    const auto length = reader.byte();
    if (!length || *length != kGraphMagic.size())
        return false;
    std::array<char, kGraphMagic.size()> text{};
    return reader.bytesInto(text.data(), text.size()) &&
           std::string_view(text.data(), text.size()) == kGraphMagic;
}

struct StartFields {
    std::int32_t year, month, day, hour, minute, second;
};

void putTrailer(LittleEndianBytes& bytes, std::uint8_t unitCode, const StartFields& start,
                std::int32_t sampleRate, std::int32_t yGain, std::int32_t yOffset) {
    bytes.byte(unitCode);
    for (std::int32_t field :
         {start.year, start.month, start.day, start.hour, start.minute, start.second})
        bytes.int32(field);
    bytes.int32(sampleRate);
    bytes.int32(yGain);
    bytes.int32(yOffset);
}

std::optional<GraphFileContents> readContents(std::istream& in) {
    LittleEndianReader reader(in);
    if (!readMagic(reader))
        return std::nullopt;
    const auto count = reader.int32();
    if (!count || *count < 0 || *count > kLoggerSetCapacity)
        return std::nullopt;

    GraphFileContents contents;
    LoggerSet& set = contents.set;
    const std::size_t valueCount = static_cast<std::size_t>(*count) * kChannelCount;
    std::vector<unsigned char> bytes(valueCount * 4);
    if (!reader.bytesInto(bytes.data(), bytes.size()))
        return std::nullopt;
    for (std::size_t i = 0; i < valueCount; ++i)
        set.values[i] = std::bit_cast<float>(littleEndianWord(&bytes[i * 4]));
    set.readingCount = *count;
    const auto unit = reader.byte();
    if (!unit)
        return std::nullopt;
    set.unit = *unit;
    for (std::int32_t* field : {&set.startYear, &set.startMonth, &set.startDay, &set.startHour,
                                &set.startMinute, &set.startSecond}) {
        const auto value = reader.int32();
        if (!value)
            return std::nullopt;
        *field = *value;
    }
    rebuildStartTime(set);
    const auto rate = reader.int32();
    const auto gain = reader.int32();
    const auto offset = reader.int32();
    if (!rate || !gain || !offset)
        return std::nullopt;
    set.sampleRate = *rate;
    contents.yGain = *gain;
    contents.yOffset = *offset;
    return contents;
}

} // namespace

void writeGraphFile(std::ostream& out, const SampleStore& store, TemperatureUnit unit,
                    std::int32_t graphYGain, std::int32_t graphYOffset) {
    const int count = std::clamp(store.sampleCount(), 0, kSampleCapacity);
    LittleEndianBytes file(graphFileSize(count));
    file.magic();
    file.int32(count);
    const ChannelSampleArrays& samples = store.channelSamples();
    for (int sample = 0; sample < count; ++sample)
        for (const ChannelArray& channel : samples)
            file.float32(channel[static_cast<std::size_t>(sample)]);
    const std::tm start = localCalendar(store.runStartTime());
    putTrailer(file, static_cast<std::uint8_t>(unit),
               {start.tm_year + 1900, start.tm_mon + 1, start.tm_mday, start.tm_hour, start.tm_min,
                start.tm_sec},
               store.sampleRateMs() / 1000, graphYGain, graphYOffset);
    file.writeTo(out);
}

void writeGraphFile(std::ostream& out, const LoggerSet& set, std::int32_t loadedYGain,
                    std::int32_t loadedYOffset) {
    const int count = storedReadingCount(set);
    LittleEndianBytes file(graphFileSize(count));
    file.magic();
    file.int32(count);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count) * kChannelCount; ++i)
        file.float32(set.values[i]);
    putTrailer(file, set.unit,
               {set.startYear, set.startMonth, set.startDay, set.startHour, set.startMinute,
                set.startSecond},
               set.sampleRate, loadedYGain, loadedYOffset);
    file.writeTo(out);
}

GraphReadResult readGraphFile(std::istream& in) {
    std::optional<GraphFileContents> contents = readContents(in);
    if (!contents)
        return {std::nullopt, std::string(kInvalidFormatMessage)};
    return {std::move(contents), {}};
}

} // namespace calorant
