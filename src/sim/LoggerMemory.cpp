#include "sim/LoggerMemory.h"

#include <cmath>
#include <random>

namespace calorant::sim {
namespace {

constexpr std::uint8_t kErasedByte = 0xFF;

// One set of the built-in memories: readings follow smooth curves so that a plotted
// set looks like a measurement, and every value stays far from the byte pair AA 56
// that marks a set header.
struct SetRecipe {
    int intervalSeconds;
    SetStart start;
    int records;
};

ChannelTenths recipeRecord(int setIndex, int record, int records) {
    const double x = records > 1 ? static_cast<double>(record) / (records - 1) : 0.0;
    const double wave = std::sin(6.0 * x + setIndex);
    const double c[kChannelCount] = {
        25.0 + 40.0 * x + 0.5 * wave, // T1: heating up
        -20.0 + 15.0 * x,             // T2: a freezer warming
        30.0 + 2.0 * wave,            // IR
        0.0 + 0.3 * wave,             // T3: ice bath
        100.0 - 60.0 * x,             // T4: cooling down
    };
    ChannelTenths tenths{};
    for (int ch = 0; ch < kChannelCount; ++ch)
        tenths[ch] = static_cast<int>(std::lround(c[ch] * 10.0));
    return tenths;
}

void addSets(LoggerMemory& memory, const std::vector<SetRecipe>& recipes) {
    int setIndex = 0;
    for (const SetRecipe& recipe : recipes) {
        memory.beginSet(recipe.intervalSeconds, recipe.start);
        for (int r = 0; r < recipe.records; ++r)
            memory.appendRecord(recipeRecord(setIndex, r, recipe.records));
        ++setIndex;
    }
}

// `sets` sets holding `records` records between them, one a day from 2020-03-01.
std::vector<SetRecipe> evenSets(int sets, int records) {
    std::vector<SetRecipe> recipes;
    for (int i = 0; i < sets; ++i) {
        const int share = records / sets + (i < records % sets ? 1 : 0);
        recipes.push_back({2, SetStart{2020, 3, 1 + i, 8, 0, 0}, share});
    }
    return recipes;
}

// Seeded on its own, so that the garbage is the same whatever the live stream's seed.
constexpr std::uint32_t kGarbageSeed = 0x5EED;

// Random bytes in which AA is never followed by 56, with set markers at the offsets of
// kGarbageSetMarkers whose remaining header bytes say nothing sensible.
std::vector<std::uint8_t> garbageBytes() {
    std::mt19937 random(kGarbageSeed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(kGarbageLength);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(byte(random));
        if (i > 0 && bytes[i - 1] == 0xAA && bytes[i] == 0x56)
            bytes[i] = 0x57;
    }
    // Interval 0 s; second 200, minute 99, hour 77, day 0, month 0; year 2007 + 255.
    const std::uint8_t nonsense[] = {0xAA, 0x56, 0x00, 0x00, 200, 99, 77, 0, 0, 0x00, 255};
    // An interval that is itself a set marker; second 61, minute 60, hour 24, day 32,
    // month 13; year 2207.
    static_assert(kGarbageSetMarkers[2] == kGarbageSetMarkers[1] + 2);
    const std::uint8_t outOfRange[] = {0xAA, 0x56, 0xAA, 0x56, 61, 60, 24, 32, 13, 0x00, 200};
    std::copy(std::begin(nonsense), std::end(nonsense), bytes.begin() + kGarbageSetMarkers[0]);
    std::copy(std::begin(outOfRange), std::end(outOfRange), bytes.begin() + kGarbageSetMarkers[1]);
    bytes[kGarbageSetMarkers[3]] = 0xAA;
    bytes[kGarbageSetMarkers[3] + 1] = 0x56;
    return bytes;
}

} // namespace

void LoggerMemory::beginSet(int intervalSeconds, const SetStart& start) {
    const auto interval = static_cast<std::uint16_t>(intervalSeconds);
    const std::uint8_t header[kSetHeaderSize] = {
        0xAA,
        0x56,
        static_cast<std::uint8_t>(interval >> 8),
        static_cast<std::uint8_t>(interval & 0xFF),
        static_cast<std::uint8_t>(start.second),
        static_cast<std::uint8_t>(start.minute),
        static_cast<std::uint8_t>(start.hour),
        static_cast<std::uint8_t>(start.day),
        static_cast<std::uint8_t>(start.month),
        0x00,
        static_cast<std::uint8_t>(start.year - 2007),
    };
    content_.insert(content_.end(), header, header + kSetHeaderSize);
}

void LoggerMemory::appendRecord(const ChannelTenths& tenths) {
    std::uint8_t record[kRecordSize];
    for (int c = 0; c < kChannelCount; ++c)
        putSigned16(&record[2 * c], tenths[c]);
    content_.insert(content_.end(), record, record + kRecordSize);
}

void LoggerMemory::appendErased(std::size_t count) {
    content_.insert(content_.end(), count, kErasedByte);
}

void LoggerMemory::appendRaw(std::span<const std::uint8_t> bytes) {
    content_.insert(content_.end(), bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> LoggerMemory::headerReply(std::uint8_t unitCode) const {
    const auto length = static_cast<std::uint32_t>(content_.size());
    return {0xBB,
            0x55,
            unitCode,
            0x00,
            0x00,
            static_cast<std::uint8_t>(length >> 24),
            static_cast<std::uint8_t>(length >> 16 & 0xFF),
            static_cast<std::uint8_t>(length >> 8 & 0xFF),
            static_cast<std::uint8_t>(length & 0xFF)};
}

std::vector<std::uint8_t> LoggerMemory::stream() const {
    std::vector<std::uint8_t> bytes = content_;
    bytes.insert(bytes.end(), kStreamTrailerSize, kErasedByte);
    return bytes;
}

LoggerMemory makeLoggerMemory(LoggerContent content) {
    LoggerMemory memory;
    switch (content) {
    case LoggerContent::Sets:
        addSets(memory, {{1, SetStart{2019, 12, 24, 9, 15, 30}, 60},
                         {5, SetStart{2020, 1, 5, 14, 0, 0}, 240},
                         {60, SetStart{2020, 1, 6, 8, 30, 0}, 30}});
        break;
    case LoggerContent::Empty:
        break;
    case LoggerContent::Large:
        addSets(memory, evenSets(10, (45000 - 10 * 11) / 10));
        break;
    case LoggerContent::Oversized:
        addSets(memory, evenSets(10, (150000 - 10 * 11) / 10));
        break;
    case LoggerContent::NoSets:
        memory.appendErased(100);
        break;
    case LoggerContent::Garbage:
        memory.appendRaw(garbageBytes());
        break;
    }
    return memory;
}

} // namespace calorant::sim
