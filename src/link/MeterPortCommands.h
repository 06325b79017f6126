#pragma once

#include "link/MeterCommands.h"

namespace calorant {

class CMSComm;

// Writes one command, opening the port first if it is closed. False when the port
// could not be opened or the write failed (reason in comm.errorString()); the
// programme's own callers drop the failure: the command is simply lost.
bool SendMeterCommand(CMSComm& comm, const MeterCommand& command);

// The power-off command, three times without pause, opening the port first if it
// is closed. Stops at the first failure.
bool PowerOff(CMSComm& comm);

// The open sequence of the live link on the device the control names: close the
// port if it is open, configure it (9600,n,8,1, receive event per live frame,
// binary input of everything buffered), open it, throw away what was pending, and
// write the live request. Ends at the first failure and returns false.
bool openLivePort(CMSComm& comm);

} // namespace calorant
