#include "cli/NamedMeterLink.h"

#include "link/PortEnumerator.h"

#include <memory>

namespace calorant::cli {

NamedMeterLink::NamedMeterLink(const std::string& device, int savedPort)
    : link(comm, samples, meterState, loggerStore, std::make_unique<SystemPortEnumerator>(),
           savedPort) {
    link.setDeviceOverride(QString::fromStdString(device));
}

bool NamedMeterLink::open() {
    link.ScanForMeterPort();
    return comm.portOpen();
}

} // namespace calorant::cli
