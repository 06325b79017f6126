#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace calorant::sim {

// A command the host writes to the meter: three bytes, no checksum, no terminator.
using CommandBytes = std::array<std::uint8_t, 3>;

enum class MeterCommand {
    LiveRequest,         // AA 55 01
    LoggerHeaderRequest, // AA 55 02
    UnitKey,             // AA 55 03
    DifKey,              // AA 55 04
    HoldKey,             // AA 55 05
    MaxMinKey,           // AA 55 06
    LinkEnd,             // AA 55 0E
    RecKey,              // AA 55 0F
    LoggerMemoryRequest, // AA 55 10
    DifDoubleClick,      // AA 55 12
    MaxMinDoubleClick,   // AA 55 16
    PowerKey,            // AA 55 20
    Periodic,            // AA 55 22
    PowerOff,            // 55 AA 03
    Unknown,             // any other code after a command header
};

MeterCommand classifyCommand(const CommandBytes& bytes);

// "AA 55 01": upper-case hex, space-separated.
std::string commandText(const CommandBytes& bytes);

// Cuts the byte stream from the host into commands. A command may arrive split over
// several reads or several in one read; bytes that cannot start a command (neither
// AA 55 nor 55 AA) are skipped one by one so that the reader finds the next command.
class CommandReader {
public:
    std::vector<CommandBytes> feed(std::span<const std::uint8_t> bytes);

private:
    std::vector<std::uint8_t> pending_;
};

} // namespace calorant::sim
