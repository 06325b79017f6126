#pragma once

#include "app/CommandId.h"

#include <span>

namespace calorant {

// What the user sees of a command: its menu text, its tip, its toolbar picture and its
// shortcut. Commands that no menu, button or key issues (the port choices and the
// meter's power-off) still have an entry, so that every command is an action.
struct CommandInfo {
    CommandId id;
    const char* text;     // menu text with its mnemonic; nullptr for no menu item
    const char* toolTip;  // tip of its toolbar button
    const char* icon;     // toolbar picture (resource path), nullptr for no button
    const char* shortcut; // portable key sequence text, nullptr for none
};

// Every command of the main window.
std::span<const CommandInfo> commandTable();

// The entry of a command; every CommandId has one.
const CommandInfo& commandInfo(CommandId id);

} // namespace calorant
