#include "app/CommandTable.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace calorant {
namespace {

constexpr std::array<CommandInfo, 16> kCommands{{
    {kCmdSave, "&Save", "Save", ":/app/toolbar/save.svg", nullptr},
    {kCmdOpen, "&Open", "Open", ":/app/toolbar/open.svg", nullptr},
    {kCmdPrint, "&Print", "Print", ":/app/toolbar/print.svg", "Ctrl+P"},
    {kCmdExit, "&Exit", "Exit", nullptr, nullptr},
    {kCmdRun, "&Run", "Start", ":/app/toolbar/run.svg", nullptr},
    {kCmdStop, "&Stop", "Stop", ":/app/toolbar/stop.svg", nullptr},
    {kCmdUndoZoom, "&UndoZoom", "UndoZoom", ":/app/toolbar/undozoom.svg", nullptr},
    {kCmdDataLogger, "&Data Logger", "Data Logger", nullptr, nullptr},
    {kCmdAbout, "&About KL320 Thermocouple/IR Datalogger...", "About", nullptr, nullptr},
    {kCmdHelpContents, "&Contents", "Help", ":/app/toolbar/help.svg", nullptr},
    {kCmdPowerOff, nullptr, "PowerOff", nullptr, nullptr},
    {kCmdCom1, nullptr, "COM1", nullptr, nullptr},
    {kCmdCom2, nullptr, "COM2", nullptr, nullptr},
    {kCmdCom3, nullptr, "COM3", nullptr, nullptr},
    {kCmdCom4, nullptr, "COM4", nullptr, nullptr},
    {kCmdOtherPorts, nullptr, "Other comports", nullptr, nullptr},
}};

} // namespace

std::span<const CommandInfo> commandTable() {
    return kCommands;
}

const CommandInfo& commandInfo(CommandId id) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [id](const CommandInfo& info) { return info.id == id; });
    if (found == kCommands.end())
        throw std::logic_error("command without a table entry");
    return *found;
}

} // namespace calorant
