#include "link/MeterPortCommands.h"

#include "link/ByteArrayView.h"
#include "link/CMSComm.h"
#include "link/LiveFrame.h"

#include <QByteArray>

namespace calorant {

namespace {

bool ensureOpen(CMSComm& comm) {
    return comm.portOpen() || comm.setPortOpen(true);
}

} // namespace

bool SendMeterCommand(CMSComm& comm, const MeterCommand& command) {
    return ensureOpen(comm) && comm.output(toByteArray(command));
}

bool PowerOff(CMSComm& comm) {
    if (!ensureOpen(comm))
        return false;
    for (int i = 0; i < kPowerOffRepeats; ++i) {
        if (!comm.output(toByteArray(kPowerOffCommand)))
            return false;
    }
    return true;
}

bool openLivePort(CMSComm& comm) {
    comm.setPortOpen(false);
    if (!comm.setSettings(QStringLiteral("9600,n,8,1")))
        return false;
    comm.setRThreshold(int(kLiveFrameSize));
    if (!comm.setInputMode(CMSComm::kInputModeBinary) || !comm.setInputLen(0) ||
        !comm.setInBufferCount(0) || !comm.setPortOpen(true))
        return false;
    comm.input(); // whatever was pending belongs to no frame of this link
    return comm.output(toByteArray(meterCommand(kLinkStart)));
}

} // namespace calorant
