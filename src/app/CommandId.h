#pragma once

namespace calorant {

// Command ids of the main window. Each command is one QAction carrying its id as data;
// the menus, the toolbar and the keyboard shortcuts all trigger that same action.
enum CommandId : int {
    kCmdRun = 32771,
    kCmdStop = 32772,
    kCmdHelpContents = 32779,
    kCmdCom1 = 32783,
    kCmdCom2 = 32784,
    kCmdCom3 = 32785,
    kCmdCom4 = 32786,
    kCmdUndoZoom = 32811,
    kCmdPowerOff = 32812,
    kCmdSave = 32814,
    kCmdOtherPorts = 32817,
    kCmdDataLogger = 32819,
    kCmdOpen = 32827,
    kCmdPrint = 57607,
    kCmdAbout = 57664,
    kCmdExit = 57665,
};

} // namespace calorant
