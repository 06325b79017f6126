#include "sim/MeterCommand.h"

namespace calorant::sim {
namespace {

bool isHeaderPair(std::uint8_t first, std::uint8_t second) {
    return (first == 0xAA && second == 0x55) || (first == 0x55 && second == 0xAA);
}

// Whether the bytes seen so far can still grow into a command.
bool canStartCommand(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty())
        return true;
    if (bytes[0] != 0xAA && bytes[0] != 0x55)
        return false;
    return bytes.size() < 2 || isHeaderPair(bytes[0], bytes[1]);
}

} // namespace

MeterCommand classifyCommand(const CommandBytes& bytes) {
    if (bytes[0] == 0x55 && bytes[1] == 0xAA)
        return bytes[2] == 0x03 ? MeterCommand::PowerOff : MeterCommand::Unknown;
    if (bytes[0] != 0xAA || bytes[1] != 0x55)
        return MeterCommand::Unknown;
    switch (bytes[2]) {
    case 0x01:
        return MeterCommand::LiveRequest;
    case 0x02:
        return MeterCommand::LoggerHeaderRequest;
    case 0x03:
        return MeterCommand::UnitKey;
    case 0x04:
        return MeterCommand::DifKey;
    case 0x05:
        return MeterCommand::HoldKey;
    case 0x06:
        return MeterCommand::MaxMinKey;
    case 0x0E:
        return MeterCommand::LinkEnd;
    case 0x0F:
        return MeterCommand::RecKey;
    case 0x10:
        return MeterCommand::LoggerMemoryRequest;
    case 0x12:
        return MeterCommand::DifDoubleClick;
    case 0x16:
        return MeterCommand::MaxMinDoubleClick;
    case 0x20:
        return MeterCommand::PowerKey;
    case 0x22:
        return MeterCommand::Periodic;
    default:
        return MeterCommand::Unknown;
    }
}

std::string commandText(const CommandBytes& bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
    }
    return text;
}

std::vector<CommandBytes> CommandReader::feed(std::span<const std::uint8_t> bytes) {
    std::vector<CommandBytes> commands;
    for (std::uint8_t byte : bytes) {
        pending_.push_back(byte);
        while (!canStartCommand(pending_))
            pending_.erase(pending_.begin());
        if (pending_.size() == 3) {
            commands.push_back({pending_[0], pending_[1], pending_[2]});
            pending_.clear();
        }
    }
    return commands;
}

} // namespace calorant::sim
